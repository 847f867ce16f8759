// The past runs of one runner as the day load takes them in: the date filter, the run
// record by category, the prize total, the copy into the past-run table and the check of
// earlier predictions (順当 / 裏切).
#pragma once

#include <string>

#include "raceday/prediction_index.h"

#include "store/past_run_file.h"

namespace sorvane {

class RaceDay;

// Which past runs of a race on date D are used: those dated strictly after E (D less the
// DataSpan period) and strictly before D, or every run when the dates are ignored.
struct PastRunWindow {
    int earliest = 0;  // E, yyyymmdd
    int raceDate = 0;  // D, yyyymmdd
    bool ignoreDates = false;
    bool Keeps(int date) const { return ignoreDates || (date > earliest && date < raceDate); }
};

// The window of a race dated raceDate (yyyymmdd) with `period` days of past runs; a race
// date that is no calendar date keeps nothing (unless the dates are ignored).
PastRunWindow MakePastRunWindow(int raceDate, int period, bool ignoreDates);

// Only the first 100 records of a past-run file are read.
inline constexpr size_t kPastRunsRead = 100;

// Views fileData (the bytes of a past-run file) as fixed 826-byte records up to the first short
// or damaged one, reads records n - 1 down to 0 (n = their count, at most 100), keeps those the
// window keeps and, for each kept record in that order, adds it to the runner's run record and
// prize total, gives it the runner's next past-run slot and, when predictions are given, checks
// the prediction for its date and track. The runner's statistics are reset first;
// `predictions` may be null (no .yos file). The bytes become the runner's storage in the
// past-run table, and fileData receives the runner's earlier storage in exchange (its bytes
// are to be overwritten).
// Returns the number of records kept.
int TakePastRuns(RaceDay& day, int race, int runner, std::string& fileData,
                 const PastRunWindow& window, const PredictionIndex* predictions);

}  // namespace sorvane
