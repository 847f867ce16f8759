// The two-horse comparison grid StringGrid6: the texts of a row of an instance or meeting,
// the cell styles of its drawing, and the copy of the whole grid as clipboard text.
#pragma once

#include <string>
#include <string_view>

#include "shell/grid.h"
#include "store/past_run_file.h"

namespace sorvane {

inline constexpr int kComparisonColumns = 31;
inline constexpr int kComparisonSeparator = 15;  // the black column between the two halves

// Cell texts of past-run fields: "yyyy/mm/dd"; the track's first character and the distance
// in 4 characters; a weight 540 as "54.0"; a position in 2 characters, blank when 0; a time
// 1234 as "1.23.4" (a time of 0 as blanks with the points).
std::string DateCell(const PastRunRecord& r);
std::string TrackCell(const PastRunRecord& r);
std::string WeightCell(std::string_view weight3);
std::string PositionCell(int position);
std::string TimeCell(std::string_view time4);

// Empties rows 1.. and sets the row count to 2; the headings stay, drawn silver and centred.
void ResetComparisonGrid(Grid& g);
// The drawing of data row `row` from its texts (colours by column, position colours).
void StyleComparisonRow(Grid& g, int row);

// Every cell, TAB between cells and CR LF after each row, heading row included.
std::string GridClipboardText(const Grid& g);

}  // namespace sorvane
