// The past runs of every runner of the loaded day: up to 100 past-run records per runner
// slot, newest first, in slots 0, 1, 2 ... without gaps.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/past_run_file.h"

namespace sorvane {

// Storage: each runner's records lie back to back in one string of its own, so only filled
// past-run slots take memory; the rest read as blank records. A runner's string is given room
// for the full 100 records the first time it receives one and keeps it from day to day, so a
// full day (96 x 18 x 100 records) holds 96 x 18 x 82600 bytes, about 143 MB, and reloading
// allocates nothing more.
class PastRunTable {
  public:
    PastRunTable(int races, int runners, int maxRuns);

    int MaxRuns() const { return maxRuns_; }

    // Number of filled past-run slots of the runner (0 for slots out of range).
    int Count(int race, int runner) const;
    // The record in past-run slot p: exactly kPastRunRecordSize bytes, blanks for a slot beyond
    // Count or out of range.
    std::string_view At(int race, int runner, int p) const;
    // Copies rec (cut to kPastRunRecordSize or filled up with blanks) into the next free slot of
    // the runner. False, and nothing stored, when the runner's slots are full or out of range.
    bool Append(int race, int runner, std::string_view rec);

    void ClearRunner(int race, int runner);
    void ClearAll();

    size_t AllocatedBytes() const;

  private:
    std::string* Runs(int race, int runner);
    const std::string* Runs(int race, int runner) const;

    int races_;
    int runners_;
    int maxRuns_;
    std::vector<std::string> runs_;  // [race * runners + runner]
};

}  // namespace sorvane
