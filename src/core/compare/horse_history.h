// A horse's past-run file parsed once for the comparison engine: per record the fields the
// comparisons read, names as small integer ids, and, for one race date, the field entries of
// the usable records grouped by name with their margins (the long lists sorted), so that a pair
// is compared per common opponent instead of per instance.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"

namespace sorvane {

// Interns 18-byte name keys as ids 0, 1, 2 ...; blank names have no id (kNoName).
class NameTable {
  public:
    static constexpr int kNoName = -1;
    NameTable();
    // The id of a name of 18 bytes (a shorter view is padded with blanks), made when new;
    // kNoName for a blank name.
    int Intern(std::string_view name18);
    // The id when the name is known, kNoName otherwise (it then matches no entry).
    int Find(std::string_view name18) const;
    int Size() const { return static_cast<int>(keys_.size()); }
    // The 18 bytes of a known id.
    std::string_view KeyOf(int id) const {
        return {keys_[static_cast<size_t>(id)].data(), kKeyLength};
    }
    // Forgets every name, keeping the memory, so that a table can serve file after file.
    void Clear();

    static constexpr size_t kKeyLength = 18;
    using Key = std::array<char, kKeyLength>;
    // The key of a name as the table holds it: its first 18 bytes, padded with blanks.
    static Key PaddedKey(std::string_view name);
    // The keys of the ids 0, 1, 2 ...
    const std::vector<Key>& Keys() const { return keys_; }

  private:
    // A slot holds its key beside its id, so that a lookup reads one place, not two.
    struct SlotEntry {
        Key key;
        int id = -1;  // -1 = empty
    };
    static uint64_t Hash(const Key& k);
    size_t Slot(const Key& k) const;
    void Grow();
    std::vector<Key> keys_;
    std::vector<SlotEntry> slots_;  // open addressing
    std::vector<size_t> used_;      // Clear's scratch
};

// 16 bytes: a day holds millions of them, and their memory is most of what reading costs.
struct HistoryEntry {
    int name = NameTable::kNoName;
    int run : 31 = 0;  // index of the record holding the entry
    bool timed : 1 = false;
    // The horse's corrected margin against this entry; valid when both times are non-zero.
    double corrected = 0;
};
static_assert(sizeof(HistoryEntry) == 16);

struct HistoryRun {
    int date = -1;        // yyyymmdd, -1 when the date is not 8 digits
    int runners = 0;      // registered runners: the field entries worth scanning
    int position = 0;     // the horse's confirmed finishing position
    bool usable = false;  // a date and at most 18 runners; other records are never used
    int firstEntry = 0;   // the record's entries are entries[firstEntry, firstEntry + count)
    int entryCount = 0;   // runners when usable, else 0

    bool Qualifies(int raceDate) const { return usable && date < raceDate && position >= 1; }
};

// The entries of one name in the records that qualify for a race date.
struct NameGroup {
    int name = NameTable::kNoName;
    int seqBegin = 0;  // the entries in file and field order: seq[seqBegin, +seqLen)
    int seqLen = 0;
    // The timed ones, timedValue/timedRun[.., +len): sorted by corrected margin when there
    // are more than kUnsortedMax (compare/margin_order.h) of them, else in file order.
    int timedBegin = 0;
    int timedLen = 0;
    // As the opponent's list on B's side, the untimed entries take a margin from before them:
    // `lead` untimed entries come before the first timed one (they take the margin of the
    // instance before the list); every later untimed one takes the last timed margin before
    // it, kept in fixedValue[fixedBegin, +fixedLen).
    int lead = 0;
    int fixedBegin = 0;
    int fixedLen = 0;
    bool anyTimed = false;
    double lastTimed = 0;  // the last timed margin in file order
    bool anyUntimed = false;
    // The bit of the name in the race masks, -1 for none (64 names have one: the first met).
    int maskBit = -1;
};

struct DayGroups {
    explicit DayGroups(std::pmr::memory_resource* memory)
        : groups(memory),
          seq(memory),
          seqRun(memory),
          timedValue(memory),
          timedRun(memory),
          timedMask(memory),
          fixedValue(memory) {}
    int raceDate = -2;  // the date they were made for
    std::pmr::vector<NameGroup> groups;
    std::pmr::vector<int> seq;     // entry indices
    std::pmr::vector<int> seqRun;  // the record of each, at hand without the entry
    std::pmr::vector<double> timedValue;
    std::pmr::vector<int> timedRun;
    // The race mask of each timed entry's record: the bits of the groups whose name ran in
    // it (NameGroup::maskBit).
    std::pmr::vector<uint64_t> timedMask;
    std::pmr::vector<double> fixedValue;
    // Group of a name id, by binary search over groups sorted by name; null if none.
    const NameGroup* Find(int name) const;
};

class HorseHistory {
  public:
    // Reads the horse's file through `buffer` (only while constructing), its names as ids of
    // `names`; Found() is false when there is none. The history's memory comes from `memory`,
    // which must outlive it.
    HorseHistory(const ProgramFolder& folder, std::string_view blood, NameTable& names,
                 FileBuffer& buffer, std::pmr::memory_resource* memory);
    // Reads the horse's file with names as ids of its own, so that histories of distinct
    // horses can be read at the same time: they are interned in `local`, which is cleared
    // first and free again when the constructor returns (the history keeps its names). Bind
    // must follow before ids are compared across histories.
    struct Unbound {
        NameTable& local;
    };
    HorseHistory(const ProgramFolder& folder, std::string_view blood, Unbound names,
                 FileBuffer& buffer, std::pmr::memory_resource* memory);
    // Moves the names of a history read unbound to ids of `names`, interned in the order the
    // file first has them (the ids the first constructor gives); groups made already are
    // kept. Nothing for a history read with `names`.
    void Bind(NameTable& names);

    bool Found() const { return found_; }
    const std::pmr::vector<HistoryRun>& Runs() const { return runs_; }
    const HistoryEntry& Entry(int i) const { return entries_[static_cast<size_t>(i)]; }
    // True when one of the record's first `runners` entries has the name.
    bool Contains(const HistoryRun& run, int name) const;
    // Contains of records[run], answered from a table for the name noted as the horse's own.
    bool RunHas(int run, int name) const {
        if (name != NameTable::kNoName && name == ownName_)
            return ownRuns_[static_cast<size_t>(run)] != 0;
        return Contains(runs_[static_cast<size_t>(run)], name);
    }
    // Notes which records hold the horse's own name (its 18-byte key, looked up in the
    // history's own names until Bind, else in `names`), since every comparison of the horse
    // asks that of the records it shares with the other horse. Made once; the history must
    // not be in use on another thread meanwhile.
    void NoteOwnName(std::string_view nameKey, const NameTable& names);
    // True when the name is the one noted and every record holds it: then the races shared
    // with another horse are those the other horse ran in.
    bool OwnNameEverywhere(int name) const {
        return ownEverywhere_ && name != NameTable::kNoName && name == ownName_;
    }
    // The entries of the records qualifying for the race date, grouped by name (made on
    // the first call for a date and kept until another date is asked for). `scratch` maps
    // name ids to -1, at least names.Size() long, and is left so. The groups' memory comes
    // from `memory`, which must outlive the history.
    const DayGroups& Groups(int raceDate, std::vector<int>& scratch,
                            std::pmr::memory_resource* memory);
    // The size a Groups scratch must have: the ids the entries may hold.
    int NameIds(const NameTable& names) const {
        return bound_ ? names.Size() : static_cast<int>(localKeys_.size());
    }

  private:
    void Read(const ProgramFolder& folder, std::string_view blood, NameTable& names,
              FileBuffer& buffer);

    bool bound_ = true;  // ids are of the engine's table; else of localKeys_
    std::pmr::vector<NameTable::Key> localKeys_;  // the names by id until Bind
    bool found_ = false;
    std::pmr::vector<HistoryRun> runs_;
    std::pmr::vector<HistoryEntry> entries_;
    std::optional<DayGroups> day_;
    bool ownNoted_ = false;
    int ownName_ = NameTable::kNoName;   // kNoName when no record holds it
    bool ownEverywhere_ = false;         // every record with entries holds it
    std::pmr::vector<uint8_t> ownRuns_;  // per record: 1 when it holds ownName_
};

}  // namespace sorvane
