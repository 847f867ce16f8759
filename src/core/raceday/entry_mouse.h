// The user's actions on the entry table StringGrid4: mouse presses and clicks, the cursor
// over its cells, and its copy to the clipboard.
#pragma once

namespace sorvane {

class AppShell;
class Grid;

enum class CellCursor { Default, Hand };

// The cursor over cell (col, row) of StringGrid4: the hand over the data cells of the mark
// columns 24-26, the default elsewhere.
CellCursor EntryGridCursor(const Grid& grid, int col, int row);
// Where the actions land: a press toggles a mark on the data cells of columns 24-26, a click
// picks a horse on the data cells of columns 0-2.
bool PressTogglesMark(const Grid& grid, int col, int row);
bool ClickPicksHorse(const Grid& grid, int col, int row);
// A press on cell (col, row): the mark columns 24-26 toggle the selection mark.
void EntryGridMouseDown(AppShell& shell, int col, int row);
// A click on cell (col, row): columns 0-2 pick the horse for the two-horse comparison.
void EntryGridClick(AppShell& shell, int col, int row);
// "出馬表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)": the header labels of the race, then every cell of
// StringGrid4 (heading row included), TAB between cells, CR LF after each row.
void CopyEntryTableToClipboard(AppShell& shell);

}  // namespace sorvane
