// Ranks of a field from seeded tallies: win-rate and point-win-rate ranks with their
// tie-breaks, the wins ranks and the reverse ranks of the popular horses, the odds ceiling.
#include <gtest/gtest.h>

#include <memory>

#include "compare/ranking.h"
#include "raceday/odds_values.h"
#include "raceday/race_analysis.h"
#include "shell/settings_file.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

struct Tally {
    int wins, losses, winPt, lossPt;
};

RaceAnalysis Seeded(std::initializer_list<Tally> horses) {
    RaceAnalysis a;
    ResetAnalysis(a);
    int i = 0;
    for (const Tally& t : horses) {
        a.wins[i] = t.wins;
        a.losses[i] = t.losses;
        a.winPt[i] = t.winPt;
        a.lossPt[i] = t.lossPt;
        ++i;
    }
    return a;
}

TEST(RankRace, EqualRatesBreakOnWinsThenOnTheHigherHorseNumber) {
    RaceAnalysis a = Seeded({
        {2, 2, 6, 6},        // 1: 0.500 with 2 wins
        {1, 1, 3, 3},        // 2: 0.500 with 1 win
        {1, 1, 3, 3},        // 3: 0.500 with 1 win, higher number than 2
        {0, 0, 0, 0},        // 4: nothing decided, no points
        {3, 1, 9, 1},        // 5: 0.750
        {2, 1, 2, 1},        // 6: 2/3 = 0.667
        {1999, 1000, 0, 0},  // 7: 0.66656 reads 0.667 too, and has more wins than 6
        {0, 0, 4, 4},        // 8: only equal pairs: points but no decided pair
    });
    RankRace(a, 8);

    EXPECT_DOUBLE_EQ(a.winRate[0], 0.5);
    EXPECT_DOUBLE_EQ(a.winRate[3], kNoRate);
    EXPECT_DOUBLE_EQ(a.winRate[7], kNoRate);
    EXPECT_DOUBLE_EQ(a.ptWinRate[7], 0.5);
    EXPECT_DOUBLE_EQ(a.ptWinRate[3], kNoRate);
    EXPECT_DOUBLE_EQ(a.ptWinRate[6], kNoRate);

    // By rate: 5 (0.750), 7 and 6 (0.667, 7 more wins), 1, 3, 2 (0.500: 2 wins, then 3 > 2).
    const int winRateRank[] = {4, 6, 5, 0, 1, 3, 2, 0};
    // By point rate: 5 (0.900), 6 (0.667), then 0.500 with win points 6, 4, 3, 3.
    const int ptRank[] = {3, 6, 5, 0, 1, 2, 0, 4};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(a.winRateRank[i], winRateRank[i]) << "horse " << i + 1;
        EXPECT_EQ(a.ptWinRateRank[i], ptRank[i]) << "horse " << i + 1;
    }
}

TEST(RankRace, AFieldWithoutDecidedPairsHasNoRates) {
    RaceAnalysis a = Seeded({{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    a.winRateRank[1] = 2;  // left over from an earlier run
    RankRace(a, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(a.winRate[i], kNoRate);
        EXPECT_DOUBLE_EQ(a.ptWinRate[i], kNoRate);
        EXPECT_EQ(a.winRateRank[i], 0);
        EXPECT_EQ(a.ptWinRateRank[i], 0);
    }
}

struct Popular {
    double odds;
    int ninki;
    int wins;
    int winPt;
    double ptWinRate;
};

TEST(RankWins, ReverseRanksOnlyForPopularHorsesWithWins) {
    const Popular horses[] = {
        {3.5, 1, 0, 0, kNoRate},         // 1: popular, no wins: no reverse rank
        {3.5, 2, 1, 4, 0.5},             // 2
        {6.0, 3, 3, 4, 0.8},             // 3
        {8.0, 4, 1, 6, 0.5},             // 4
        {10.0, 5, 2, 2, 0.4},            // 5: exactly at the ceiling counts
        {10.1, 6, 1, 3, 0.3},            // 6: above the ceiling
        {0.0, 0, 2, 5, 0.6},             // 7: no odds yet
        {kOddsScratched, 0, 5, 9, 0.9},  // 8: scratched
        {9.0, 4, 1, 7, 0.5},             // 9: same popularity as 4 (a dead heat in the odds)
    };
    RaceAnalysis a;
    ResetAnalysis(a);
    OddsValues odds;
    for (int i = 0; i < 9; ++i) {
        a.wins[i] = horses[i].wins;
        a.winPt[i] = horses[i].winPt;
        a.ptWinRate[i] = horses[i].ptWinRate;
        odds.tanOz[i] = horses[i].odds;
        odds.tanNinki[i] = horses[i].ninki;
    }
    RankWins(a, odds, 9, 10.0);

    // Fewest wins first: 2 (1 win, popularity 2), 4 and 9 (1 win, popularity 4: lower number
    // first), 5 (2), 3 (3).
    const int winsRev[] = {0, 1, 5, 2, 4, 0, 0, 0, 3};
    // Fewest win points: 5 (2), 2 and 3 (4: popularity 2 before 3), 4 (6), 9 (7).
    const int ptRev[] = {0, 2, 3, 4, 1, 0, 0, 0, 5};
    // Most wins: 8 (5), 3 (3), 7 and 5 (2: higher point rate first), then 1 win at 0.5 for
    // 9, 4, 2 (higher number first) and 6 (0.3). Horse 1 has no wins and no rank.
    const int winsRank[] = {0, 7, 2, 6, 4, 8, 3, 1, 5};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(a.winsRevRank[i], winsRev[i]) << "horse " << i + 1;
        EXPECT_EQ(a.ptRevRank[i], ptRev[i]) << "horse " << i + 1;
        EXPECT_EQ(a.winsRank[i], winsRank[i]) << "horse " << i + 1;
    }

    // New odds: horse 2 drifts above the ceiling and loses its reverse ranks; the others move.
    odds.tanOz[1] = 15.0;
    RankWins(a, odds, 9, 10.0);
    EXPECT_EQ(a.winsRevRank[1], 0);
    EXPECT_EQ(a.ptRevRank[1], 0);
    EXPECT_EQ(a.winsRevRank[3], 1);
    EXPECT_EQ(a.ptRevRank[2], 2);
    EXPECT_EQ(a.winsRank[1], 7);  // the wins rank does not depend on the odds
}

TEST(RankWins, ThePopularHorseWithOneWinCanBeRankOne) {
    RaceAnalysis a;
    ResetAnalysis(a);
    OddsValues odds;
    odds.tanOz = {3.5, 3.5, 20.0};
    odds.tanNinki = {1, 2, 3};
    a.wins = {0, 1, 0};
    a.winPt = {0, 1, 0};
    a.ptWinRate = {0.0, 0.2, 0.0};
    RankWins(a, odds, 3, 10.0);
    EXPECT_EQ(a.winsRevRank[0], 0);
    EXPECT_EQ(a.winsRevRank[1], 1);
    EXPECT_EQ(a.ptRevRank[1], 1);
    EXPECT_EQ(a.winsRank[1], 1);
    EXPECT_EQ(a.winsRevRank[2], 0);
}

TEST(OddsCeiling, StoredTextOrTheDefault) {
    testing::TempDir dir;
    SettingsFile ini(dir.path() / "sorvane.ini");
    EXPECT_DOUBLE_EQ(OddsCeiling(ini), 10.0);
    const std::pair<const char*, double> cases[] = {{"7.5", 7.5},  {" 12 ", 12.0}, {"15", 15.0},
                                                    {"abc", 10.0}, {"8.5x", 10.0}, {"", 10.0}};
    for (const auto& [text, want] : cases) {
        ini.WriteString("OddsSpan", "ceil", text);
        EXPECT_DOUBLE_EQ(OddsCeiling(ini), want) << text;
    }
}

}  // namespace
}  // namespace sorvane
