// The past runs of every runner of the loaded day: up to 100 past-run records per runner
// slot, newest first, in slots 0, 1, 2 ... without gaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/past_run_file.h"

namespace sorvane {

// Storage: each runner has one string of records and the byte offset of each past-run slot in
// it, so only filled past-run slots take memory; the rest read as blank records. A runner's
// records are either appended one by one or adopted whole from the bytes of the horse's
// past-run file (the day load), which saves copying every record: the slots then point into
// the file's bytes in the load's order. Storage is handed back and forth rather than freed,
// so reloading a day allocates nothing more once every runner has had a file of its size; a
// full day holds about the 143 MB of its records plus the unused bytes of its files.
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

    // Takes fileData (the bytes of a past-run file) as the runner's storage, with past-run slot
    // p at byte offset offsets[p]; fileData receives the runner's earlier storage with whatever
    // bytes it held, so the caller can read the next file over them. False, and nothing changed,
    // when the runner is out of range, there are more offsets than slots, or a record would run
    // past the end.
    bool Adopt(int race, int runner, std::string& fileData, std::span<const uint32_t> offsets);

    void ClearRunner(int race, int runner);
    void ClearAll();

    size_t AllocatedBytes() const;

  private:
    struct Runs {
        std::string data;
        std::vector<uint32_t> offsets;  // of past-run slot p in data
    };
    Runs* RunsOf(int race, int runner);
    const Runs* RunsOf(int race, int runner) const;

    int races_;
    int runners_;
    int maxRuns_;
    std::vector<Runs> runs_;  // [race * runners + runner]
};

}  // namespace sorvane
