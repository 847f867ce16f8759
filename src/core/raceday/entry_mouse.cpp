#include "raceday/entry_mouse.h"

#include <string>

#include "compare/all_race.h"
#include "compare/two_horse.h"
#include "shell/app_shell.h"

namespace sorvane {

namespace {

bool IsDataCell(const Grid& g, int col, int row) {
    return col >= 0 && col < g.ColCount() && row >= g.FixedRows() && row < g.RowCount();
}

bool IsMarkColumn(int col) { return col >= 24 && col <= 26; }

}  // namespace

bool PressTogglesMark(const Grid& grid, int col, int row) {
    return IsDataCell(grid, col, row) && IsMarkColumn(col);
}

bool ClickPicksHorse(const Grid& grid, int col, int row) {
    return IsDataCell(grid, col, row) && col <= 2;
}

CellCursor EntryGridCursor(const Grid& grid, int col, int row) {
    return PressTogglesMark(grid, col, row) ? CellCursor::Hand : CellCursor::Default;
}

void EntryGridMouseDown(AppShell& shell, int col, int row) {
    if (PressTogglesMark(shell.main().stringGrid4, col, row)) ToggleSelectionMark(shell, col, row);
}

void EntryGridClick(AppShell& shell, int col, int row) {
    if (ClickPicksHorse(shell.main().stringGrid4, col, row)) PickHorse(shell, col, row);
}

void CopyEntryTableToClipboard(AppShell& shell) {
    const MainFormState& m = shell.main();
    const std::string crlf = "\r\n";
    std::string text = m.label1 + crlf + m.label2 + crlf + m.label3 + crlf + m.label4 + crlf;
    const Grid& g = m.stringGrid4;
    for (int r = 0; r < g.RowCount(); ++r) {
        for (int c = 0; c < g.ColCount(); ++c) {
            if (c > 0) text += '\t';
            text += g.Text(c, r);
        }
        text += crlf;
    }
    shell.platform().SetClipboardText(text);
}

}  // namespace sorvane
