// The header of the selected race as the main window shows it: the four header labels, the
// track and race labels, the odds announcement time and the colour of the header panel.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sorvane {

class Grid;
struct RaceAnalysis;

inline constexpr uint32_t kColorTurf = 0x008000;   // green
inline constexpr uint32_t kColorKhaki = 0xF0E68C;  // every other surface

// Shift-JIS texts.
struct RaceHeader {
    std::string label1;  // date, weekday, track, meeting, day, race and post time
    std::string label2;  // edition and race name
    std::string label3;  // runners, distance, surface, grade, race kind and symbol
    std::string label4;  // weight kind and the conditions of the age groups
    std::string bashoLabel;
    std::string raceLabel;
    std::string tfwTimeLabel;  // hh:mm of the O1 announcement time
    uint32_t panel14Color = kColorKhaki;
};

// The header of a race from its RA record and its O1 odds record (blank when none).
RaceHeader MakeRaceHeader(std::string_view ra, std::string_view o1);

// The result tab: row 1 + e for payout entry e (kinds in their order, entries in the order
// of the HR record) with the kind name, the combination (a horse number "%2d" or the label
// as stored; empty for none), the popularity "%2d" and the payout "%8d".
void FillResultGrid(Grid& grid, const RaceAnalysis& a);

}  // namespace sorvane
