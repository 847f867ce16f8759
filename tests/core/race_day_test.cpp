// The loaded race day: blank-reading tables, slots in use, resets, result fields and memory.
#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "base/sjis.h"
#include "base/text_format.h"
#include "betting/bet_kind.h"
#include "raceday/race_day.h"
#include "record_fixtures.h"
#include "shell/code_tables.h"

namespace sorvane {
namespace {

std::string Ra(const char* year, int raceNumber, int runners) {
    std::string rec = BlankRecord(RecordType::RA);
    Put(rec, 11, year);
    Put(rec, 15, "0105");
    Put(rec, 19, "30");
    Put(rec, 25, Format("%02d", raceNumber));
    Put(rec, 881, Format("%02d", runners));
    return rec;
}

TEST(RaceDayTest, EmptySlotsReadAsBlankRecordsOfTheirLength) {
    auto day = std::make_unique<RaceDay>();
    struct Case {
        std::string_view rec;
        size_t length;
    };
    const Case cases[] = {
        {day->raceTable.At(0), 1272},
        {day->runnerTable.At(95, 17), 555},
        {day->pastRunTable.At(3, 4, 99), 826},
        {day->payoutTable.At(7), 719},
        {day->OddsTable(1).At(0), 962},
        {day->OddsTable(2).At(0), 2042},
        {day->OddsTable(3).At(0), 2654},
        {day->OddsTable(4).At(0), 4031},
        {day->OddsTable(5).At(0), 12293},
        {day->OddsTable(6).At(95), 83285},
        // out of range reads blank too, never past a table
        {day->raceTable.At(96), 1272},
        {day->runnerTable.At(0, 18), 555},
        {day->pastRunTable.At(0, 0, 100), 826},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.rec.size(), c.length);
        EXPECT_EQ(c.rec.find_first_not_of(' '), std::string_view::npos) << c.length;
    }
    EXPECT_FALSE(day->raceTable.Put(96, "RA"));
    EXPECT_FALSE(day->runnerTable.Put(0, 18, "SE"));
    EXPECT_FALSE(day->pastRunTable.Append(96, 0, "x"));
}

TEST(RaceDayTest, RecordsAreStoredAtTheirFixedLength) {
    auto day = std::make_unique<RaceDay>();
    std::string line = Ra("2024", 1, 10);  // a day-file line, without CR LF
    ASSERT_TRUE(day->raceTable.Put(0, line));
    EXPECT_EQ(day->raceTable.At(0).size(), 1272u);
    EXPECT_EQ(day->raceTable.At(0).substr(0, 1270), line);
    EXPECT_EQ(day->raceTable.At(0).substr(1270), "  ");
    ASSERT_TRUE(day->raceTable.Put(1, line + "\r\n"));
    EXPECT_EQ(day->raceTable.At(1).substr(1270), "\r\n");
    ASSERT_TRUE(day->raceTable.Put(2, line + "\r\nRA overflow"));
    EXPECT_EQ(day->raceTable.At(2).size(), 1272u);
    EXPECT_TRUE(day->raceTable.Filled(2));
    day->raceTable.Clear(2);
    EXPECT_FALSE(day->raceTable.Filled(2));
    EXPECT_EQ(day->raceTable.At(2).find_first_not_of(' '), std::string_view::npos);
}

TEST(RaceDayTest, TwelveRacesUseSlotsZeroToEleven) {
    auto day = std::make_unique<RaceDay>();
    for (int s = 0; s < 12; ++s) day->raceTable.Put(s, Ra("2024", s + 1, 10));
    int used = 0;
    for (int s = 0; s < kMaxRaces; ++s) {
        EXPECT_EQ(day->SlotInUse(s), s < 12) << s;
        used += day->SlotInUse(s);
    }
    EXPECT_EQ(used, 12);
    day->raceTable.Put(20, Ra("0000", 1, 10));
    day->raceTable.Put(21, Ra("    ", 1, 10));
    EXPECT_FALSE(day->SlotInUse(20));
    EXPECT_FALSE(day->SlotInUse(21));
    EXPECT_FALSE(day->SlotInUse(-1));
}

TEST(RaceDayTest, RegisteredRunnersStayWithinTheTables) {
    auto day = std::make_unique<RaceDay>();
    day->raceTable.Put(0, Ra("2024", 1, 9));
    day->raceTable.Put(1, Ra("2024", 2, 20));
    std::string noCount = Ra("2024", 3, 0);
    Put(noCount, 881, "  ");
    day->raceTable.Put(2, noCount);
    EXPECT_EQ(day->RegisteredRunners(0), 9);
    EXPECT_EQ(day->RegisteredRunners(1), 18);
    EXPECT_EQ(day->RegisteredRunners(2), 0);
    EXPECT_EQ(day->RegisteredRunners(50), 0);
}

TEST(RaceDayTest, NineRunnersUseThirtySixPairs) {
    std::set<int> pairs;
    for (int i = 1; i <= 9; ++i)
        for (int j = i + 1; j <= 9; ++j) pairs.insert(PairNumber(i, j));
    EXPECT_EQ(pairs.size(), 36u);
    EXPECT_EQ(*pairs.begin(), 1);
    EXPECT_TRUE(pairs.count(8) && pairs.count(18) && pairs.count(24));
    EXPECT_FALSE(pairs.count(9) || pairs.count(17) || pairs.count(25));
    EXPECT_EQ(PairNumber(3, 7), 37);
    EXPECT_EQ(HorsePairIndex(PairLabel(3, 7)), 37);
    EXPECT_LE(*pairs.rbegin(), kMaxPairs);
}

TEST(RaceDayTest, PastRunsFillSlotsWithoutGapsUpToTheBound) {
    auto day = std::make_unique<RaceDay>();
    for (int p = 0; p < kMaxPastRuns; ++p)
        ASSERT_TRUE(day->pastRunTable.Append(5, 17, Format("%08d", 20240101 - p)));
    EXPECT_FALSE(day->pastRunTable.Append(5, 17, "20200101"));
    EXPECT_EQ(day->pastRunTable.Count(5, 17), 100);
    EXPECT_EQ(day->pastRunTable.At(5, 17, 0).substr(0, 8), "20240101");
    EXPECT_EQ(day->pastRunTable.At(5, 17, 99).substr(0, 8), "20240002");
    EXPECT_EQ(day->pastRunTable.At(5, 17, 99).size(), kPastRunRecordSize);
    EXPECT_EQ(day->pastRunTable.Count(5, 16), 0);

    size_t held = day->AllocatedBytes();
    day->ClearRecords();
    EXPECT_EQ(day->pastRunTable.Count(5, 17), 0);
    EXPECT_EQ(day->pastRunTable.At(5, 17, 0).find_first_not_of(' '), std::string_view::npos);
    // Reloading reuses the storage of the earlier day.
    for (int p = 0; p < kMaxPastRuns; ++p) day->pastRunTable.Append(5, 17, "20230101");
    EXPECT_EQ(day->AllocatedBytes(), held);
    // The bytes a clear keeps for reuse never show through as records.
    EXPECT_EQ(day->pastRunTable.At(5, 17, 0).substr(0, 8), "20230101");
    EXPECT_EQ(day->pastRunTable.At(5, 17, 99).substr(0, 8), "20230101");
}

TEST(RaceDayTest, InitialisationResetsOddsValuesAndAnalysis) {
    auto day = std::make_unique<RaceDay>();
    for (int s : {0, 95}) {
        OddsValues& v = day->oddsValues[s];
        v.happyoTime = "1530";
        v.ozGetTime = "152000";
        v.tohyoTime = "152005";
        v.tanOz[3] = 4.5;
        v.fukuOzMax[0] = -1.0;
        v.santanOz[4895] = 1234.5;
        v.santanNinki[4895] = 4896;
        v.wideNinki[0] = 1;
        v.jikuFlag1[2] = 1;
        RaceAnalysis& a = day->raceAnalysis[s];
        a.prizeTotal[0] = 500;
        a.runRecord[7][17][3] = 2;
        a.wins[1] = 3;
        a.winRate[1] = 0.75;
        a.ptWinRate[1] = 0.5;
        a.uragiriRate[1] = 0.25;
        a.pairDirect[152] = 2;
        a.runnerResult[0].finishTime = "1234";
        a.resultCombo.santan[5] = " 1- 2- 3";
        a.resultPay[35] = 99999;
        a.compared = 1;
    }
    day->Initialise();
    for (int s : {0, 95}) {
        const OddsValues& v = day->oddsValues[s];
        EXPECT_EQ(v.happyoTime, "");
        EXPECT_EQ(v.ozGetTime, "");
        EXPECT_EQ(v.tohyoTime, "");
        EXPECT_EQ(v.tanOz[3], 0.0);
        EXPECT_EQ(v.fukuOzMax[0], 0.0);
        EXPECT_EQ(v.santanOz[4895], 0.0);
        EXPECT_EQ(v.santanNinki[4895], 0);
        EXPECT_EQ(v.wideNinki[0], 0);
        const RaceAnalysis& a = day->raceAnalysis[s];
        EXPECT_EQ(a.prizeTotal[0], 0);
        EXPECT_EQ(a.runRecord[7][17][3], 0);
        EXPECT_EQ(a.wins[1], 0);
        EXPECT_EQ(a.pairDirect[152], 0);
        EXPECT_EQ(a.runnerResult[0].finishTime, "");
        EXPECT_EQ(a.resultCombo.santan[5], "");
        EXPECT_EQ(a.resultPay[35], 0);
        EXPECT_EQ(a.compared, 0);
        for (int h = 0; h < kMaxRunners; ++h) {
            EXPECT_EQ(a.winRate[h], kNoRate);
            EXPECT_EQ(a.ptWinRate[h], kNoRate);
            EXPECT_EQ(a.uragiriRate[h], kNoRate);
        }
    }
}

TEST(RaceDayTest, TallyResetKeepsStatisticsAndResults) {
    RaceAnalysis a;
    a.wins[0] = 5;
    a.losses[0] = 2;
    a.winRate[0] = 5.0 / 7;
    a.winRateRank[0] = 1;
    a.winsRank[0] = 1;
    a.winsRevRank[0] = 1;
    a.winPt[0] = 30;
    a.lossPt[0] = 10;
    a.ptWinRate[0] = 0.75;
    a.ptWinRateRank[0] = 1;
    a.ptRevRank[0] = 1;
    for (auto* p :
         {&a.pairCount, &a.pairWinA, &a.pairWinB, &a.pairPtA, &a.pairPtB, &a.pairDokuPtA,
          &a.pairDokuPtB, &a.pairSoPtA, &a.pairSoPtB, &a.pairDirect, &a.pairSpare1, &a.pairSpare2})
        (*p)[36] = 4;
    a.prizeTotal[0] = 1200;
    a.runRecord[0][0][0] = 3;
    a.juntoCount[0] = 2;
    a.uragiriCount[0] = 1;
    a.uragiriRate[0] = 1.0 / 3;
    a.resultCombo.tan[0] = 3;
    a.resultPay[0] = 450;
    a.compared = 1;

    ResetTallies(a);
    for (auto* h : {&a.wins, &a.losses, &a.winRateRank, &a.winsRank, &a.winsRevRank, &a.winPt,
                    &a.lossPt, &a.ptWinRateRank, &a.ptRevRank})
        EXPECT_EQ((*h)[0], 0);
    EXPECT_EQ(a.winRate[0], kNoRate);  // a horse that decides no pair stays without a rate
    EXPECT_EQ(a.ptWinRate[0], kNoRate);
    for (auto* p :
         {&a.pairCount, &a.pairWinA, &a.pairWinB, &a.pairPtA, &a.pairPtB, &a.pairDokuPtA,
          &a.pairDokuPtB, &a.pairSoPtA, &a.pairSoPtB, &a.pairDirect, &a.pairSpare1, &a.pairSpare2})
        EXPECT_EQ((*p)[36], 0);
    EXPECT_EQ(a.prizeTotal[0], 1200);
    EXPECT_EQ(a.runRecord[0][0][0], 3);
    EXPECT_EQ(a.juntoCount[0], 2);
    EXPECT_DOUBLE_EQ(a.uragiriRate[0], 1.0 / 3);
    EXPECT_EQ(a.resultCombo.tan[0], 3);
    EXPECT_EQ(a.resultPay[0], 450);
    EXPECT_EQ(a.compared, 1);

    ResetRunnerStats(a, 0);
    EXPECT_EQ(a.prizeTotal[0], 0);
    EXPECT_EQ(a.runRecord[0][0][0], 0);
    EXPECT_EQ(a.juntoCount[0], 0);
    EXPECT_EQ(a.uragiriCount[0], 0);
    EXPECT_EQ(a.uragiriRate[0], kNoRate);
}

TEST(RaceDayTest, DayLoadBlankFillEmptiesEveryRecordTable) {
    auto day = std::make_unique<RaceDay>();
    day->raceTable.Put(30, Ra("2024", 1, 10));
    day->runnerTable.Put(30, 9, BlankRecord(RecordType::SE));
    day->pastRunTable.Append(30, 9, "20231224");
    day->pastRunMark[30][9][0] = 2;
    day->payoutTable.Put(30, BlankRecord(RecordType::HR));
    for (int k = 1; k <= 6; ++k) day->OddsTable(k).Put(30, "O" + std::to_string(k));
    day->raceLoaded[30] = 1;
    day->raceCount = 31;
    day->oddsValues[30].ozGetTime = "152000";

    day->ClearRecords();
    EXPECT_FALSE(day->raceTable.Filled(30));
    EXPECT_FALSE(day->SlotInUse(30));
    EXPECT_EQ(day->runnerTable.At(30, 9).find_first_not_of(' '), std::string_view::npos);
    EXPECT_EQ(day->pastRunTable.Count(30, 9), 0);
    EXPECT_EQ(day->pastRunMark[30][9][0], 0);
    EXPECT_FALSE(day->payoutTable.Filled(30));
    for (int k = 1; k <= 6; ++k) EXPECT_FALSE(day->OddsTable(k).Filled(30)) << k;
    EXPECT_EQ(day->raceLoaded[30], 0);
    EXPECT_EQ(day->raceCount, 0);
    EXPECT_EQ(day->oddsValues[30].ozGetTime, "152000");  // the initialisation's business
}

// An HR record with the given entries: kind, entry index, combination, payout, popularity.
struct HrEntry {
    BetKind kind;
    int i;
    const char* combo;
    int pay;
    int ninki;
};

std::string Hr(std::initializer_list<HrEntry> entries) {
    std::string rec = BlankRecord(RecordType::HR);
    for (const HrEntry& e : entries) {
        const EntryLayout& l = PayoutLayout(static_cast<BetBlock>(BetKindNumber(e.kind)));
        size_t off = l.offset + e.i * l.stride;
        Put(rec, off, e.combo);
        Put(rec, off + l.combinationWidth, Format("%09d", e.pay));
        Put(rec, off + l.combinationWidth + l.valueWidth,
            Format("%0*d", static_cast<int>(l.popularityWidth), e.ninki));
    }
    return rec;
}

TEST(RaceResultsTest, PayoutRecordGivesNumbersAndLabels) {
    RaceAnalysis a;
    SetPayoutResults(a, Hr({
                            {BetKind::Tan, 0, "03", 450, 2},
                            {BetKind::Tan, 1, "07", 380, 1},  // dead heat
                            {BetKind::Fuku, 4, "12", 210, 5},
                            {BetKind::Waku, 0, "35", 1230, 6},
                            {BetKind::Waku, 1, "30", 990, 9},
                            {BetKind::Umaren, 0, "0312", 2560, 11},
                            {BetKind::Umaren, 1, "0300", 1000, 12},
                            {BetKind::Wide, 6, "1718", 330, 123},
                            {BetKind::Umatan, 5, "1203", 5100, 40},
                            {BetKind::Sanpuku, 2, "010512", 8800, 77},
                            {BetKind::Santan, 0, "120307", 123456789, 4896},
                            {BetKind::Santan, 1, "120007", 5000, 100},
                        }));
    const ResultCombo& c = a.resultCombo;
    EXPECT_EQ(c.tan[0], 3);
    EXPECT_EQ(c.tan[1], 7);
    EXPECT_EQ(c.tan[2], 0);
    EXPECT_EQ(c.fuku[4], 12);
    EXPECT_EQ(c.waku[0], " 3- 5");
    EXPECT_EQ(c.waku[1], "");  // frame 0: no label
    EXPECT_EQ(c.umaren[0], " 3-12");
    EXPECT_EQ(c.umaren[1], "");  // "00": no label, but payout and popularity are kept
    EXPECT_EQ(c.wide[6], "17-18");
    EXPECT_EQ(c.umatan[5], "12- 3");
    EXPECT_EQ(c.sanpuku[2], " 1- 5-12");
    EXPECT_EQ(c.santan[0], "12- 3- 7");
    EXPECT_EQ(c.santan[1], "");

    struct Expect {
        int index;
        int pay;
        int ninki;
    };
    const Expect expected[] = {
        {0, 450, 2},    {1, 380, 1},           {2, 0, 0},      {7, 210, 5},    {8, 1230, 6},
        {9, 990, 9},    {11, 2560, 11},        {12, 1000, 12}, {20, 330, 123}, {26, 5100, 40},
        {29, 8800, 77}, {30, 123456789, 4896}, {31, 5000, 100}};
    for (const Expect& e : expected) {
        EXPECT_EQ(a.resultPay[e.index], e.pay) << e.index;
        EXPECT_EQ(a.resultNinki[e.index], e.ninki) << e.index;
    }

    EXPECT_EQ(ResultEntryText(c, BetKind::Tan, 1), " 7");
    EXPECT_EQ(ResultEntryText(c, BetKind::Tan, 2), "");
    EXPECT_EQ(ResultEntryText(c, BetKind::Santan, 0), "12- 3- 7");
    EXPECT_EQ(ResultEntryText(c, BetKind::Umaren, 1), "");
}

TEST(RaceResultsTest, RaceWithoutPayoutRecordHasNoResults) {
    auto day = std::make_unique<RaceDay>();
    RaceAnalysis& a = day->raceAnalysis[4];
    // The results of an earlier import of the same slot must not survive.
    SetPayoutResults(a, Hr({{BetKind::Tan, 0, "03", 450, 2},
                            {BetKind::Wide, 3, "0105", 200, 3},
                            {BetKind::Santan, 5, "010203", 9000, 30}}));
    SetPayoutResults(a, day->payoutTable.At(4));
    for (int k = 0; k < kBetKinds; ++k) {
        BetKind kind = *BetKindFromNumber(k);
        for (int i = 0; i < PayoutEntryCount(kind); ++i) {
            EXPECT_EQ(ResultEntryText(a.resultCombo, kind, i), "") << k << " " << i;
            EXPECT_EQ(a.resultCombo.Label(kind, i), "") << k << " " << i;
            EXPECT_EQ(a.resultCombo.Horse(kind, i), 0);
        }
    }
    for (int e = 0; e < kPayoutEntries; ++e) {
        EXPECT_EQ(a.resultPay[e], 0);
        EXPECT_EQ(a.resultNinki[e], 0);
    }
}

TEST(RaceResultsTest, RunnerResultCopiesTheSeFields) {
    std::string se = BlankRecord(RecordType::SE);
    Put(se, 334, "02");
    Put(se, 338, "1234");
    Put(se, 359, "0056");
    Put(se, 363, "03");
    RaceAnalysis a;
    SetRunnerResult(a, 4, se);
    EXPECT_EQ(a.runnerResult[4].finishTime, "1234");
    EXPECT_EQ(a.runnerResult[4].finishPosition, "02");
    EXPECT_EQ(a.runnerResult[4].winPopularity, "03");
    EXPECT_EQ(a.runnerResult[4].winOdds, "0056");
    SetRunnerResult(a, 4, "");
    EXPECT_EQ(a.runnerResult[4].finishTime, "");
}

TEST(OddsValuesTest, CombinationNumbersReachTheirArrays) {
    OddsValues v;
    v.tanOz[0] = 2.5;
    v.tanNinki[0] = 1;
    v.fukuOzMin[17] = 1.2;
    v.fukuOzMax[17] = 9.9;
    v.fukuNinkiMin[17] = 3;
    v.wakuOz[35] = 88.8;
    v.wideOz[36] = 4.4;
    v.santanOz[4895] = 9999.9;
    v.santanNinki[4895] = 4896;
    EXPECT_EQ(v.Odds(BetKind::Tan, 1), 2.5);
    EXPECT_EQ(v.Ninki(BetKind::Tan, 1), 1);
    EXPECT_EQ(v.Odds(BetKind::Fuku, 18), 1.2);  // 複勝 reads the minimum odds and its rank
    EXPECT_EQ(v.Ninki(BetKind::Fuku, 18), 3);
    EXPECT_EQ(v.Odds(BetKind::Waku, 36), 88.8);
    EXPECT_EQ(v.Odds(BetKind::Wide, 37), 4.4);
    EXPECT_EQ(v.Odds(BetKind::Santan, 4896), 9999.9);
    EXPECT_EQ(v.Ninki(BetKind::Santan, 4896), 4896);
    EXPECT_EQ(v.Odds(BetKind::Santan, 4897), 0.0);
    EXPECT_EQ(v.Odds(BetKind::Tan, 0), 0.0);
    EXPECT_EQ(v.Ninki(BetKind::Waku, 37), 0);
}

TEST(RaceDayTest, DayFileNames) {
    DayFileNames n = DayFileNamesOf(Sj("2024年01月05日"));
    EXPECT_EQ(Utf8FromSjis(n.ra), "Data\\2024年01月05日.nvRA");
    EXPECT_EQ(Utf8FromSjis(n.odds[0]), "Data\\2024年01月05日.nvO1");
    EXPECT_EQ(Utf8FromSjis(n.odds[5]), "Data\\2024年01月05日.nvO6");
}

// Resident memory of this process in bytes; 0 where it cannot be read, or where a sanitizer's
// shadow memory and quarantine make the figure meaningless.
size_t ResidentBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return 0;
#endif
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    if (!(statm >> pages >> resident)) return 0;
    return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

TEST(RaceDayMemoryTest, AFullDayStaysUnderTwoHundredMegabytes) {
    constexpr size_t kBound = 200000000;  // bytes
    auto day = std::make_unique<RaceDay>();
    const size_t empty = day->AllocatedBytes();
    EXPECT_LT(empty, 12u << 20);  // the numeric tables alone

    std::string pastRun(kPastRunRecordSize, '9');
    for (int s = 0; s < kMaxRaces; ++s) {
        day->raceTable.Put(s, Ra("2024", s % 12 + 1, 18));
        day->payoutTable.Put(s, BlankRecord(RecordType::HR));
        for (int k = 1; k <= 6; ++k)
            day->OddsTable(k).Put(s, std::string(day->OddsTable(k).Length(), '1'));
        for (int r = 0; r < kMaxRunners; ++r) {
            day->runnerTable.Put(s, r, BlankRecord(RecordType::SE));
            for (int p = 0; p < kMaxPastRuns; ++p) day->pastRunTable.Append(s, r, pastRun);
        }
    }
    size_t full = day->AllocatedBytes();
    EXPECT_LT(full, kBound);
    EXPECT_GT(full, size_t{96} * 18 * 100 * 826);  // every record is held
    size_t rss = ResidentBytes();
    if (rss != 0) {
        EXPECT_LT(rss, kBound);
    }

    // A second full day costs nothing more.
    day->ClearRecords();
    for (int s = 0; s < kMaxRaces; ++s)
        for (int r = 0; r < kMaxRunners; ++r)
            for (int p = 0; p < kMaxPastRuns; ++p) day->pastRunTable.Append(s, r, pastRun);
    EXPECT_LE(day->AllocatedBytes(), full);
    RecordProperty("full_day_bytes", std::to_string(full));
    RecordProperty("resident_bytes", std::to_string(rss));
}

}  // namespace
}  // namespace sorvane
