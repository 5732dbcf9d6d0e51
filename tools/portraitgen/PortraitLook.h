// The features that make up one hireling's portrait.
#pragma once

#include <QColor>
#include <QString>

enum class HairStyle
{
    Bald,
    Cropped,
    Short,
    Curly,
    Long,
    Ponytail,
    Bun
};
enum class Headgear
{
    None,
    Helmet,
    Beret,
    Cap,
    Bandana,
    Hood
};
enum class Beard
{
    None,
    Stubble,
    Moustache,
    Full
};
enum class Mouth
{
    Flat,
    Smile,
    Frown,
    Grin
};

// Small marks that set otherwise similar faces apart.
enum PortraitMark : unsigned
{
    NoMarks = 0,
    Scar = 1U << 0U,
    Glasses = 1U << 1U,
    EyePatch = 1U << 2U,
    Earring = 1U << 3U,
    FacePaint = 1U << 4U,
    RedCross = 1U << 5U, // the medic's armband
    Freckles = 1U << 6U,
};

struct PortraitLook
{
    QString id; // the file name without ".bmp", as in the records file
    QColor skin;
    QColor hair;
    HairStyle hairStyle = HairStyle::Short;
    Headgear headgear = Headgear::None;
    QColor headgearColour;
    Beard beard = Beard::None;
    Mouth mouth = Mouth::Flat;
    unsigned marks = NoMarks;
    QColor background;
    QColor uniform;
};
