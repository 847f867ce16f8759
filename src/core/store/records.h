// The NV records as they come from the link and lie in the day files: record types and
// lengths, the common header, and named views of the RA, SE, HR and TC fields the program reads.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/fields.h"

namespace sorvane {

// Unknown stands for any record the program does not read; every reader skips it.
enum class RecordType { Unknown, RA, SE, HR, TC, O1, O2, O3, O4, O5, O6 };

// Length of a record as delivered, its final CR LF included; 0 for Unknown.
size_t RecordLength(RecordType type);
// Length of the same record as a day-file line (no CR LF); 0 for Unknown.
size_t LineLength(RecordType type);
// The two-letter code at offset 0 ("RA", "O6"); empty for Unknown.
std::string_view RecordTypeCode(RecordType type);
// The type named by the first two bytes; Unknown for any other text or a record too short.
RecordType RecordTypeOf(std::string_view rec);
// The record without its final CR LF (or a lone LF or CR), so that delivered records and
// day-file lines read alike.
std::string_view WithoutLineEnd(std::string_view rec);

// A fixed field: 0-based byte offset and width in the Shift-JIS form.
struct FieldPos {
    size_t offset;
    size_t width;
};

inline std::string_view Field(std::string_view rec, FieldPos f) {
    return Field(rec, f.offset, f.width);
}
inline int FieldInt(std::string_view rec, FieldPos f) { return FieldInt(rec, f.offset, f.width); }

// Common header of every record type.
namespace hdr {
inline constexpr FieldPos kType{0, 2};
inline constexpr FieldPos kDataKind{2, 1};
inline constexpr FieldPos kCreationDate{3, 8};  // yyyymmdd
// Year, month-day, track, meeting, day and race number: identifies a race in every type.
inline constexpr FieldPos kRaceKey{11, 16};
inline constexpr FieldPos kRaceDate{11, 8};  // yyyymmdd
inline constexpr FieldPos kYear{11, 4};
inline constexpr FieldPos kMonthDay{15, 4};  // mmdd
inline constexpr FieldPos kMonth{15, 2};
inline constexpr FieldPos kDay{17, 2};
inline constexpr FieldPos kTrackCode{19, 2};
inline constexpr FieldPos kMeeting{21, 2};
inline constexpr FieldPos kDayOfMeeting{23, 2};
inline constexpr FieldPos kRaceNumber{25, 2};
// Data kind of the final results of RA and SE records.
inline constexpr char kFinalResultsKind = '7';
}  // namespace hdr

// A read-only view of one record (with or without its CR LF). Every accessor is clamped to the
// bytes present: a short or damaged record gives short or empty texts and 0 for numbers, never
// a read past its end. The viewed bytes must outlive the view.
struct RecordView {
    std::string_view raw;

    RecordView() = default;
    explicit RecordView(std::string_view rec) : raw(rec) {}

    std::string_view At(FieldPos f) const { return Field(raw, f); }
    int IntAt(FieldPos f) const { return FieldInt(raw, f); }

    RecordType Type() const { return RecordTypeOf(raw); }
    std::string_view TypeCode() const { return At(hdr::kType); }
    // True when the record holds at least the line length of its own type.
    bool HasFullLength() const {
        size_t need = LineLength(Type());
        return need != 0 && raw.size() >= need;
    }

    std::string_view DataKind() const { return At(hdr::kDataKind); }
    std::string_view CreationDate() const { return At(hdr::kCreationDate); }
    std::string_view RaceKey() const { return At(hdr::kRaceKey); }
    std::string_view RaceDate() const { return At(hdr::kRaceDate); }
    // The race date yyyymmdd as a number (0 when blank).
    int RaceDateNumber() const { return IntAt(hdr::kRaceDate); }
    int Year() const { return IntAt(hdr::kYear); }
    std::string_view YearText() const { return At(hdr::kYear); }
    std::string_view MonthDay() const { return At(hdr::kMonthDay); }
    int Month() const { return IntAt(hdr::kMonth); }
    int Day() const { return IntAt(hdr::kDay); }
    std::string_view TrackCode() const { return At(hdr::kTrackCode); }
    // The track code as a number; codes with letters (foreign tracks) read as 0.
    int TrackNumber() const { return IntAt(hdr::kTrackCode); }
    int Meeting() const { return IntAt(hdr::kMeeting); }
    std::string_view MeetingText() const { return At(hdr::kMeeting); }
    int DayOfMeeting() const { return IntAt(hdr::kDayOfMeeting); }
    std::string_view DayOfMeetingText() const { return At(hdr::kDayOfMeeting); }
    int RaceNumber() const { return IntAt(hdr::kRaceNumber); }
    std::string_view RaceNumberText() const { return At(hdr::kRaceNumber); }
};

// RA: one race.
namespace ra {
inline constexpr FieldPos kWeekdayCode{27, 1};
inline constexpr FieldPos kRaceName{32, 60};
inline constexpr FieldPos kRaceShortName6{592, 12};
inline constexpr FieldPos kRaceShortName3{604, 6};
inline constexpr FieldPos kGradeEdition{611, 3};
inline constexpr FieldPos kGradeCode{614, 1};
inline constexpr FieldPos kRaceKindCode{616, 2};
inline constexpr FieldPos kRaceSymbolCode{618, 3};
inline constexpr FieldPos kWeightKindCode{621, 1};
// Condition codes of the age groups 2, 3, 4 and 5 years and older, 3 bytes each.
inline constexpr size_t kConditionOffset = 622;
inline constexpr size_t kConditionWidth = 3;
inline constexpr int kConditionGroups = 4;
inline constexpr FieldPos kYoungestConditionCode{634, 3};
inline constexpr FieldPos kDistance{697, 4};  // metres
inline constexpr FieldPos kTrackSurfaceCode{705, 2};
inline constexpr FieldPos kFirstPrize{713, 8};
inline constexpr FieldPos kPostTime{873, 4};  // hhmm
inline constexpr FieldPos kRegisteredRunners{881, 2};
inline constexpr FieldPos kStarters{883, 2};
inline constexpr FieldPos kFinishers{885, 2};
inline constexpr FieldPos kWeatherCode{887, 1};
inline constexpr FieldPos kTurfGoingCode{888, 1};
inline constexpr FieldPos kDirtGoingCode{889, 1};
}  // namespace ra

struct RaRecord : RecordView {
    using RecordView::RecordView;

    std::string_view WeekdayCode() const { return At(ra::kWeekdayCode); }
    int Weekday() const { return IntAt(ra::kWeekdayCode); }
    std::string_view RaceName() const { return At(ra::kRaceName); }
    std::string_view RaceShortName6() const { return At(ra::kRaceShortName6); }
    std::string_view RaceShortName3() const { return At(ra::kRaceShortName3); }
    std::string_view GradeEditionText() const { return At(ra::kGradeEdition); }
    int GradeEdition() const { return IntAt(ra::kGradeEdition); }
    std::string_view GradeCode() const { return At(ra::kGradeCode); }
    std::string_view RaceKindCode() const { return At(ra::kRaceKindCode); }
    std::string_view RaceSymbolCode() const { return At(ra::kRaceSymbolCode); }
    std::string_view WeightKindCode() const { return At(ra::kWeightKindCode); }
    // group 0..3: 2-year-olds, 3-year-olds, 4-year-olds, 5 years and older; other groups give
    // empty text.
    std::string_view ConditionCode(int group) const {
        if (group < 0 || group >= ra::kConditionGroups) return {};
        return At({ra::kConditionOffset + static_cast<size_t>(group) * ra::kConditionWidth,
                   ra::kConditionWidth});
    }
    int Condition(int group) const { return ToInt(ConditionCode(group)); }
    std::string_view YoungestConditionCode() const { return At(ra::kYoungestConditionCode); }
    int YoungestCondition() const { return IntAt(ra::kYoungestConditionCode); }
    int Distance() const { return IntAt(ra::kDistance); }
    std::string_view DistanceText() const { return At(ra::kDistance); }
    std::string_view TrackSurfaceCode() const { return At(ra::kTrackSurfaceCode); }
    int FirstPrize() const { return IntAt(ra::kFirstPrize); }
    std::string_view FirstPrizeText() const { return At(ra::kFirstPrize); }
    std::string_view PostTime() const { return At(ra::kPostTime); }
    int RegisteredRunners() const { return IntAt(ra::kRegisteredRunners); }
    std::string_view RegisteredRunnersText() const { return At(ra::kRegisteredRunners); }
    int Starters() const { return IntAt(ra::kStarters); }
    int Finishers() const { return IntAt(ra::kFinishers); }
    std::string_view WeatherCode() const { return At(ra::kWeatherCode); }
    std::string_view TurfGoingCode() const { return At(ra::kTurfGoingCode); }
    std::string_view DirtGoingCode() const { return At(ra::kDirtGoingCode); }
};

// SE: one runner of a race.
namespace se {
inline constexpr FieldPos kBracketNumber{27, 1};
inline constexpr FieldPos kHorseNumber{28, 2};
inline constexpr FieldPos kBloodNumber{30, 10};
inline constexpr FieldPos kHorseName{40, 36};       // full-width, padded with full-width blanks
inline constexpr FieldPos kHorseShortName{40, 18};  // the first 9 full-width characters
inline constexpr FieldPos kSexCode{78, 1};
inline constexpr FieldPos kAge{82, 2};
inline constexpr FieldPos kTrainerShortName{90, 8};
inline constexpr FieldPos kCarriedWeight{288, 3};  // tenths of a kilogram
inline constexpr FieldPos kBlinker{294, 1};
inline constexpr FieldPos kJockeyShortName{306, 8};
inline constexpr FieldPos kApprenticeCode{322, 1};
inline constexpr FieldPos kBodyWeight{324, 3};  // kilograms
inline constexpr FieldPos kBodyWeightSign{327, 1};
inline constexpr FieldPos kBodyWeightChange{328, 3};
inline constexpr FieldPos kAbnormalityCode{331, 1};
inline constexpr FieldPos kArrivalOrder{332, 2};
inline constexpr FieldPos kFinishPosition{334, 2};
inline constexpr FieldPos kFinishTime{338, 4};  // m + ttt (tenths of seconds): "1234" = 1:23.4
// Positions at the 1st to 4th corner, 2 bytes each.
inline constexpr size_t kCornerOffset = 351;
inline constexpr size_t kCornerWidth = 2;
inline constexpr int kCorners = 4;
inline constexpr FieldPos kWinOdds{359, 4};  // odds times ten
inline constexpr FieldPos kWinPopularity{363, 2};
inline constexpr FieldPos kPrizeMoney{365, 8};
inline constexpr FieldPos kAddedMoney{373, 8};
inline constexpr FieldPos kLast4F{387, 3};  // tenths of seconds
inline constexpr FieldPos kLast3F{390, 3};  // tenths of seconds
}  // namespace se

struct SeRecord : RecordView {
    using RecordView::RecordView;

    int BracketNumber() const { return IntAt(se::kBracketNumber); }
    int HorseNumber() const { return IntAt(se::kHorseNumber); }
    std::string_view HorseNumberText() const { return At(se::kHorseNumber); }
    std::string_view BloodNumber() const { return At(se::kBloodNumber); }
    std::string_view HorseName() const { return At(se::kHorseName); }
    std::string_view ShortName() const { return At(se::kHorseShortName); }
    std::string_view SexCode() const { return At(se::kSexCode); }
    int Age() const { return IntAt(se::kAge); }
    std::string_view TrainerShortName() const { return At(se::kTrainerShortName); }
    // Tenths of a kilogram ("560" = 56.0 kg).
    int CarriedWeight() const { return IntAt(se::kCarriedWeight); }
    std::string_view CarriedWeightText() const { return At(se::kCarriedWeight); }
    std::string_view Blinker() const { return At(se::kBlinker); }
    std::string_view JockeyShortName() const { return At(se::kJockeyShortName); }
    std::string_view ApprenticeCode() const { return At(se::kApprenticeCode); }
    int BodyWeight() const { return IntAt(se::kBodyWeight); }
    std::string_view BodyWeightText() const { return At(se::kBodyWeight); }
    std::string_view BodyWeightSign() const { return At(se::kBodyWeightSign); }
    // The change as written, without its sign.
    int BodyWeightChange() const { return IntAt(se::kBodyWeightChange); }
    std::string_view BodyWeightChangeText() const { return At(se::kBodyWeightChange); }
    // The change with its sign applied ("-" makes it negative).
    int SignedBodyWeightChange() const {
        return BodyWeightSign() == "-" ? -BodyWeightChange() : BodyWeightChange();
    }
    std::string_view AbnormalityCode() const { return At(se::kAbnormalityCode); }
    int ArrivalOrder() const { return IntAt(se::kArrivalOrder); }
    int FinishPosition() const { return IntAt(se::kFinishPosition); }
    std::string_view FinishPositionText() const { return At(se::kFinishPosition); }
    std::string_view FinishTime() const { return At(se::kFinishTime); }
    // The finishing time in tenths of a second ("1234" = 1:23.4 = 834); 0 when blank.
    int FinishTimeTenths() const {
        std::string_view t = FinishTime();
        if (t.size() < se::kFinishTime.width) return 0;
        return ToInt(t.substr(0, 1)) * 600 + ToInt(t.substr(1, 3));
    }
    // corner 1..4; other corners give empty text and 0.
    std::string_view CornerText(int corner) const {
        if (corner < 1 || corner > se::kCorners) return {};
        return At({se::kCornerOffset + static_cast<size_t>(corner - 1) * se::kCornerWidth,
                   se::kCornerWidth});
    }
    int Corner(int corner) const { return ToInt(CornerText(corner)); }
    // Odds times ten.
    int WinOdds() const { return IntAt(se::kWinOdds); }
    std::string_view WinOddsText() const { return At(se::kWinOdds); }
    int WinPopularity() const { return IntAt(se::kWinPopularity); }
    int PrizeMoney() const { return IntAt(se::kPrizeMoney); }
    int AddedMoney() const { return IntAt(se::kAddedMoney); }
    int Last4F() const { return IntAt(se::kLast4F); }
    std::string_view Last4FText() const { return At(se::kLast4F); }
    int Last3F() const { return IntAt(se::kLast3F); }
    std::string_view Last3FText() const { return At(se::kLast3F); }
};

// The blocks of the payout and odds records, one per bet kind and numbered as the bet kinds:
// 単勝, 複勝, 枠連, 馬連, ワイド, 馬単, ３連複, ３連単.
enum class BetBlock { Win, Place, Bracket, Quinella, Wide, Exacta, Trio, Trifecta };
inline constexpr int kBetBlocks = 8;

// Where the entries of one block lie: entry i starts at offset + i * stride and holds the
// combination, then valueCount values of valueWidth each (one, or the minimum and maximum odds
// of 複勝 and ワイド), then the popularity.
struct EntryLayout {
    size_t offset;
    size_t stride;
    int count;
    size_t combinationWidth;
    size_t valueWidth;
    int valueCount;
    size_t popularityWidth;
};

// HR: payouts of a race, in yen per 100-yen stake. An unknown block has no entries.
const EntryLayout& PayoutLayout(BetBlock block);

struct PayoutEntry {
    std::string_view combination;  // horse number, bracket digits or 2-digit horse numbers
    std::string_view payoutText;
    std::string_view popularityText;

    int Payout() const { return ToInt(payoutText); }
    int Popularity() const { return ToInt(popularityText); }
    bool IsBlank() const {
        return sorvane::IsBlank(combination) && sorvane::IsBlank(payoutText) &&
               sorvane::IsBlank(popularityText);
    }
};

struct HrRecord : RecordView {
    using RecordView::RecordView;

    static int EntryCount(BetBlock block) { return PayoutLayout(block).count; }
    // Entry i of the block; an index outside the block, or an entry not wholly inside the
    // record, gives an empty entry.
    PayoutEntry Entry(BetBlock block, int i) const;
};

// TC: a change of post time.
namespace tc {
inline constexpr FieldPos kAnnouncementTime{27, 8};  // MMDDhhmm
inline constexpr FieldPos kNewPostTime{35, 4};       // hhmm
}  // namespace tc

struct TcRecord : RecordView {
    using RecordView::RecordView;

    std::string_view AnnouncementTime() const { return At(tc::kAnnouncementTime); }
    std::string_view NewPostTime() const { return At(tc::kNewPostTime); }
};

}  // namespace sorvane
