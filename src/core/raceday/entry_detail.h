// The detailed entry table StringGrid5: tall cells of several lines for each runner's card
// data, past-run statistics and up to 100 past runs, and the past-run headings.
#pragma once

#include <vector>

#include "shell/grid.h"

namespace sorvane {

class RaceDay;

inline constexpr int kDetailColumns = 105;
inline constexpr int kDetailFirstRun = 5;  // column of past-run slot 0
inline constexpr int kDetailHeadedRuns = 50;

// Columns 0-2 of data row `runner + 1`: bracket, horse number and the horse's card.
void FillDetailHorse(const RaceDay& day, int race, int runner, Grid& grid);
// Columns 3-104 of the row: the run record by distance and by going, then the past runs.
void FillDetailRuns(const RaceDay& day, int race, int runner, Grid& grid);
// Headings of columns 6-55 emptied, then "%3d走前" over the past-run columns up to the largest
// number of past runs among the race's runners (at most 50).
void SetDetailHeadings(const RaceDay& day, int race, Grid& grid);

// The lines of a past-run cell: the run (a past-run record) and its prediction mark.
std::vector<TextLine> PastRunLines(std::string_view run, int mark);

}  // namespace sorvane
