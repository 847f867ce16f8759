// A horse's past-run file parsed once for the comparison engine: per record the fields the
// comparisons read, names as small integer ids, and an index from opponent name to the field
// entries that carry it, in file order.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/files.h"

namespace sorvane {

// Interns 18-byte name keys as ids 0, 1, 2 ...; blank names have no id (kNoName).
class NameTable {
  public:
    static constexpr int kNoName = -1;
    // The id of an 18-byte name, made when new; kNoName for a blank name.
    int Intern(std::string_view name18);
    // The id when the name is known, kNoName otherwise (it then matches no entry).
    int Find(std::string_view name18) const;

  private:
    std::unordered_map<std::string, int> ids_;
};

struct HistoryEntry {
    int name = NameTable::kNoName;
    int run = 0;   // index of the record holding the entry
    int slot = 0;  // 0-based position in the field block
    // The horse's corrected margin against this entry; valid when both times are non-zero.
    double corrected = 0;
    bool timed = false;
};

struct HistoryRun {
    int date = -1;        // yyyymmdd, -1 when the date is not 8 digits
    int runners = 0;      // registered runners: the field entries worth scanning
    int position = 0;     // the horse's confirmed finishing position
    bool usable = false;  // a date and at most 18 runners; other records are never used
    int firstEntry = 0;   // the record's entries are entries[firstEntry, firstEntry + count)
    int entryCount = 0;   // min(runners, 18) when usable, else 0

    bool Qualifies(int raceDate) const { return usable && date < raceDate && position >= 1; }
};

class HorseHistory {
  public:
    // Reads the horse's file; Found() is false when there is none.
    HorseHistory(const ProgramFolder& folder, std::string_view blood, NameTable& names);

    bool Found() const { return found_; }
    const std::vector<HistoryRun>& Runs() const { return runs_; }
    const HistoryEntry& Entry(int i) const { return entries_[static_cast<size_t>(i)]; }
    // True when one of the record's first `runners` entries has the name.
    bool Contains(const HistoryRun& run, int name) const;
    // Indices (into the entries) of every entry with the name, in file and field order.
    const std::vector<int>& EntriesNamed(int name) const;

  private:
    bool found_ = false;
    std::vector<HistoryRun> runs_;
    std::vector<HistoryEntry> entries_;
    std::unordered_map<int, std::vector<int>> byName_;
};

}  // namespace sorvane
