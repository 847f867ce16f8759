// The interactive two-horse comparison on the analysis panel: picking the two horses from
// the entry table, the comparison through common opponents (Search2Btn) and of the direct
// meetings (Search2DirectBtn) into StringGrid6, the clear button and the clipboard copy.
#pragma once

namespace sorvane {

class AppShell;

// A click on cell (col, row) of StringGrid4: columns 0..2 of a data row pick horse A or B.
void PickHorse(AppShell& shell, int col, int row);
// SpeedButton12 "クリア": empties both names and shows the entry tab.
void ClearPickedHorses(AppShell& shell);
// "２頭の比較": every common-opponent instance as a row, the counts in the labels.
void Search2Btn(AppShell& shell);
// "直接対決の比較": every race of A's file in which B ran, as a row.
void Search2DirectBtn(AppShell& shell);
// The grid's pop-up command "比較結果をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)".
void CopyComparisonResult(AppShell& shell);

}  // namespace sorvane
