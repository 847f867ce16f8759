// The all-race comparison and the ranking of every field: CompareAllRaceBtn, CompRaceBtn,
// KaimeCalcBtn, the entry-table sorts, the selection marks and the comparison tables.
#pragma once

#include "shell/compare_forms.h"

namespace sorvane {

class AppShell;

void CompareAllRaceBtn(AppShell& shell);
// The wins ranks and reverse ranks of every race against the odds ceiling.
void KaimeCalcBtn(AppShell& shell);
// StringGrid7 and StringGrid8 of the selected race.
void FillComparisonTables(AppShell& shell);
void SortEntryTable(AppShell& shell, EntrySort key);
// A press on cell (col, row) of StringGrid4: columns 24..26 toggle a selection mark.
void ToggleSelectionMark(AppShell& shell, int col, int row);

}  // namespace sorvane
