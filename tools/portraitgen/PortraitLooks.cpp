// The looks of all 51 hirelings, in the order of the records file.
#include "PortraitLooks.h"

namespace {

// Skin tones.
const QColor pale(0xf2, 0xd6, 0xc2);
const QColor fair(0xe8, 0xc0, 0xa0);
const QColor olive(0xc9, 0xa0, 0x78);
const QColor tawny(0xb8, 0x86, 0x5c);
const QColor brown(0x8d, 0x5a, 0x3b);
const QColor dark(0x5c, 0x3a, 0x26);

// Hair colours.
const QColor black(0x1c, 0x18, 0x16);
const QColor darkBrown(0x3b, 0x26, 0x18);
const QColor chestnut(0x6a, 0x3e, 0x20);
const QColor auburn(0x8e, 0x3b, 0x1c);
const QColor ginger(0xc4, 0x5a, 0x1e);
const QColor blond(0xd8, 0xb8, 0x68);
const QColor ash(0xa8, 0x9c, 0x88);
const QColor grey(0x8c, 0x8c, 0x8c);
const QColor white(0xe0, 0xe0, 0xdc);

// Cloth: uniforms and headgear.
const QColor oliveDrab(0x55, 0x5e, 0x2e);
const QColor khaki(0x9c, 0x8c, 0x5a);
const QColor forest(0x2e, 0x4a, 0x2a);
const QColor sand(0xc2, 0xa8, 0x74);
const QColor navy(0x24, 0x2e, 0x52);
const QColor charcoal(0x36, 0x38, 0x3a);
const QColor slate(0x5a, 0x64, 0x70);
const QColor maroon(0x6e, 0x1e, 0x24);
const QColor medicWhite(0xd8, 0xdc, 0xd4);
const QColor berry(0x8a, 0x24, 0x4a);
const QColor rust(0x9a, 0x4a, 0x22);

// Backgrounds.
const QColor sky(0x8c, 0xb4, 0xd8);
const QColor steel(0x6c, 0x84, 0x9c);
const QColor dune(0xd8, 0xc4, 0x94);
const QColor teal(0x4c, 0x8c, 0x88);
const QColor dusk(0x8c, 0x6c, 0x9c);
const QColor moss(0x7c, 0x94, 0x5c);
const QColor brick(0xa8, 0x64, 0x50);
const QColor fog(0xb4, 0xb8, 0xb4);
const QColor night(0x2c, 0x34, 0x4c);
const QColor amber(0xd4, 0x9c, 0x48);

using H = HairStyle;
using G = Headgear;
using B = Beard;
using M = Mouth;

QList<PortraitLook> makeLooks()
{
    // One look per line reads best.
    // clang-format off
    return {
        // ZOLT
        {u"z01-vershinin"_qs, fair, chestnut, H::Short, G::Helmet, oliveDrab, B::Stubble, M::Flat, NoMarks, sky, oliveDrab},
        {u"z02-kalder"_qs, pale, blond, H::Ponytail, G::None, {}, B::None, M::Smile, RedCross, teal, medicWhite},
        {u"z03-molchanov"_qs, olive, darkBrown, H::Cropped, G::Hood, forest, B::Full, M::Flat, FacePaint, moss, forest},
        {u"z04-volf"_qs, fair, ash, H::Long, G::Bandana, maroon, B::None, M::Grin, NoMarks, dune, khaki},
        {u"z05-ledkov"_qs, pale, blond, H::Short, G::Cap, navy, B::None, M::Frown, Freckles, fog, navy},
        {u"z06-brandt"_qs, fair, ginger, H::Cropped, G::Helmet, charcoal, B::Full, M::Frown, Scar, brick, charcoal},
        {u"z07-larin"_qs, olive, black, H::Curly, G::None, {}, B::None, M::Grin, NoMarks, sky, khaki},
        {u"z08-ozerskaya"_qs, pale, darkBrown, H::Bun, G::None, {}, B::None, M::Flat, RedCross, steel, medicWhite},
        {u"z09-tikhonov"_qs, fair, grey, H::Cropped, G::Beret, maroon, B::Moustache, M::Flat, NoMarks, night, oliveDrab},
        {u"z10-kholmstad"_qs, pale, ginger, H::Long, G::None, {}, B::Full, M::Grin, Earring, fog, slate},
        {u"z11-karpenko"_qs, tawny, white, H::Bald, G::Cap, khaki, B::Moustache, M::Frown, Glasses, amber, khaki},
        {u"z12-rudneva"_qs, fair, auburn, H::Long, G::Hood, khaki, B::None, M::Flat, Freckles, dune, sand},
        {u"z13-belousov"_qs, pale, white, H::Short, G::Beret, navy, B::Moustache, M::Flat, Scar, night, navy},
        {u"z14-marten-roy"_qs, olive, black, H::Bun, G::Bandana, rust, B::None, M::Smile, Earring, brick, charcoal},
        {u"z15-ern"_qs, tawny, grey, H::Bald, G::None, {}, B::Full, M::Frown, EyePatch, steel, oliveDrab},
        {u"z16-somov"_qs, fair, chestnut, H::Cropped, G::Helmet, forest, B::None, M::Grin, NoMarks, moss, forest},
        {u"z17-timurova"_qs, olive, black, H::Ponytail, G::Cap, sand, B::None, M::Flat, NoMarks, dune, sand},
        {u"z18-gushcha"_qs, fair, darkBrown, H::Cropped, G::None, {}, B::Full, M::Frown, Scar, brick, oliveDrab},
        {u"z19-streltsova"_qs, pale, blond, H::Bun, G::Beret, forest, B::None, M::Flat, NoMarks, teal, forest},
        {u"z20-zhuravlev"_qs, fair, ash, H::Short, G::Bandana, oliveDrab, B::Stubble, M::Smile, NoMarks, moss, khaki},
        {u"z21-nordin"_qs, pale, white, H::Bun, G::None, {}, B::None, M::Smile, RedCross | Glasses, sky, medicWhite},
        {u"z22-seitov"_qs, tawny, black, H::Short, G::Cap, slate, B::Stubble, M::Smile, NoMarks, steel, slate},
        {u"z23-ushakov"_qs, fair, grey, H::Short, G::None, {}, B::Full, M::Flat, Glasses | RedCross, fog, medicWhite},
        {u"z24-garin"_qs, pale, chestnut, H::Curly, G::Helmet, khaki, B::None, M::Frown, Glasses, amber, charcoal},
        {u"z25-ridder"_qs, fair, blond, H::Curly, G::None, {}, B::None, M::Grin, Freckles, sky, oliveDrab},
        {u"z26-vetlugina"_qs, fair, chestnut, H::Long, G::None, {}, B::None, M::Flat, FacePaint, forest, forest},
        {u"z27-polozov"_qs, olive, darkBrown, H::Cropped, G::Bandana, black, B::Stubble, M::Frown, Scar | FacePaint, night, charcoal},
        {u"z28-shvarts"_qs, pale, black, H::Short, G::None, {}, B::None, M::Flat, Glasses | Earring, slate, charcoal},
        {u"z29-krechet"_qs, tawny, chestnut, H::Cropped, G::Beret, sand, B::Moustache, M::Smile, NoMarks, sky, khaki},
        {u"z30-bragin"_qs, fair, auburn, H::Bald, G::None, {}, B::Stubble, M::Grin, NoMarks, amber, khaki},
        {u"z31-orlik"_qs, brown, black, H::Curly, G::None, {}, B::None, M::Smile, RedCross | Earring, teal, medicWhite},
        {u"z32-vdovin"_qs, pale, black, H::Cropped, G::Helmet, black, B::None, M::Flat, Scar, dusk, charcoal},
        {u"z33-pakhomov"_qs, tawny, chestnut, H::Short, G::Cap, rust, B::Full, M::Flat, NoMarks, moss, rust},
        {u"z34-lanskaya"_qs, fair, ginger, H::Ponytail, G::None, {}, B::None, M::Smile, Freckles, dusk, navy},
        {u"z35-zarechny"_qs, fair, ash, H::Short, G::Helmet, amber, B::Moustache, M::Flat, NoMarks, steel, sand},
        {u"z36-grinko"_qs, olive, darkBrown, H::Curly, G::Helmet, oliveDrab, B::Moustache, M::Grin, NoMarks, dune, oliveDrab},
        {u"z37-kovach"_qs, olive, darkBrown, H::Long, G::Bandana, forest, B::None, M::Frown, Scar, fog, forest},
        {u"z38-rokotov"_qs, tawny, black, H::Bald, G::Helmet, charcoal, B::Full, M::Frown, NoMarks, brick, charcoal},
        {u"z39-stotsky"_qs, pale, blond, H::Short, G::Cap, oliveDrab, B::None, M::Smile, NoMarks, sky, oliveDrab},
        {u"z40-kraynova"_qs, fair, auburn, H::Bun, G::Cap, medicWhite, B::None, M::Frown, RedCross | Freckles, fog, khaki},
        // KREV
        {u"k01-perepelitsa"_qs, tawny, chestnut, H::Curly, G::Cap, khaki, B::Stubble, M::Grin, NoMarks, dune, sand},
        {u"k02-rys"_qs, olive, grey, H::Short, G::Hood, oliveDrab, B::Full, M::Flat, NoMarks, forest, oliveDrab},
        {u"k03-morven"_qs, pale, black, H::Long, G::None, {}, B::None, M::Smile, RedCross | Earring, dusk, berry},
        {u"k04-bityug"_qs, fair, chestnut, H::Bald, G::None, {}, B::Moustache, M::Frown, Scar, steel, rust},
        {u"k05-zhugan"_qs, pale, ash, H::Cropped, G::Helmet, slate, B::Stubble, M::Frown, Glasses, amber, slate},
        {u"k06-dolskaya"_qs, fair, darkBrown, H::Ponytail, G::Bandana, navy, B::None, M::Flat, NoMarks, teal, slate},
        {u"k07-nemets"_qs, pale, blond, H::Cropped, G::Cap, charcoal, B::None, M::Flat, NoMarks, fog, charcoal},
        {u"k08-krot"_qs, fair, chestnut, H::Short, G::Helmet, amber, B::None, M::Smile, Freckles, night, khaki},
        {u"k09-sukhorukov"_qs, olive, black, H::Short, G::None, {}, B::Stubble, M::Frown, Scar | Earring, slate, black},
        {u"k10-ozdemir"_qs, brown, black, H::Curly, G::None, {}, B::Moustache, M::Grin, NoMarks, amber, rust},
        {u"k11-lapa"_qs, fair, ginger, H::Short, G::None, {}, B::Stubble, M::Grin, Freckles, brick, khaki},
    };
    // clang-format on
}

} // namespace

namespace PortraitLooks {

const QList<PortraitLook> &all()
{
    static const QList<PortraitLook> looks = makeLooks();
    return looks;
}

} // namespace PortraitLooks
