// The entry tables of the selected race: the entry table StringGrid4 (sisushutubaBtn) and the
// detailed entry table with the past runs StringGrid5 (GetKakoBtn), texts and styles.
#pragma once

#include <string>

namespace sorvane {

class AppShell;
class Grid;
class RaceDay;

// Fills StringGrid4 (columns 0-23 and 27-30 of every data row; the marks of 24-26 are left as
// they are) and the horse cells (columns 0-2) of StringGrid5 for race slot
// shell.day().currentRace, with their drawing. Row counts are the caller's (the race
// selection): data row r shows runner slot r - 1.
void SisushutubaBtn(AppShell& shell);
// The past-run headings of StringGrid5 and its statistics and past-run cells (columns 3-104)
// for race slot shell.day().currentRace.
void GetKakoBtn(AppShell& shell);

// The same on a given day and grid.
void FillEntryGrid(const RaceDay& day, int race, Grid& grid);

// The texts of data row cells of StringGrid4 for runner slot `runner` (index = column; the
// mark columns 24-26 empty).
std::string EntryCellText(const RaceDay& day, int race, int runner, int col);
inline constexpr int kEntryColumns = 31;

}  // namespace sorvane
