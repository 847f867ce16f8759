// NV record layouts: type dispatch and lengths, field positions, payout and odds entries, and
// safe reading of short records.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "base/text_format.h"
#include "record_fixtures.h"
#include "store/record_odds.h"
#include "store/records.h"

namespace sorvane {
namespace {

TEST(Records, TypesLengthsAndDispatch) {
    struct Case {
        RecordType type;
        const char* code;
        size_t length;
    } cases[] = {{RecordType::RA, "RA", 1272},  {RecordType::SE, "SE", 555},
                 {RecordType::HR, "HR", 719},   {RecordType::TC, "TC", 45},
                 {RecordType::O1, "O1", 962},   {RecordType::O2, "O2", 2042},
                 {RecordType::O3, "O3", 2654},  {RecordType::O4, "O4", 4031},
                 {RecordType::O5, "O5", 12293}, {RecordType::O6, "O6", 83285}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(RecordLength(c.type), c.length);
        EXPECT_EQ(LineLength(c.type), c.length - 2);
        EXPECT_EQ(RecordTypeCode(c.type), c.code);
        std::string line = BlankRecord(c.type);
        EXPECT_EQ(line.size(), c.length - 2);
        EXPECT_EQ(RecordTypeOf(line), c.type);
        EXPECT_EQ(RecordTypeOf(line + "\r\n"), c.type);
        RecordView view(line);
        EXPECT_TRUE(view.HasFullLength());
        EXPECT_FALSE(RecordView(std::string_view(line).substr(0, line.size() - 1)).HasFullLength());
    }
    for (const char* other : {"", "R", "ra", "O7", "O0", "JG1234", " RA", "H1"}) {
        EXPECT_EQ(RecordTypeOf(other), RecordType::Unknown) << '"' << other << '"';
    }
    EXPECT_EQ(RecordLength(RecordType::Unknown), 0u);
    EXPECT_EQ(LineLength(RecordType::Unknown), 0u);
    EXPECT_FALSE(RecordView("XX7").HasFullLength());
    EXPECT_EQ(WithoutLineEnd("RA1\r\n"), "RA1");
    EXPECT_EQ(WithoutLineEnd("RA1\n"), "RA1");
    EXPECT_EQ(WithoutLineEnd("RA1"), "RA1");
}

TEST(Records, CommonHeaderOnEveryType) {
    for (RecordType t : {RecordType::RA, RecordType::SE, RecordType::HR, RecordType::TC,
                         RecordType::O1, RecordType::O6}) {
        std::string rec = BlankRecord(t);
        Put(rec, 2, "7");
        Put(rec, 3, "20240614");
        Put(rec, 11, "2024061544030512");  // 2024-06-15, 大井 (44), meeting 3, day 5, race 12
        RecordView v(rec);
        SCOPED_TRACE(std::string(v.TypeCode()));
        EXPECT_EQ(v.Type(), t);
        EXPECT_EQ(v.DataKind(), "7");
        EXPECT_EQ(v.CreationDate(), "20240614");
        EXPECT_EQ(v.RaceKey(), "2024061544030512");
        EXPECT_EQ(v.RaceDate(), "20240615");
        EXPECT_EQ(v.RaceDateNumber(), 20240615);
        EXPECT_EQ(v.Year(), 2024);
        EXPECT_EQ(v.MonthDay(), "0615");
        EXPECT_EQ(v.Month(), 6);
        EXPECT_EQ(v.Day(), 15);
        EXPECT_EQ(v.TrackCode(), "44");
        EXPECT_EQ(v.TrackNumber(), 44);
        EXPECT_EQ(v.Meeting(), 3);
        EXPECT_EQ(v.DayOfMeeting(), 5);
        EXPECT_EQ(v.RaceNumber(), 12);
        EXPECT_EQ(v.RaceNumberText(), "12");
    }
}

TEST(Records, BlankNumericFieldsReadZero) {
    std::string ra = BlankRecord(RecordType::RA);
    RaRecord r(ra);
    EXPECT_EQ(r.RaceNumber(), 0);
    EXPECT_EQ(r.RaceNumberText(), "  ");
    EXPECT_EQ(r.RaceDateNumber(), 0);
    EXPECT_EQ(r.Distance(), 0);
    EXPECT_EQ(r.RegisteredRunners(), 0);
    EXPECT_EQ(r.FirstPrize(), 0);
    EXPECT_EQ(r.PostTime(), "    ");
    std::string se = BlankRecord(RecordType::SE);
    SeRecord s(se);
    EXPECT_EQ(s.HorseNumber(), 0);
    EXPECT_EQ(s.FinishTimeTenths(), 0);
    EXPECT_EQ(s.WinOdds(), 0);
    EXPECT_EQ(s.SignedBodyWeightChange(), 0);
    // A foreign track code with letters is not a number.
    Put(ra, 19, "A4");
    EXPECT_EQ(RaRecord(ra).TrackNumber(), 0);
    EXPECT_EQ(RaRecord(ra).TrackCode(), "A4");
}

// Each field gets a distinct value of its full width; every accessor must read exactly its own,
// which catches a wrong offset as well as a width that reaches into a neighbour.
template <class R>
struct FieldCase {
    size_t offset;
    std::string text;
    std::function<std::string(const R&)> read;
};

template <class R>
void CheckFields(RecordType type, const std::vector<FieldCase<R>>& cases) {
    std::string rec = BlankRecord(type);
    for (const auto& c : cases) Put(rec, c.offset, c.text);
    ASSERT_EQ(rec.size(), LineLength(type));
    R r(rec);
    for (const auto& c : cases) EXPECT_EQ(c.read(r), c.text) << "field at offset " << c.offset;
}

std::string S(std::string_view v) { return std::string(v); }
std::string Format2(int v) { return Format("%02d", v); }

TEST(Records, RaFieldPositions) {
    using R = RaRecord;
    const std::string name = Sj("東京記念") + std::string(52, ' ');
    CheckFields<R>(RecordType::RA,
                   {
                       {27, "3", [](const R& r) { return S(r.WeekdayCode()); }},
                       {32, name, [](const R& r) { return S(r.RaceName()); }},
                       {592, Sj("東京記念Ｓ　"), [](const R& r) { return S(r.RaceShortName6()); }},
                       {604, Sj("東京記"), [](const R& r) { return S(r.RaceShortName3()); }},
                       {611, "067", [](const R& r) { return S(r.GradeEditionText()); }},
                       {614, "A", [](const R& r) { return S(r.GradeCode()); }},
                       {616, "13", [](const R& r) { return S(r.RaceKindCode()); }},
                       {618, "N41", [](const R& r) { return S(r.RaceSymbolCode()); }},
                       {621, "2", [](const R& r) { return S(r.WeightKindCode()); }},
                       {622, "701", [](const R& r) { return S(r.ConditionCode(0)); }},
                       {625, "010", [](const R& r) { return S(r.ConditionCode(1)); }},
                       {628, "020", [](const R& r) { return S(r.ConditionCode(2)); }},
                       {631, "999", [](const R& r) { return S(r.ConditionCode(3)); }},
                       {634, "703", [](const R& r) { return S(r.YoungestConditionCode()); }},
                       {697, "2400", [](const R& r) { return S(r.DistanceText()); }},
                       {705, "24", [](const R& r) { return S(r.TrackSurfaceCode()); }},
                       {713, "00045000", [](const R& r) { return S(r.FirstPrizeText()); }},
                       {873, "2010", [](const R& r) { return S(r.PostTime()); }},
                       {881, "16", [](const R& r) { return S(r.RegisteredRunnersText()); }},
                       {883, "15", [](const R& r) { return std::to_string(r.Starters()); }},
                       {885, "14", [](const R& r) { return std::to_string(r.Finishers()); }},
                       {887, "1", [](const R& r) { return S(r.WeatherCode()); }},
                       {888, "2", [](const R& r) { return S(r.TurfGoingCode()); }},
                       {889, "3", [](const R& r) { return S(r.DirtGoingCode()); }},
                   });

    std::string rec = BlankRecord(RecordType::RA);
    Put(rec, 697, "1400");
    Put(rec, 881, "08");
    Put(rec, 625, "010");
    RaRecord r(rec);
    EXPECT_EQ(r.Distance(), 1400);
    EXPECT_EQ(r.RegisteredRunners(), 8);
    EXPECT_EQ(r.Condition(1), 10);
    EXPECT_EQ(r.ConditionCode(4), "");  // no fifth age group
    EXPECT_EQ(r.ConditionCode(-1), "");
}

TEST(Records, SeFieldPositions) {
    using R = SeRecord;
    const std::string name = Sj("ハイセイコー　　　　　　　　　　　　");  // 6 + 12 blanks = 36
    ASSERT_EQ(name.size(), 36u);
    CheckFields<R>(RecordType::SE,
                   {
                       {27, "4", [](const R& r) { return std::to_string(r.BracketNumber()); }},
                       {28, "07", [](const R& r) { return S(r.HorseNumberText()); }},
                       {30, "2019104321", [](const R& r) { return S(r.BloodNumber()); }},
                       {40, name, [](const R& r) { return S(r.HorseName()); }},
                       {78, "2", [](const R& r) { return S(r.SexCode()); }},
                       {82, "05", [](const R& r) { return Format2(r.Age()); }},
                       {90, Sj("佐々木竹"), [](const R& r) { return S(r.TrainerShortName()); }},
                       {288, "555", [](const R& r) { return S(r.CarriedWeightText()); }},
                       {294, "1", [](const R& r) { return S(r.Blinker()); }},
                       {306, Sj("的場文男"), [](const R& r) { return S(r.JockeyShortName()); }},
                       {322, "3", [](const R& r) { return S(r.ApprenticeCode()); }},
                       {324, "468", [](const R& r) { return S(r.BodyWeightText()); }},
                       {327, "-", [](const R& r) { return S(r.BodyWeightSign()); }},
                       {328, "012", [](const R& r) { return S(r.BodyWeightChangeText()); }},
                       {331, "0", [](const R& r) { return S(r.AbnormalityCode()); }},
                       {332, "11", [](const R& r) { return std::to_string(r.ArrivalOrder()); }},
                       {334, "10", [](const R& r) { return S(r.FinishPositionText()); }},
                       {338, "1234", [](const R& r) { return S(r.FinishTime()); }},
                       {351, "01", [](const R& r) { return S(r.CornerText(1)); }},
                       {353, "02", [](const R& r) { return S(r.CornerText(2)); }},
                       {355, "03", [](const R& r) { return S(r.CornerText(3)); }},
                       {357, "04", [](const R& r) { return S(r.CornerText(4)); }},
                       {359, "0123", [](const R& r) { return S(r.WinOddsText()); }},
                       {363, "06", [](const R& r) { return Format2(r.WinPopularity()); }},
                       {365, "00012345", [](const R& r) { return Format("%08d", r.PrizeMoney()); }},
                       {373, "00000678", [](const R& r) { return Format("%08d", r.AddedMoney()); }},
                       {387, "512", [](const R& r) { return S(r.Last4FText()); }},
                       {390, "389", [](const R& r) { return S(r.Last3FText()); }},
                   });
}

TEST(Records, SeDerivedValues) {
    std::string rec = BlankRecord(RecordType::SE);
    Put(rec, 40, Sj("ハイセイコー　　　　　　　　　　　　"));
    Put(rec, 288, "555");
    Put(rec, 327, "-");
    Put(rec, 328, "012");
    Put(rec, 338, "1234");
    Put(rec, 359, "0123");
    SeRecord r(rec);
    // A name shorter than 9 characters: the short name keeps the padding up to 18 bytes.
    EXPECT_EQ(r.ShortName(), Sj("ハイセイコー　　　"));
    EXPECT_EQ(r.CarriedWeight(), 555);
    EXPECT_EQ(r.BodyWeightChange(), 12);
    EXPECT_EQ(r.SignedBodyWeightChange(), -12);
    EXPECT_EQ(r.FinishTimeTenths(), 834);  // 1:23.4
    EXPECT_EQ(r.WinOdds(), 123);
    EXPECT_EQ(r.Corner(0), 0);
    EXPECT_EQ(r.Corner(5), 0);
    Put(rec, 327, "+");
    EXPECT_EQ(SeRecord(rec).SignedBodyWeightChange(), 12);

    // A long name: the short name is its first 9 characters, never half a character.
    Put(rec, 40, Sj("アイウエオカキクケコサシスセソタチツ"));
    EXPECT_EQ(SeRecord(rec).ShortName(), Sj("アイウエオカキクケ"));
}

TEST(Records, ShortRecordsReadSafely) {
    std::string full = BlankRecord(RecordType::SE);
    Put(full, 11, "2024061544030512");
    Put(full, 28, "07");
    Put(full, 338, "1234");
    Put(full, 359, "0123");
    Put(full, 390, "389");
    // Cut in the middle of the finishing time: the fields beyond read empty and 0.
    std::string cut = full.substr(0, 340);
    SeRecord r(cut);
    EXPECT_FALSE(r.HasFullLength());
    EXPECT_EQ(r.HorseNumber(), 7);
    EXPECT_EQ(r.FinishTime(), "12");
    EXPECT_EQ(r.FinishTimeTenths(), 0);
    EXPECT_EQ(r.WinOdds(), 0);
    EXPECT_EQ(r.WinOddsText(), "");
    EXPECT_EQ(r.Last3F(), 0);
    EXPECT_EQ(r.CornerText(4), "");

    // A stub of a record still dispatches on its two bytes and reads nothing else.
    RaRecord stub(std::string_view("RA"));
    EXPECT_EQ(stub.Type(), RecordType::RA);
    EXPECT_FALSE(stub.HasFullLength());
    EXPECT_EQ(stub.RaceKey(), "");
    EXPECT_EQ(stub.RaceNumber(), 0);
    EXPECT_EQ(stub.RaceName(), "");
    EXPECT_EQ(stub.ConditionCode(3), "");
    RecordView empty;
    EXPECT_EQ(empty.Type(), RecordType::Unknown);
    EXPECT_EQ(empty.TrackCode(), "");
}

TEST(Records, TcFields) {
    std::string rec = BlankRecord(RecordType::TC);
    Put(rec, 11, "2024061544030512");
    Put(rec, 27, "06151432");
    Put(rec, 35, "1505");
    const std::string delivered = rec + "\r\n";
    TcRecord r(delivered);
    EXPECT_EQ(r.AnnouncementTime(), "06151432");
    EXPECT_EQ(r.NewPostTime(), "1505");
    EXPECT_TRUE(r.HasFullLength());
    EXPECT_EQ(r.raw.size(), 45u);
}

// Entry layouts as given by the record format: first offset, stride, count, and the widths of
// the combination, one value and the popularity.
struct BlockCase {
    BetBlock block;
    const char* name;
    size_t offset, stride;
    int count;
    size_t combo, value, pop;
};

std::string Digits(size_t width, int seed) {
    std::string s;
    for (size_t i = 0; i < width; ++i)
        s += static_cast<char>('0' + (seed + static_cast<int>(i)) % 10);
    return s;
}

TEST(Records, HrEntriesFirstAndLast) {
    const BlockCase cases[] = {
        {BetBlock::Win, "win", 102, 13, 3, 2, 9, 2},
        {BetBlock::Place, "place", 141, 13, 5, 2, 9, 2},
        {BetBlock::Bracket, "bracket", 206, 13, 3, 2, 9, 2},
        {BetBlock::Quinella, "quinella", 245, 16, 3, 4, 9, 3},
        {BetBlock::Wide, "wide", 293, 16, 7, 4, 9, 3},
        {BetBlock::Exacta, "exacta", 453, 16, 6, 4, 9, 3},
        {BetBlock::Trio, "trio", 549, 18, 3, 6, 9, 3},
        {BetBlock::Trifecta, "trifecta", 603, 19, 6, 6, 9, 4},
    };
    // All entries of all blocks in one record, so that overlapping layouts show.
    std::string rec = BlankRecord(RecordType::HR);
    for (const auto& c : cases)
        for (int i = 0; i < c.count; ++i) {
            size_t off = c.offset + static_cast<size_t>(i) * c.stride;
            Put(rec, off, Digits(c.combo, i) + Digits(c.value, i + 1) + Digits(c.pop, i + 2));
        }
    ASSERT_EQ(rec.size(), LineLength(RecordType::HR));
    HrRecord hr(rec);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HrRecord::EntryCount(c.block), c.count);
        for (int i : {0, c.count - 1}) {
            PayoutEntry e = hr.Entry(c.block, i);
            EXPECT_EQ(e.combination, Digits(c.combo, i)) << i;
            EXPECT_EQ(e.payoutText, Digits(c.value, i + 1)) << i;
            EXPECT_EQ(e.popularityText, Digits(c.pop, i + 2)) << i;
            EXPECT_EQ(e.Payout(), std::stoi(Digits(c.value, i + 1)));
        }
        EXPECT_TRUE(hr.Entry(c.block, c.count).IsBlank());
        EXPECT_TRUE(hr.Entry(c.block, -1).IsBlank());
    }
    // The last 三連単 entry ends where the line ends.
    EXPECT_EQ(603u + 5 * 19 + 19, LineLength(RecordType::HR));

    // A blank entry reads 0; an entry cut by a short record reads as blank, not as a wrong
    // payout of the digits that remain.
    std::string blank = BlankRecord(RecordType::HR);
    EXPECT_EQ(HrRecord(blank).Entry(BetBlock::Win, 0).Payout(), 0);
    EXPECT_TRUE(HrRecord(blank).Entry(BetBlock::Win, 0).IsBlank());
    std::string cut = rec.substr(0, 603 + 5 * 19 + 10);
    PayoutEntry last = HrRecord(cut).Entry(BetBlock::Trifecta, 5);
    EXPECT_TRUE(last.IsBlank());
    EXPECT_EQ(last.Payout(), 0);
    EXPECT_EQ(HrRecord(cut).Entry(BetBlock::Trifecta, 4).combination, Digits(6, 4));
}

TEST(Records, OddsFieldStates) {
    struct Case {
        const char* field;
        OddsState state;
    } cases[] = {
        {"0123", OddsState::Value},
        {"0000", OddsState::Value},
        {"  12", OddsState::Value},
        {"----", OddsState::ScratchedBeforeSale},
        {"*******", OddsState::ScratchedAfterSale},
        {"    ", OddsState::Absent},
        {"", OddsState::Absent},
        {"12-4", OddsState::Absent},
        {"--**", OddsState::Absent},
    };
    for (const auto& c : cases) EXPECT_EQ(OddsStateOf(c.field), c.state) << '"' << c.field << '"';
}

TEST(Records, OddsEntriesFirstAndLast) {
    struct OddsCase {
        BlockCase b;
        RecordType type;
        int values;  // 2 for minimum and maximum odds
    };
    const OddsCase cases[] = {
        {{BetBlock::Win, "win", 43, 8, 28, 2, 4, 2}, RecordType::O1, 1},
        {{BetBlock::Place, "place", 267, 12, 28, 2, 4, 2}, RecordType::O1, 2},
        {{BetBlock::Bracket, "bracket", 603, 9, 36, 2, 5, 2}, RecordType::O1, 1},
        {{BetBlock::Quinella, "quinella", 40, 13, 153, 4, 6, 3}, RecordType::O2, 1},
        {{BetBlock::Wide, "wide", 40, 17, 153, 4, 5, 3}, RecordType::O3, 2},
        {{BetBlock::Exacta, "exacta", 40, 13, 306, 4, 6, 3}, RecordType::O4, 1},
        {{BetBlock::Trio, "trio", 40, 15, 816, 6, 6, 3}, RecordType::O5, 1},
        {{BetBlock::Trifecta, "trifecta", 40, 17, 4896, 6, 7, 4}, RecordType::O6, 1},
    };
    std::string o1 = BlankRecord(RecordType::O1);
    Put(o1, 27, "06151432");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.b.name);
        EXPECT_EQ(OddsRecordType(c.b.block), c.type);
        EXPECT_EQ(OddsLayout(c.b.block).count, c.b.count);
        std::string own = BlankRecord(c.type);
        std::string& rec = c.type == RecordType::O1 ? o1 : own;
        const int last = c.b.count - 1;
        auto put = [&](int k, const std::string& odds) {
            std::string entry = Digits(c.b.combo, k) + odds;
            if (c.values == 2) entry += Digits(c.b.value, k + 3);
            entry += Digits(c.b.pop, k + 2);
            Put(rec, c.b.offset + static_cast<size_t>(k) * c.b.stride, entry);
        };
        put(0, Digits(c.b.value, 1));
        put(1, std::string(c.b.value, '-'));
        put(2, std::string(c.b.value, '*'));
        put(last, Digits(c.b.value, last + 1));
        ASSERT_EQ(rec.size(), LineLength(c.type));

        OddsEntry first = OddsEntryAt(rec, c.b.block, 0);
        EXPECT_EQ(first.combination, Digits(c.b.combo, 0));
        EXPECT_EQ(first.odds, Digits(c.b.value, 1));
        EXPECT_EQ(first.State(), OddsState::Value);
        EXPECT_EQ(first.Odds(), std::stoi(Digits(c.b.value, 1)));
        EXPECT_EQ(first.popularityText, Digits(c.b.pop, 2));
        if (c.values == 2) {
            EXPECT_EQ(first.oddsMax, Digits(c.b.value, 3));
        } else {
            EXPECT_EQ(first.oddsMax, "");
        }
        EXPECT_EQ(OddsEntryAt(rec, c.b.block, 1).State(), OddsState::ScratchedBeforeSale);
        EXPECT_EQ(OddsEntryAt(rec, c.b.block, 1).Odds(), 0);
        EXPECT_EQ(OddsEntryAt(rec, c.b.block, 2).State(), OddsState::ScratchedAfterSale);
        EXPECT_EQ(OddsEntryAt(rec, c.b.block, 3).State(), OddsState::Absent);
        OddsEntry lastEntry = OddsEntryAt(rec, c.b.block, last);
        EXPECT_EQ(lastEntry.combination, Digits(c.b.combo, last));
        EXPECT_EQ(lastEntry.odds, Digits(c.b.value, last + 1));
        EXPECT_EQ(lastEntry.popularityText, Digits(c.b.pop, last + 2));
        EXPECT_EQ(OddsEntryAt(rec, c.b.block, c.b.count).State(), OddsState::Absent);
        EXPECT_EQ(OddsEntryAt(rec, c.b.block, -1).State(), OddsState::Absent);
    }
    // O1's three blocks share one record without overlap, read through the typed view.
    O1Record r(o1);
    EXPECT_EQ(r.AnnouncementTime(), "06151432");
    EXPECT_EQ(r.AnnouncementHourMinute(), "1432");
    EXPECT_EQ(r.Win(0).odds, Digits(4, 1));
    EXPECT_EQ(r.Place(27).odds, Digits(4, 28));
    EXPECT_EQ(r.Place(27).oddsMax, Digits(4, 30));
    EXPECT_EQ(r.Bracket(35).popularityText, Digits(2, 37));
}

TEST(Records, TypedOddsRecordsAndTruncation) {
    std::string rec = BlankRecord(RecordType::O6);
    Put(rec, 27, "06151432");
    Put(rec, 40 + 17 * 4895,
        "1817160123456"
        "4896");
    O6Record r(rec);
    EXPECT_EQ(O6Record::Block(), BetBlock::Trifecta);
    EXPECT_EQ(O6Record::EntryCount(), 4896);
    EXPECT_EQ(r.AnnouncementTime(), "06151432");
    EXPECT_EQ(r.Entry(4895).combination, "181716");
    EXPECT_EQ(r.Entry(4895).Odds(), 123456);
    EXPECT_EQ(r.Entry(4895).Popularity(), 4896);
    EXPECT_EQ(O2Record::EntryCount(), 153);
    EXPECT_EQ(O3Record::EntryCount(), 153);
    EXPECT_EQ(O4Record::EntryCount(), 306);
    EXPECT_EQ(O5Record::EntryCount(), 816);

    // Cut inside the last entry's odds: the entry is absent, not odds of the leftover digits.
    std::string cut = rec.substr(0, 40 + 17 * 4895 + 9);
    EXPECT_EQ(O6Record(cut).Entry(4895).State(), OddsState::Absent);
    EXPECT_EQ(O6Record(cut).Entry(4895).Odds(), 0);
    EXPECT_EQ(O6Record(cut).Entry(4895).Popularity(), 0);
}

}  // namespace
}  // namespace sorvane
