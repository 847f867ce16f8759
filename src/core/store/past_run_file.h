// The past-run file of a horse: SEI\<first 4 of the blood number>\<blood number>.kak, one
// 824-byte line plus CR LF per race the horse finished with final results. The line layout,
// its builder from the race's records, and a reader that views a file as fixed 826-byte
// records and never reads past a short or damaged one.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"
#include "store/records.h"

namespace sorvane {

inline constexpr const char* kPastRunFolder = "SEI";
inline constexpr const char* kPastRunExtension = ".kak";
inline constexpr size_t kPastRunLineLength = 824;
inline constexpr size_t kPastRunRecordSize = 826;
inline constexpr size_t kBloodNumberLength = 10;

// A blood registration number that may name a file: exactly 10 characters of [0-9A-Za-z].
// Anything else (blanks, "..", separators, Japanese) is refused before it reaches a path.
bool IsValidBloodNumber(std::string_view blood);
// "SEI\1234\1234567890.kak"; the caller checks IsValidBloodNumber first.
std::string PastRunPath(std::string_view blood);
// The sub-folder name (first 4 characters) and the file name.
std::string PastRunFolderName(std::string_view blood);
std::string PastRunFileName(std::string_view blood);

// Offsets of the fields of a line (0-based, widths in bytes).
namespace pr {
// Race block, from the race's RA record.
inline constexpr FieldPos kRaceKey{0, 16};
inline constexpr FieldPos kDate{0, 8};  // yyyymmdd
inline constexpr FieldPos kYear{0, 4};
inline constexpr FieldPos kMonthDay{4, 4};
inline constexpr FieldPos kTrackCode{8, 2};
inline constexpr FieldPos kMeeting{10, 2};
inline constexpr FieldPos kDayOfMeeting{12, 2};
inline constexpr FieldPos kRaceNumber{14, 2};
inline constexpr FieldPos kRaceShortName3{16, 6};
inline constexpr FieldPos kGradeCode{22, 1};
inline constexpr FieldPos kRaceKindCode{23, 2};
inline constexpr FieldPos kRaceSymbolCode{25, 3};
inline constexpr FieldPos kWeightKindCode{28, 1};
inline constexpr FieldPos kConditionCode{29, 3};
inline constexpr FieldPos kFirstPrize{32, 8};
inline constexpr FieldPos kDistance{40, 4};
inline constexpr FieldPos kTrackSurfaceCode{44, 2};
inline constexpr FieldPos kRegisteredRunners{46, 2};
inline constexpr FieldPos kStarters{48, 2};
inline constexpr FieldPos kFinishers{50, 2};
inline constexpr FieldPos kTurfGoingCode{52, 1};
inline constexpr FieldPos kDirtGoingCode{53, 1};
inline constexpr FieldPos kWeatherCode{54, 1};
// Horse block, from the horse's own SE record.
inline constexpr FieldPos kBloodNumber{55, 10};
inline constexpr FieldPos kHorseName{65, 18};
inline constexpr FieldPos kHorseNumber{83, 2};
inline constexpr FieldPos kBracketNumber{85, 1};
inline constexpr FieldPos kSexCode{86, 1};
inline constexpr FieldPos kAge{87, 2};
inline constexpr FieldPos kCarriedWeight{89, 3};
inline constexpr FieldPos kBlinker{92, 1};
inline constexpr FieldPos kJockeyShortName{93, 8};
inline constexpr FieldPos kApprenticeCode{101, 1};
inline constexpr FieldPos kTrainerShortName{102, 8};
inline constexpr FieldPos kAbnormalityCode{110, 1};
inline constexpr FieldPos kBodyWeight{111, 3};
inline constexpr FieldPos kBodyWeightSign{114, 1};
inline constexpr FieldPos kBodyWeightChange{115, 3};
inline constexpr FieldPos kCorner1{118, 2};
inline constexpr FieldPos kCorner2{120, 2};
inline constexpr FieldPos kCorner3{122, 2};
inline constexpr FieldPos kCorner4{124, 2};
inline constexpr FieldPos kLast4F{126, 3};
inline constexpr FieldPos kLast3F{129, 3};
inline constexpr FieldPos kFinishTime{132, 4};
inline constexpr FieldPos kArrivalOrder{136, 2};
inline constexpr FieldPos kFinishPosition{138, 2};
inline constexpr FieldPos kWinPopularity{140, 2};
inline constexpr FieldPos kWinOdds{142, 4};
inline constexpr FieldPos kPrizeMoney{146, 8};
inline constexpr FieldPos kAddedMoney{154, 8};
// Field block: 18 entries of 35 bytes in order of confirmed finishing position.
inline constexpr size_t kFieldBlockOffset = 162;
inline constexpr size_t kFieldEntrySize = 35;
inline constexpr int kFieldEntries = 18;
inline constexpr FieldPos kEntryName{0, 18};
inline constexpr FieldPos kEntryBlood{18, 10};
inline constexpr FieldPos kEntryTime{28, 4};
inline constexpr FieldPos kEntryWeight{32, 3};
inline constexpr size_t kReservedOffset = 792;  // 32 blanks
}  // namespace pr

// One runner of the field block.
struct PastRunEntry {
    std::string_view name;
    std::string_view blood;
    std::string_view time;
    std::string_view weight;
    bool IsBlank() const;
};

// A view of one line or record (with or without its CR LF); accessors are clamped like every
// record view.
struct PastRunRecord {
    std::string_view raw;

    PastRunRecord() = default;
    explicit PastRunRecord(std::string_view line) : raw(line) {}

    std::string_view At(FieldPos f) const { return Field(raw, f); }
    int IntAt(FieldPos f) const { return FieldInt(raw, f); }

    std::string_view RaceKey() const { return At(pr::kRaceKey); }
    std::string_view Date() const { return At(pr::kDate); }
    int DateNumber() const { return IntAt(pr::kDate); }
    std::string_view TrackCode() const { return At(pr::kTrackCode); }
    int RaceNumber() const { return IntAt(pr::kRaceNumber); }
    int Distance() const { return IntAt(pr::kDistance); }
    std::string_view TrackSurfaceCode() const { return At(pr::kTrackSurfaceCode); }
    int RegisteredRunners() const { return IntAt(pr::kRegisteredRunners); }
    std::string_view BloodNumber() const { return At(pr::kBloodNumber); }
    std::string_view HorseName() const { return At(pr::kHorseName); }
    int HorseNumber() const { return IntAt(pr::kHorseNumber); }
    int CarriedWeight() const { return IntAt(pr::kCarriedWeight); }
    std::string_view FinishTime() const { return At(pr::kFinishTime); }
    // Below 1: the horse did not finish in a placed position.
    int FinishPosition() const { return IntAt(pr::kFinishPosition); }
    // Entry k = 0..17 of the field block; other k give an empty entry.
    PastRunEntry Entry(int k) const;
};

// The blocks of a line. Fields are copied unchanged; a source shorter than its record (a
// damaged record) gives blanks where bytes are missing, so a line is always 824 bytes.
std::string PastRunRaceBlock(std::string_view ra);          // 55 bytes
std::string PastRunHorseBlock(std::string_view se);         // 107 bytes
using RunnerSlots = std::array<std::string_view, 18>;       // a race's SE records, blank if none
std::string PastRunFieldBlock(const RunnerSlots& runners);  // 630 bytes
// Race block + horse block of runner `slot` + field block + 32 blanks.
std::string MakePastRunLine(std::string_view ra, const RunnerSlots& runners, int slot);

// The lines of one race's runners, as MakePastRunLine makes them, with the race and field
// blocks made once for the race. The runner slots must outlive it.
class RacePastRunLines {
  public:
    RacePastRunLines(std::string_view ra, const RunnerSlots& runners);
    // MakePastRunLine(ra, runners, slot).
    std::string Line(int slot) const;

  private:
    const RunnerSlots& runners_;
    std::string race_;
    std::string field_;
};

// Replaces the first line whose first 16 bytes (the race key) equal the new line's, or appends.
void PutPastRunLine(std::vector<std::string>& lines, std::string line);

// True for a whole record: 826 bytes, CR LF at 824, no CR, LF or NUL before it.
bool IsWholePastRunRecord(std::string_view record);

// A past-run file read whole and viewed as fixed 826-byte records. Count() is the number of
// whole records before the first short or damaged one; nothing after it is ever read.
class PastRunFile {
  public:
    PastRunFile() = default;
    explicit PastRunFile(std::string data);
    // The records are views into the file's own string or a caller's buffer: a copy would
    // view the original's memory.
    PastRunFile(const PastRunFile&) = delete;
    PastRunFile& operator=(const PastRunFile&) = delete;

    // Reads the file; false when it does not exist (Count() is then 0). Throws FileError when
    // it exists but cannot be read.
    bool Load(const fs::path& path);
    // The horse's file under the program folder (false also for an invalid blood number).
    bool Load(const ProgramFolder& folder, std::string_view blood);
    // The same, read into `buffer` and viewed there: the records stay valid while the buffer
    // is not read again. For readers of many files, which so reuse one buffer's memory.
    bool Load(const ProgramFolder& folder, std::string_view blood, FileBuffer& buffer);

    size_t Count() const { return count_; }
    // Record n (0 = oldest) for n < Count(); an empty view otherwise.
    PastRunRecord Record(size_t n) const;
    // True when bytes remain after the whole records (a short or damaged record).
    bool Damaged() const { return count_ * kPastRunRecordSize != view_.size(); }

  private:
    // Forgets what was held; the file's path, or nothing for an invalid or unsafe number.
    std::optional<fs::path> Reset(const ProgramFolder& folder, std::string_view blood);
    void Scan();
    std::string data_;
    std::string_view view_;  // data_, or the buffer of the last Load with one
    size_t count_ = 0;
};

}  // namespace sorvane
