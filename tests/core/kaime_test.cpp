// Bet kinds, combination labels and numbers, frame numbers and stake allocation.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "betting/bet_kind.h"
#include "betting/kaime_haibun.h"
#include "betting/kaime_label.h"

namespace sorvane {
namespace {

TEST(BetKindTest, NamesCaptionsCodesAndSizes) {
    struct Row {
        const char* name;
        const char* caption;
        const char* code;
        int combinations;
        int entries;
        int first;
        int labelLength;
    };
    const Row rows[kBetKinds] = {
        {"単勝", "単勝", "1", 18, 3, 0, 2},       {"複勝", "複勝", "2", 18, 5, 3, 2},
        {"枠連", "枠連", "3", 36, 3, 8, 5},       {"馬連", "馬連", "5", 153, 3, 11, 5},
        {"ワイド", "ワイド", "7", 153, 7, 14, 5}, {"馬単", "馬単", "6", 306, 6, 21, 5},
        {"３連複", "三連複", "8", 816, 3, 27, 8}, {"３連単", "三連単", "9", 4896, 6, 30, 8},
    };
    for (int i = 0; i < kBetKinds; ++i) {
        SCOPED_TRACE(i);
        BetKind kind = *BetKindFromNumber(i);
        EXPECT_EQ(Utf8FromSjis(BetKindName(kind)), rows[i].name);
        EXPECT_EQ(Utf8FromSjis(BetKindCaption(kind)), rows[i].caption);
        EXPECT_EQ(BetKindVoteCode(kind), rows[i].code);
        EXPECT_EQ(CombinationCount(kind), rows[i].combinations);
        EXPECT_EQ(PayoutEntryCount(kind), rows[i].entries);
        EXPECT_EQ(FirstPayoutEntry(kind), rows[i].first);
        EXPECT_EQ(KaimeLabelLength(kind), rows[i].labelLength);
        EXPECT_EQ(BetKindFromName(Sj(rows[i].name)), kind);
        EXPECT_EQ(BetKindFromName(Sj(rows[i].caption)), kind);
    }
    EXPECT_EQ(FirstPayoutEntry(BetKind::Santan) + PayoutEntryCount(BetKind::Santan),
              kPayoutEntries);
    EXPECT_FALSE(BetKindFromNumber(8));
    EXPECT_FALSE(BetKindFromNumber(-1));
    EXPECT_FALSE(BetKindFromName(Sj("3連単")));  // the half-width digit is not the name
}

TEST(KaimeLabelTest, NumbersAreRightAlignedInTwoAndJoinedByDash) {
    EXPECT_EQ(KaimeLabel(3), " 3");
    EXPECT_EQ(KaimeLabel(3, 12), " 3-12");
    EXPECT_EQ(KaimeLabel(12, 3, 7), "12- 3- 7");
}

TEST(KumiIndexTest, ExamplesAndRejections) {
    struct Case {
        BetKind kind;
        const char* label;
        int index;
    };
    const Case cases[] = {
        {BetKind::Tan, " 3", 3},
        {BetKind::Fuku, "18", 18},
        {BetKind::Waku, " 1- 1", 1},
        {BetKind::Waku, " 1- 8", 8},
        {BetKind::Waku, " 2- 2", 9},
        {BetKind::Waku, " 8- 8", 36},
        {BetKind::Umaren, " 1- 2", 1},
        {BetKind::Umaren, " 1-18", 17},
        {BetKind::Umaren, " 2- 3", 18},
        {BetKind::Wide, " 3- 7", 37},
        {BetKind::Wide, "17-18", 153},
        {BetKind::Umatan, " 1- 2", 1},
        {BetKind::Umatan, " 1-18", 17},
        {BetKind::Umatan, " 2- 1", 18},
        {BetKind::Umatan, " 2- 3", 19},
        {BetKind::Umatan, "18-17", 306},
        {BetKind::Sanpuku, " 1- 2- 3", 1},
        {BetKind::Sanpuku, " 1- 2- 4", 2},
        {BetKind::Sanpuku, "16-17-18", 816},
        {BetKind::Santan, " 1- 2- 3", 1},
        {BetKind::Santan, " 9-18-17", 2448},
        {BetKind::Santan, "10- 1- 2", 2449},
        {BetKind::Santan, "18-17-16", 4896},
        // not a combination of the kind in canonical form
        {BetKind::Umaren, " 2- 1", 0},
        {BetKind::Umaren, " 3- 3", 0},
        {BetKind::Umatan, " 3- 3", 0},
        {BetKind::Waku, " 2- 1", 0},
        {BetKind::Waku, " 1- 9", 0},
        {BetKind::Sanpuku, " 3- 2- 1", 0},
        {BetKind::Santan, " 1- 1- 2", 0},
        {BetKind::Tan, "19", 0},
        {BetKind::Tan, " 0", 0},
        {BetKind::Umaren, " 0- 3", 0},
        {BetKind::Umaren, "18-19", 0},
        // a label of another kind
        {BetKind::Tan, " 3-12", 0},
        {BetKind::Umaren, " 3", 0},
        {BetKind::Umaren, " 1- 2- 3", 0},
        {BetKind::Santan, " 1- 2", 0},
        // numbers without their leading blank, or otherwise not "%2d"
        {BetKind::Tan, "3", 0},
        {BetKind::Tan, "03", 0},
        {BetKind::Umaren, "3-12", 0},
        {BetKind::Umaren, "03-12", 0},
        {BetKind::Santan, "1-2-3", 0},
        {BetKind::Umaren, " 3 12", 0},
        {BetKind::Umaren, " 3-12 ", 0},
        {BetKind::Tan, "", 0},
        {BetKind::Tan, "  ", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KumiIndex(c.kind, c.label), c.index)
            << BetKindNumber(c.kind) << " '" << c.label << "'";
}

// The formulas must number the combinations exactly in canonical (label) order.
TEST(KumiIndexTest, NumbersEveryCombinationInLabelOrder) {
    for (int k = 0; k < kBetKinds; ++k) {
        BetKind kind = *BetKindFromNumber(k);
        SCOPED_TRACE(k);
        int count = CombinationCount(kind);
        std::string previous;
        for (int i = 1; i <= count; ++i) {
            const std::string& label = KumiLabel(kind, i);
            ASSERT_EQ(label.size(), static_cast<size_t>(KaimeLabelLength(kind))) << i;
            ASSERT_EQ(KumiIndex(kind, label), i) << label;
            ASSERT_LT(previous, label);
            previous = label;
        }
        EXPECT_EQ(KumiLabel(kind, 0), "");
        EXPECT_EQ(KumiLabel(kind, count + 1), "");
    }
}

TEST(WakubanTest, Examples) {
    EXPECT_EQ(Wakuban(18, 15), 7);
    EXPECT_EQ(Wakuban(17, 15), 8);
    EXPECT_EQ(Wakuban(10, 7), 7);
    EXPECT_EQ(Wakuban(8, 8), 8);
}

// The frames of every horse, for each field size, as one text of frame digits.
TEST(WakubanTest, FramesOfEveryFieldSize) {
    auto frames = [](int n) {
        std::string s;
        for (int h = 1; h <= n; ++h) s += static_cast<char>('0' + Wakuban(n, h));
        return s;
    };
    EXPECT_EQ(frames(1), "1");
    EXPECT_EQ(frames(8), "12345678");
    EXPECT_EQ(frames(9), "123456788");
    EXPECT_EQ(frames(10), "1234567788");
    EXPECT_EQ(frames(12), "123455667788");
    EXPECT_EQ(frames(16), "1122334455667788");
    EXPECT_EQ(frames(17), "11223344556677888");
    EXPECT_EQ(frames(18), "112233445566777888");
}

TEST(WakubanTest, HorsesOutsideTheFieldHaveNoFrame) {
    EXPECT_EQ(Wakuban(10, 11), 0);
    EXPECT_EQ(Wakuban(10, 0), 0);
    EXPECT_EQ(Wakuban(0, 1), 0);
    EXPECT_EQ(Wakuban(16, 17), 0);
    // A count above 18 is taken as 18.
    EXPECT_EQ(Wakuban(20, 15), 7);
    EXPECT_EQ(Wakuban(20, 19), 0);
}

// Rows numbered from 1 with the given odds (a negative value stands for blank odds).
KaimeTable Table(const std::vector<double>& odds) {
    KaimeTable t;
    t.kind = BetKind::Umaren;
    for (size_t i = 0; i < odds.size(); ++i) {
        KaimeRow r;
        r.no = static_cast<int>(i) + 1;
        r.label = KumiLabel(BetKind::Umaren, r.no);
        if (odds[i] >= 0) r.odds = odds[i];
        t.rows.push_back(r);
    }
    return t;
}

std::vector<int64_t> Stakes(const KaimeTable& t) {
    std::vector<int64_t> s;
    for (const KaimeRow& r : t.rows) s.push_back(r.stake.value_or(0));
    return s;
}

TEST(KaimeHaibunTest, StakesOfEachMode) {
    struct Case {
        const char* what;
        HaibunMode mode;
        int64_t amount;
        std::vector<double> odds;
        std::vector<int64_t> stakes;
        int64_t total;
    };
    const Case cases[] = {
        {"kinto 3000 over 7",
         HaibunMode::Kinto,
         3000,
         {2, 3, 4, 5, 6, 7, 8},
         {500, 500, 500, 500, 500, 500, 500},
         3500},
        {"kinto 100 over 3", HaibunMode::Kinto, 100, {2, 3, 4}, {100, 100, 100}, 300},
        {"hirei 1000", HaibunMode::Hirei, 1000, {2.0, 8.0}, {800, 200}, 1000},
        {"kinitsu", HaibunMode::Kinitsu, 500, {2.0, 30.0, 0.0}, {500, 500, 0}, 1000},
        {"kihai 1000", HaibunMode::Kihai, 1000, {2.5, 1500.0}, {400, 100}, 500},
        // odds are read as shown: 2.46 is 2.5 (400), not 2.46 (500)
        {"kihai as shown", HaibunMode::Kihai, 1000, {2.46}, {400}, 400},
        // a row without odds after the first is not counted
        {"kinto blank later", HaibunMode::Kinto, 3000, {2, -1, 4}, {1500, 0, 1500}, 3000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KaimeTable t = Table(c.odds);
        ASSERT_TRUE(KaimeHaibun(c.mode, c.amount, t));
        EXPECT_EQ(Stakes(t), c.stakes);
        EXPECT_EQ(t.summary.totalStake, c.total);
    }
}

TEST(KaimeHaibunTest, PaybackShareAndExpectedRate) {
    KaimeTable t = Table({2.0, 3.0, 6.0});
    ASSERT_TRUE(KaimeHaibun(HaibunMode::Kinto, 300, t));
    EXPECT_EQ(KaimeStakeText(t.rows[0]), "   100");
    EXPECT_EQ(KaimePaybackText(t.rows[0]), "    200");
    EXPECT_EQ(KaimePaybackText(t.rows[2]), "    600");
    EXPECT_EQ(KaimePaybackShareText(t.rows[0]), "   66.7");
    EXPECT_EQ(KaimePaybackShareText(t.rows[2]), "  200.0");
    EXPECT_EQ(KaimeBetCountText(t.summary), "  3");
    EXPECT_EQ(KaimeTotalStakeText(t.summary), "   300");
    // (200 + 300 + 600) / 3 bets / 300 yen
    EXPECT_EQ(KaimeExpectedRateText(t.summary), "  122.2");
}

TEST(KaimeHaibunTest, ReturnsAreWholeYenAtOneDecimalOdds) {
    // 100 x 2.3 in binary floating point is 229.99..; the return is 230 yen.
    KaimeTable t = Table({2.3, 4.1});
    ASSERT_TRUE(KaimeHaibun(HaibunMode::Kinitsu, 100, t));
    EXPECT_EQ(KaimePaybackText(t.rows[0]), "    230");
    // (230 + 410) / 2 bets / 200 yen
    EXPECT_EQ(KaimeExpectedRateText(t.summary), "  160.0");
}

TEST(KaimeHaibunTest, FailedChecksLeaveTableAndSummaryAsTheyAre) {
    KaimeTable base = Table({2.0, 3.0});
    base.rows[0].stake = 700;
    base.rows[1].stake = 900;
    base.summary.betCount = 2;
    base.summary.totalStake = 1600;

    KaimeTable t = base;
    EXPECT_FALSE(KaimeHaibun(HaibunMode::Kinto, 99, t));
    EXPECT_EQ(Stakes(t), Stakes(base));
    EXPECT_EQ(t.summary.totalStake, 1600);

    t = base;
    t.rows[0].odds.reset();  // the race has no odds for the kind
    EXPECT_FALSE(KaimeHaibun(HaibunMode::Kinto, 3000, t));
    EXPECT_EQ(Stakes(t), Stakes(base));

    KaimeTable empty;
    EXPECT_FALSE(KaimeHaibun(HaibunMode::Kinto, 3000, empty));
    EXPECT_FALSE(empty.summary.betCount);

    KaimeTable tooLong = Table(std::vector<double>(kMaxKaimeRows + 1, 2.0));
    EXPECT_FALSE(KaimeHaibun(HaibunMode::Kinto, 3000, tooLong));
    EXPECT_FALSE(tooLong.rows[0].stake);
}

TEST(KaimeHaibunTest, TheBlankRowOfAnEmptyTableGetsNothing) {
    KaimeTable t;
    t.rows.push_back(KaimeRow{});  // no row number, no odds
    EXPECT_FALSE(KaimeHaibun(HaibunMode::Kinto, 3000, t));
    EXPECT_FALSE(t.rows[0].stake);
}

TEST(KaimeHaibunTest, CancelledRowKeepsItsPlaceButTakesNoStake) {
    KaimeTable t = Table({2, 3, 4, 5, 6, 7, 8});
    t.rows[2].cancelled = true;
    t.rows[2].stake = 500;  // from an earlier allocation
    ASSERT_TRUE(KaimeHaibun(HaibunMode::Kinto, 3000, t));
    // 3000 / 6 / 100 + 0.9 = 5.9 -> 500 a row
    EXPECT_EQ(Stakes(t), (std::vector<int64_t>{500, 500, 0, 500, 500, 500, 500}));
    EXPECT_EQ(t.rows[2].label, KumiLabel(BetKind::Umaren, 3));
    EXPECT_FALSE(t.rows[2].payback);
    EXPECT_EQ(t.summary.betCount, 6);
    EXPECT_EQ(t.summary.totalStake, 3000);
}

// Tables where no row is counted, or no row can take a stake: the figures are 0 and there is
// no rate (the division by the count or the total is never made).
TEST(KaimeHaibunTest, NothingToStakeGivesZeroFiguresAndNoRate) {
    for (int m = 0; m < kHaibunModes; ++m) {
        SCOPED_TRACE(m);
        KaimeTable t = Table({2.0, 3.0});
        for (KaimeRow& r : t.rows) r.cancelled = true;
        t.summary.expectedRate = 55.0;
        ASSERT_TRUE(KaimeHaibun(*HaibunModeFromNumber(m), 3000, t));
        EXPECT_EQ(Stakes(t), (std::vector<int64_t>{0, 0}));
        EXPECT_EQ(t.summary.betCount, 0);
        EXPECT_EQ(t.summary.totalStake, 0);
        EXPECT_EQ(KaimeExpectedRateText(t.summary), "");
    }
    // 比例 with odds of 0.0 only: no weight, the rows count but get nothing.
    KaimeTable zero = Table({0.0, 0.0});
    ASSERT_TRUE(KaimeHaibun(HaibunMode::Hirei, 3000, zero));
    EXPECT_EQ(Stakes(zero), (std::vector<int64_t>{0, 0}));
    EXPECT_EQ(zero.summary.betCount, 2);
    EXPECT_EQ(zero.summary.totalStake, 0);
    EXPECT_FALSE(zero.summary.expectedRate);
}

TEST(KaimeHaibunTest, StakesAreWholeHundreds) {
    KaimeTable t = Table({2.0, 3.0});
    ASSERT_TRUE(KaimeHaibun(HaibunMode::Kinitsu, 250, t));
    EXPECT_EQ(Stakes(t), (std::vector<int64_t>{200, 200}));
    ASSERT_TRUE(KaimeHaibun(HaibunMode::Kinitsu, 100, t));
    EXPECT_EQ(Stakes(t), (std::vector<int64_t>{100, 100}));
    for (int m = 0; m < kHaibunModes; ++m) {
        KaimeTable u = Table({1.3, 2.7, 9.9, 45.5, 130.2});
        ASSERT_TRUE(KaimeHaibun(*HaibunModeFromNumber(m), 1234, u));
        for (int64_t s : Stakes(u)) {
            EXPECT_GE(s, 100) << m;
            EXPECT_EQ(s % 100, 0) << m;
        }
    }
}

TEST(KaimeHaibunTest, LargestAmountOverEveryTrifectaDoesNotOverflow) {
    KaimeTable t = Table(std::vector<double>(kMaxKaimeRows, 9999.9));
    ASSERT_TRUE(KaimeHaibun(HaibunMode::Kinitsu, 99999999, t));
    EXPECT_EQ(t.rows[0].stake, 99999900);
    EXPECT_EQ(t.summary.totalStake, int64_t{99999900} * 4896);
    EXPECT_EQ(KaimeTotalStakeText(t.summary), "489599510400");
}

TEST(HaibunModeTest, CaptionsAndNumbers) {
    const char* captions[] = {"均等", "比例", "均一", "期配"};
    for (int m = 0; m < kHaibunModes; ++m)
        EXPECT_EQ(Utf8FromSjis(HaibunModeCaption(*HaibunModeFromNumber(m))), captions[m]);
    EXPECT_FALSE(HaibunModeFromNumber(4));
    EXPECT_FALSE(HaibunModeFromNumber(-1));
}

}  // namespace
}  // namespace sorvane
