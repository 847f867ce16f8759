// The per-record rules by which NV records enter the day files: the bulk store of the
// acquisition (with its date condition and odds check mark), the real-time odds store and the
// real-time result store. Records are applied in memory (DayStore) and written whole at each
// Flush; the outcome of every record is counted.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"
#include "store/day_files.h"
#include "store/day_store.h"

namespace sorvane {

enum class StoreMode {
    Bulk,             // the acquisition's records (RACEDIFN)
    RealtimeOdds,     // after NVRTOpen "0B30": odds records only
    RealtimeResults,  // after NVRTOpen "0B12": RA, SE and HR records
};

enum class StoreVerdict { Stored, Ignored, Rejected };

// Why a record was refused although the record rules would not have ignored it. Each one
// keeps a record out of a file it would damage or a path it would escape.
enum class RejectReason {
    None,
    Damaged,  // not its type's length, or CR/LF/NUL inside the record
    TrackNotDigits,
    DateNotDigits,
    RaceAbove12,   // would not fit a runner file (12 races)
    HorseAbove18,  // would not fit a race's 18 slots
    BadBloodNumber,
};
inline constexpr int kRejectReasons = 7;
// A short English name for reports ("damaged", "race above 12", ...).
const char* RejectReasonName(RejectReason reason);

struct StoreOutcome {
    StoreVerdict verdict = StoreVerdict::Ignored;
    RejectReason reason = RejectReason::None;
};

struct StoreTally {
    std::array<int, 9> stored{};  // by DayFileKind
    int ignored = 0;
    std::array<int, kRejectReasons> rejected{};  // by RejectReason

    int Stored() const;
    int Rejected() const;
    int StoredOf(DayFileKind kind) const { return stored[static_cast<size_t>(kind)]; }
    int RejectedOf(RejectReason r) const { return rejected[static_cast<size_t>(r)]; }
};

// A few hundred MB of day files in memory at most; past it the store flushes and forgets.
inline constexpr size_t kDefaultStoreBudget = 256u << 20;

struct StoreOptions {
    StoreMode mode = StoreMode::Bulk;
    int fromDate = 0;       // Bulk: yyyymmdd of the chosen start, as a number
    bool storeOdds = true;  // Bulk: the check mark of CheckBox1 (KakuteiOzGet)
    // Counts the lines held and the contents queued for writing.
    size_t memoryBudget = kDefaultStoreBudget;
    // Background workers writing the day files (0: written by the flush itself).
    int writers = 0;
};

class RecordStore {
  public:
    // Throws FileError when the Data folder cannot be made.
    RecordStore(const ProgramFolder& folder, StoreOptions options);

    // Applies one record (with or without its CR LF, already Shift-JIS). When label is given
    // and the record was stored, it receives the text of MkDataLabel (bulk mode).
    StoreOutcome Put(std::string_view record, std::string* label = nullptr);

    // Writes every changed day file whole. The days whose final results are about to be
    // written are first added to the pending past-run build. Throws FileError.
    void Flush();
    // The same, returning once the files are queued to the background writers (without
    // writers, as Flush). A failure of a write shows at the next StartFlush or Flush, or at
    // a Put into a file still being written (which waits for the writes first).
    void StartFlush();

    // The RA day file names that received an RA record of data kind "7" (sorted, unique):
    // the input of the past-run build.
    const std::vector<std::string>& touchedDays() const { return touched_; }
    const StoreTally& tally() const { return tally_; }
    int filesWritten() const { return store_.filesWritten(); }

  private:
    StoreOutcome Count(StoreOutcome o, DayFileKind kind);
    StoreOutcome Reject(RejectReason r);
    void Touch(const std::string& raFileName);
    void MaybeFlushForBudget();
    void AddFreshToPending();

    const ProgramFolder& folder_;
    StoreOptions options_;
    DayStore store_;
    StoreTally tally_;
    std::vector<std::string> touched_;
    std::vector<std::string> journaled_;  // touched days already in the pending file
};

// Shift-JIS of a record as the link hands it over in UTF-16. Records of odds and numbers are
// ASCII, so those are narrowed directly; anything else goes through the code page.
std::string RecordFromLink(std::u16string_view utf16);
// The same into `out`, reusing its memory.
void RecordFromLink(std::u16string_view utf16, std::string& out);

}  // namespace sorvane
