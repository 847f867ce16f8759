// The prediction file (.yos) of a horse as the day load reads it back: for a past run's date
// and track, the prediction mark of the record the load's backward scan stops at.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"

namespace sorvane {

inline constexpr const char* kPredictionExtension = ".yos";
inline constexpr size_t kPredictionRecordSize = 52;  // 50 characters and CR LF
inline constexpr size_t kPredictionsRead = 100;      // only the first 100 records are read

// "SEI\1234\1234567890.yos", beside the past-run file; the caller checks IsValidBloodNumber.
std::string PredictionPath(std::string_view blood);

// The first kPredictionsRead records of a prediction file, indexed once. The day load scans
// records m - 1 down to 0 for each kept past run and stops at the first record with the run's
// date and track code; the date filter it applies there passes whenever the run's own date
// passed it, so that record is the one of the highest position with that date and track.
class PredictionIndex {
  public:
    PredictionIndex() = default;
    // Indexes data as the content of a file: fixed 52-byte records, a short last record
    // ignored.
    void Assign(std::string_view data);

    bool empty() const { return entries_.empty(); }
    // The prediction mark (the two digits at offset 46, PtWinRateRank; 0 when not a number)
    // of the record found for date yyyymmdd and the 2-character track code; -1 when no record
    // has both.
    int MarkFor(int date, std::string_view trackCode) const;

  private:
    struct Entry {
        uint64_t key;  // date * 65536 + the two track bytes
        int position;  // record position in the file
        int mark;
    };
    static uint64_t Key(int date, std::string_view trackCode);
    std::vector<Entry> entries_;  // by key, then by descending position
};

}  // namespace sorvane
