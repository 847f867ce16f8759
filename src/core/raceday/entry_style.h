// The drawing of the entry table StringGrid4 as cell styles: backgrounds by column and bracket,
// bold rank columns with their red and blue values, alignment. Also the bracket colours that
// the detailed entry table shares.
#pragma once

#include <cstdint>
#include <string_view>

#include "shell/grid.h"

namespace sorvane {

// Colours (0xRRGGBB) of the entry tables.
inline constexpr uint32_t kColorSilver = 0xC0C0C0;       // heading row
inline constexpr uint32_t kColorInfoBk = 0xFFFFE1;       // the system tooltip colour
inline constexpr uint32_t kColorPink = 0xFFB6C1;         // comparison tallies
inline constexpr uint32_t kColorLightGreen = 0x90EE90;   // points
inline constexpr uint32_t kColorLightYellow = 0xFFFFE0;  // odds
inline constexpr uint32_t kColorLavender = 0xE6E6FA;     // prediction record
inline constexpr uint32_t kColorLightCyan = 0xE0FFFF;    // result
inline constexpr uint32_t kColorRankRed = 0xFF0000;      // a rank of 1
inline constexpr uint32_t kColorRankBlue = 0x0000FF;     // ranks 2 and 3
inline constexpr uint32_t kColorNoRun = 0xD5D5D5;        // a past-run slot without a run
inline constexpr uint32_t kColorMaroon = 0x800000;

// Background of bracket 1..8 (white, grey, red, blue, yellow, green, orange, fuchsia); white
// for any other number.
uint32_t BracketColor(int bracket);
// Text colour on that background: black on brackets 1 and 5, white on the others.
uint32_t BracketTextColor(int bracket);
// Red for 1, blue for 2 and 3, black otherwise: the colour of a rank or finishing position.
uint32_t RankColor(int value);

// The style of cell (col, row) of StringGrid4 showing text; bracket is the row's bracket
// number (its column 0), which colours column 0.
CellStyle EntryCellStyle(int col, int row, std::string_view text, int bracket);
// Every cell of StringGrid4 restyled from its text. Whoever rewrites texts of the table
// (ranks, marks, sorting) keeps the drawing right by calling this afterwards.
void RestyleEntryGrid(Grid& grid);

}  // namespace sorvane
