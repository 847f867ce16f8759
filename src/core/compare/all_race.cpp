#include "compare/all_race.h"

#include "shell/app_shell.h"

namespace sorvane {

void CompareAllRaceBtn(AppShell&) {}
void KaimeCalcBtn(AppShell&) {}
void FillComparisonTables(AppShell&) {}
void SortEntryTable(AppShell&, EntrySort) {}
void ToggleSelectionMark(AppShell&, int, int) {}

}  // namespace sorvane
