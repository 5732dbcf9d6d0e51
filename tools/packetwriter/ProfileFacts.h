// The facts every build of the hireling packet must meet: counts, value ranges, lengths and sizes.
#pragma once

#include "HirelingFields.h"

#include <QByteArrayView>

#include <array>

namespace ProfileFacts {

enum Agency : int
{
    Zolt,
    Krev,
    AgencyCount
};

struct Range
{
    int min = 0;
    int max = 0;
    [[nodiscard]] constexpr bool contains(qint64 value) const
    {
        return value >= min && value <= max;
    }
};

// A field's allowed values per agency: numbers for small integers and money, characters for
// strings, bytes for the dossier. Each end of each range must occur in the data. A field that is
// null in every KREV record has no KREV range.
struct FieldRange
{
    HirelingField field;
    Range zolt;
    Range krev;
    bool nullForKrev = false;
};

inline constexpr int zoltRecords = 40;
inline constexpr int krevRecords = 11;
inline constexpr int recordCount = zoltRecords + krevRecords;

inline constexpr std::array<FieldRange, 25> ranges = {{
    {MDName, {9, 17}, {9, 16}},
    {MDhea, {68, 99}, {46, 88}},
    {MDagi, {56, 99}, {37, 88}},
    {MDdex, {40, 100}, {54, 91}},
    {MDstr, {55, 98}, {35, 98}},
    {MDldr, {1, 87}, {1, 31}},
    {MDwis, {55, 97}, {29, 94}},
    {MDmrk, {60, 99}, {38, 93}},
    {MDexp, {0, 99}, {2, 92}},
    {MDmec, {0, 99}, {0, 82}},
    {MDmed, {0, 94}, {0, 70}},
    {MDlvl, {1, 8}, {1, 5}},
    {MDCost1, {400, 6000}, {100, 2000}},
    {MDCost7, {2700, 37000}, {}, true},
    {MDCost15, {4500, 70000}, {}, true},
    {MDchr, {6, 11}, {6, 11}},
    {MDdeposit, {0, 5900}, {}, true},
    {MDtools, {39, 91}, {19, 45}},
    {MDcurtools, {465, 3455}, {}, true},
    {MDAlias, {14, 50}, {7, 49}},
    {MDspec, {7, 39}, {6, 39}},
    {MDFrends, {3, 19}, {3, 18}},
    {MDNoFrends, {3, 29}, {3, 19}},
    {MDType, {0, 0}, {1, 1}},
    {MDmemo, {1314, 3528}, {1996, 6421}},
}};

// Records whose MDtools is null: one, of agency KREV.
inline constexpr int recordsWithoutTools = 1;

// Levels: exactly one hireling of the top level, eight of level 1, every level in between used.
inline constexpr int topLevel = 8;
inline constexpr int topLevelCount = 1;
inline constexpr int bottomLevel = 1;
inline constexpr int bottomLevelCount = 8;
inline constexpr int distinctLevels = 8;

inline constexpr int zeroDepositCount = 10;
// The daily wage shared by three KREV hirelings; no other money value of the data equals it.
inline constexpr int sharedWage = 150;
inline constexpr int sharedWageCount = 3;

inline constexpr int temperamentWords = 9;
inline constexpr int fullWidthAliasCount = 1; // MDAlias values that fill the field's 50 characters
inline constexpr int hyphenatedNameCount = 1;
inline constexpr int starredNameCount = 1; // names ending in " *"
inline constexpr int noFriendsCount = 7;   // MDFrends "нет"
inline constexpr int noFoesCount = 14;     // MDNoFrends "нет"

inline constexpr Range aliasItems{1, 4};
inline constexpr Range specItems{1, 2};
inline constexpr Range toolItems{2, 7};
inline constexpr Range colleagueItems{1, 3};

inline constexpr int dossierTotalBytes = 117915;
inline constexpr Range rowBytes{7811, 12805};
inline constexpr int packetBytes = 449132;
inline constexpr int lengthPrefixBytes = 4;
inline constexpr int storedBytes = packetBytes + lengthPrefixBytes;
inline constexpr int firstRowOffset = 1277;
inline constexpr int firstRowOffsetPosition = 22; // where the packet header keeps that offset

inline constexpr int portraitBytes = 6246;

// The opening of every dossier and the end of every dossier, final zero byte included.
inline constexpr QByteArrayView dossierStart = "{\\rtf1\\ansi\\deff0\\deftab720";
inline constexpr QByteArrayView dossierEnd{"\\par }\r\n\0", 9};

} // namespace ProfileFacts
