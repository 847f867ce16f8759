#include "raceday/entry_style.h"

#include <array>

#include "base/fields.h"

namespace sorvane {

namespace {

constexpr std::array<uint32_t, 8> kBracketColors = {0xFFFFFF, 0x808080, 0xFF0000, 0x0000FF,
                                                    0xFFFF00, 0x008000, 0xFF8000, 0xFF00FF};

// Columns whose ranks are drawn bold with the rank colours.
bool IsRankColumn(int col) {
    switch (col) {
        case 9:
        case 10:
        case 13:
        case 15:
        case 18:
        case 20:
        case 27:
        case 30:
            return true;
        default:
            return false;
    }
}

uint32_t ColumnBackground(int col, int bracket) {
    if (col == 0) return BracketColor(bracket);
    if (col == 1) return kColorInfoBk;
    if (col >= 8 && col <= 13) return kColorPink;
    if (col >= 14 && col <= 18) return kColorLightGreen;
    if (col == 19 || col == 20) return kColorLightYellow;
    if (col >= 21 && col <= 23) return kColorLavender;
    if (col >= 27 && col <= 30) return kColorLightCyan;
    return kColorWindow;
}

}  // namespace

uint32_t BracketColor(int bracket) {
    return bracket >= 1 && bracket <= 8 ? kBracketColors[static_cast<size_t>(bracket - 1)]
                                        : kColorWindow;
}

uint32_t BracketTextColor(int bracket) {
    return bracket == 1 || bracket == 5 ? kColorText : 0xFFFFFF;
}

uint32_t RankColor(int value) {
    if (value == 1) return kColorRankRed;
    if (value == 2 || value == 3) return kColorRankBlue;
    return kColorText;
}

CellStyle EntryCellStyle(int col, int row, std::string_view text, int bracket) {
    CellStyle s;
    s.align = Align::Center;
    if (row == 0) {
        s.background = kColorSilver;
        return s;
    }
    s.background = ColumnBackground(col, bracket);
    if (col == 2) s.align = Align::Left;
    if (IsRankColumn(col)) {
        s.bold = true;
        s.color = RankColor(ToInt(text));
    }
    if (col >= 24 && col <= 26) s.bold = true;
    return s;
}

void RestyleEntryGrid(Grid& grid) {
    for (int r = 0; r < grid.RowCount(); ++r) {
        const int bracket = ToInt(grid.Text(0, r));
        for (int c = 0; c < grid.ColCount(); ++c)
            grid.SetStyle(c, r, EntryCellStyle(c, r, grid.Text(c, r), bracket));
    }
}

}  // namespace sorvane
