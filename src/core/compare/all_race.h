// The all-race comparison and the ranking of every field: CompareAllRaceBtn, CompRaceBtn,
// KaimeCalcBtn, the entry-table sorts, the selection marks and the comparison tables.
#pragma once

#include "shell/compare_forms.h"

namespace sorvane {

class AppShell;
class CompareEngine;

// Every pair of every race of the day list, with the progress window shown and the main
// window disabled; then the predictions (unless past-run dates are ignored), the wins ranks
// and the selection of the current line.
void CompareAllRaceBtn(AppShell& shell);
// Every pair of race slot shell.day().currentRace through engine, then its rates and ranks;
// marks the race compared. Nothing for a race without runners.
void CompRaceBtn(AppShell& shell, CompareEngine& engine);
// The wins ranks and reverse ranks of every race against the odds ceiling.
void KaimeCalcBtn(AppShell& shell);

// StringGrid7 and StringGrid8 of the selected race.
void FillComparisonTables(AppShell& shell);
// The pop-up commands of StringGrid7 and StringGrid8: the whole grid to the clipboard.
void CopyComparisonDetail(AppShell& shell);
void CopyComparisonMatrix(AppShell& shell);

// Sorts the data rows of StringGrid4 and puts the key's button down.
void SortEntryTable(AppShell& shell, EntrySort key);
// A press on cell (col, row) of StringGrid4: columns 24..26 toggle a selection mark.
void ToggleSelectionMark(AppShell& shell, int col, int row);
// AllCkBtn1..3 ("全") and AllDlBtn1..3 ("CL"): mark column 23 + button of every data row, or
// empty it.
void AllCkBtn(AppShell& shell, int button);
void AllDlBtn(AppShell& shell, int button);

}  // namespace sorvane
