// The all-race comparison end to end on hand-made past-run files: the engine's pair results,
// the tallies, rates and ranks of the field, the wins and reverse ranks against the odds, and
// the comparison tables of the race selected after it.
#include <gtest/gtest.h>

#include "compare/all_race.h"
#include "compare_fixtures.h"
#include "shell/code_tables.h"

namespace sorvane::testing {
namespace {

TEST(AllRaceRanking, ThreeHorsesThroughOneCommonOpponent) {
    CompareRig r;
    // Against the common opponent X (equal weights everywhere): A beat it by 1.0 s, B lost to
    // it by 0.5 s and C by 2.0 s. A and B also met once directly.
    r.WriteRaces(
        "2020000001", "アイ",
        {{20260101, {{"アイ", 700}, {"タチ", 710}}}, {20260401, {{"アイ", 700}, {"カキ", 710}}}});
    r.WriteRaces(
        "2020000002", "カキ",
        {{20260201, {{"タチ", 700}, {"カキ", 705}}}, {20260401, {{"アイ", 700}, {"カキ", 710}}}});
    r.WriteRaces("2020000003", "サシ", {{20260301, {{"タチ", 700}, {"サシ", 720}}}});
    r.SetRace(0, 20260601,
              {{"アイ", "2020000001"}, {"カキ", "2020000002"}, {"サシ", "2020000003"}});
    r.shell->main().datListItems = {"line"};
    r.shell->main().datListIndex = 0;
    OddsValues& odds = r.day().oddsValues[0];
    odds.tanOz = {2.0, 4.0, 30.0};
    odds.tanNinki = {1, 2, 3};

    CompareAllRaceBtn(*r.shell);

    // Pairs: A-B 1 point and 1 own-minus point to A (2:0), A-C likewise, B-C 1:0 (both behind
    // X, so no own-minus point).
    const RaceAnalysis& a = r.day().raceAnalysis[0];
    EXPECT_EQ(a.pairSoPtA[PairNumber(1, 2) - 1], 2);
    EXPECT_EQ(a.pairDirect[PairNumber(1, 2) - 1], 1);
    EXPECT_EQ(a.pairSoPtA[PairNumber(2, 3) - 1], 1);
    EXPECT_EQ(a.pairDokuPtA[PairNumber(2, 3) - 1], 0);

    struct Want {
        int wins, losses, winPt, lossPt;
        double winRate, ptWinRate;
        int winRateRank, ptWinRateRank, winsRank, winsRevRank, ptRevRank;
    };
    const Want want[] = {
        {2, 0, 4, 0, 1.0, 1.0, 1, 1, 1, 2, 2},
        {1, 1, 1, 2, 0.5, 1.0 / 3, 2, 2, 2, 1, 1},
        {0, 2, 0, 3, 0.0, 0.0, 3, 3, 0, 0, 0},  // odds 30.0: above the ceiling anyway
    };
    for (int i = 0; i < 3; ++i) {
        const Want& w = want[i];
        EXPECT_EQ(a.wins[i], w.wins) << i;
        EXPECT_EQ(a.losses[i], w.losses) << i;
        EXPECT_EQ(a.winPt[i], w.winPt) << i;
        EXPECT_EQ(a.lossPt[i], w.lossPt) << i;
        EXPECT_DOUBLE_EQ(a.winRate[i], w.winRate) << i;
        EXPECT_DOUBLE_EQ(a.ptWinRate[i], w.ptWinRate) << i;
        EXPECT_EQ(a.winRateRank[i], w.winRateRank) << i;
        EXPECT_EQ(a.ptWinRateRank[i], w.ptWinRateRank) << i;
        EXPECT_EQ(a.winsRank[i], w.winsRank) << i;
        EXPECT_EQ(a.winsRevRank[i], w.winsRevRank) << i;
        EXPECT_EQ(a.ptRevRank[i], w.ptRevRank) << i;
    }
    EXPECT_EQ(a.compared, 1);

    // The progress window named the last pair; the selection shows the race's tables.
    const MainFormState& m = r.shell->main();
    EXPECT_EQ(m.waitForm.labelUma, Name18("カキ") + "vs" + Name18("サシ"));
    EXPECT_EQ(Utf8FromSjis(m.stringGrid7.Text(2, 1)), "アイ");
    EXPECT_EQ(Utf8FromSjis(m.stringGrid7.Text(6, 1)), " ○");
    EXPECT_EQ(m.stringGrid7.Text(13, 1), "  1");
    EXPECT_EQ(m.stringGrid7.Text(14, 1), "  1");
    EXPECT_EQ(Utf8FromSjis(m.stringGrid8.Text(3, 2)), "○");  // B beat C
    EXPECT_EQ(Utf8FromSjis(m.stringGrid8.Text(2, 3)), "×");
    EXPECT_GE(r.ui.pumped, 1);
}

}  // namespace
}  // namespace sorvane::testing
