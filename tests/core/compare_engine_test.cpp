// The pair comparison engine on hand-made histories; expected counts worked out by hand.
#include <gtest/gtest.h>

#include <cstring>

#include "compare/search2ba.h"
#include "compare_fixtures.h"

namespace sorvane::testing {
namespace {

const char* const kA = "アカイホシ";
const char* const kB = "ブルーウミ";
const std::string kIdA = "2020000001";
const std::string kIdB = "2020000002";

PairArgs Pair(double weightA = 55.0, double weightB = 55.0) {
    PairArgs p;
    p.nameA = Name18(kA);
    p.nameB = Name18(kB);
    p.idA = kIdA;
    p.idB = kIdB;
    p.horseA = 1;
    p.horseB = 2;
    p.race = 0;
    p.pair = 1;
    p.weightA = weightA;
    p.weightB = weightB;
    return p;
}

struct PairResult {
    int count, ptA, ptB, dokuA, dokuB, soA, soB, winA, winB;
    bool operator==(const PairResult&) const = default;
};

PairResult ResultOf(const RaceAnalysis& an, int pair) {
    size_t i = static_cast<size_t>(pair - 1);
    return {an.pairCount[i], an.pairPtA[i],   an.pairPtB[i],  an.pairDokuPtA[i], an.pairDokuPtB[i],
            an.pairSoPtA[i], an.pairSoPtB[i], an.pairWinA[i], an.pairWinB[i]};
}

std::ostream& operator<<(std::ostream& os, const PairResult& r) {
    return os << "count " << r.count << " pt " << r.ptA << ":" << r.ptB << " doku " << r.dokuA
              << ":" << r.dokuB << " so " << r.soA << ":" << r.soB << " win " << r.winA << ":"
              << r.winB;
}

// The margins' tenths come from a table made at compile time; every value must be the
// division done at run time, bit for bit, inside the table and past both of its ends.
TEST(CompareEngine, TenthsTableIsTheDivision) {
    for (int d = -3 * kTenthsTableHalf; d <= 3 * kTenthsTableHalf; ++d) {
        volatile double ten = 10.0;
        const double want = d / ten;
        const double got = TenthsToUnits(d);
        ASSERT_EQ(std::memcmp(&got, &want, sizeof got), 0) << d;
    }
}

// A met the opponent X twice, B three times; one race of both with X is never used; runs on
// the race date, unplaced runs and damaged records are ignored.
TEST(CompareEngine, CommonOpponentInstancesSkipTheRaceTheyMetIn) {
    CompareRig rig;
    PastRace met{20260301, {{kA, 600}, {kB, 601}, {"エックス", 602}}};
    rig.WriteRaces(kIdA, kA,
                   {{20260101, {{kA, 600}, {"エックス", 605}}},  // 差 +0.5
                    {20260201, {{"エックス", 600}, {kA, 603}}},  // 差 -0.3
                    met,
                    {20260601, {{kA, 600}, {"エックス", 900}}}});  // on the race date
    std::vector<std::string> b = {
        PastRunLine({20260110, {{kB, 600}, {"エックス", 601}}}, kB),  // +0.1
        PastRunLine({20260210, {{"エックス", 600}, {kB, 602}}}, kB),  // -0.2
        PastRunLine(met, kB),
        PastRunLine({20260310, {{kB, 600}, {"エックス", 600}}}, kB),                  // 0.0
        PastRunLine({20260320, {{kB, 600}, {"エックス", 900}}}, kB, 0),               // B unplaced
        PastRunLine({20260330, {{kB, 600}, {"エックス", 900}}, "24", 1400, 19}, kB),  // damaged
        PastRunLine({20260331, {{kB, 600}, {"エックス", 900}}}, kB).replace(0, 8, "2026O331"),
    };
    rig.WriteFile(kIdB, b);

    CompareEngine engine(*rig.shell);
    std::string label;
    engine.SetPairLabelSink([&](const std::string& s) { label = s; });
    engine.Search2Ba(Pair());
    EXPECT_EQ(label, Name18(kA) + "vs" + Name18(kB));
    // A +0.5 against B +0.1, -0.2, 0.0: three for A, the -0.2 also own-minus for A.
    // A -0.3 against the same: three for B, +0.1 and 0.0 also own-minus for B.
    const RaceAnalysis& an = rig.day().raceAnalysis[0];
    EXPECT_EQ(ResultOf(an, 1), (PairResult{6, 3, 3, 1, 2, 4, 5, 0, 1}));
    EXPECT_EQ(an.wins[1], 1);
    EXPECT_EQ(an.losses[0], 1);
    EXPECT_EQ(an.wins[0], 0);
    EXPECT_EQ(an.winPt[0], 4);
    EXPECT_EQ(an.lossPt[1], 4);
    EXPECT_EQ(an.winPt[1], 5);
    EXPECT_EQ(an.lossPt[0], 5);
}

// One instance per case: A's and B's margins against X and today's weights.
TEST(CompareEngine, OneInstanceCountsByTheComparisonMargins) {
    struct Case {
        int timeA, weightA, timeB, weightB;  // own time and past weight; X runs 600 at 550
        double todayA, todayB;
        PairResult expected;
    };
    const Case cases[] = {
        // 0.0 against -0.1: a point and own-minus for A.
        {600, 550, 601, 550, 55, 55, {1, 1, 0, 1, 0, 2, 0, 1, 0}},
        // -0.1 against 0.0: the same for B.
        {601, 550, 600, 550, 55, 55, {1, 0, 1, 0, 1, 0, 2, 0, 1}},
        // Equal margins count for neither.
        {598, 550, 598, 550, 55, 55, {1, 0, 0, 0, 0, 0, 0, 0, 0}},
        // Both behind X: the point goes to the smaller deficit, no own-minus.
        {603, 550, 605, 550, 55, 55, {1, 1, 0, 0, 0, 1, 0, 1, 0}},
        // A 0.3 behind B, but 1 kg more today: +0.2 for A, -0.2 for B (-0.3+0.2 > 0.0-0.2).
        {603, 550, 600, 550, 56, 55, {1, 1, 0, 0, 0, 1, 0, 1, 0}},
        // In the past race A carried 2 kg less than X: corrected -0.4 (0.2 - 0.4 = -0.2 < 0.0).
        {598, 530, 600, 550, 55, 55, {1, 0, 1, 0, 1, 0, 2, 0, 1}},
    };
    for (const Case& c : cases) {
        CompareRig rig;
        rig.WriteRaces(kIdA, kA, {{20260101, {{kA, c.timeA, c.weightA}, {"エックス", 600}}}});
        rig.WriteRaces(kIdB, kB, {{20260102, {{kB, c.timeB, c.weightB}, {"エックス", 600}}}});
        CompareEngine engine(*rig.shell);
        engine.Search2Ba(Pair(c.todayA, c.todayB));
        EXPECT_EQ(ResultOf(rig.day().raceAnalysis[0], 1), c.expected)
            << c.timeA << "/" << c.weightA << " against " << c.timeB << "/" << c.weightB;
    }
}

// A side without both times keeps the comparison margin of the previous instance (0.0 at
// the first); the other side is still computed.
TEST(CompareEngine, MissingTimeReusesThePreviousMargin) {
    CompareRig rig;
    rig.WriteRaces(kIdA, kA,
                   {{20260101, {{kA, 600}, {"ダブリュ", 0}}},    // no opponent time: 0.0 (first)
                    {20260201, {{kA, 600}, {"エックス", 605}}},  // +0.5
                    {20260301, {{kA, 0}, {"ワイ", 600}}},        // no own time: +0.5 kept
                    {20260401, {{kA, 600}, {"ブイ", 601}}}});    // +0.1
    rig.WriteRaces(kIdB, kB,
                   {{20260110, {{"ダブリュ", 600}, {kB, 602}}},  // -0.2
                    {20260210, {{"エックス", 600}, {kB, 603}}},  // -0.3
                    {20260310, {{kB, 600}, {"ワイ", 603}}},      // +0.3
                    {20260311, {{kB, 600}, {"ワイ", 607}}},      // +0.7
                    {20260410, {{kB, 0}, {"ブイ", 600}}}});      // no own time: +0.7 kept
    CompareEngine engine(*rig.shell);
    engine.Search2Ba(Pair());
    // 0.0:-0.2 A and own-minus A; 0.5:-0.3 A and own-minus A; 0.5:0.3 A; 0.5:0.7 B; 0.1:0.7 B.
    EXPECT_EQ(ResultOf(rig.day().raceAnalysis[0], 1), (PairResult{5, 3, 2, 2, 0, 5, 2, 1, 0}));
}

// B's untimed entries take the margin of the instance before them, across opponents and
// with the race of A and B left out of both lists.
TEST(CompareEngine, CarriedMarginsFollowTheInstanceOrder) {
    CompareRig rig;
    PastRace met{20260301, {{kA, 600}, {kB, 601}, {"エックス", 602}, {"ワイ", 603}}};
    rig.WriteRaces(kIdA, kA,
                   {{20260101, {{kA, 600}, {"エックス", 605}}},  // +0.5
                    {20260201, {{kA, 600}, {"ワイ", 600}}},      // 0.0
                    met});
    rig.WriteRaces(kIdB, kB,
                   {{20260110, {{"エックス", 600}, {kB, 601}}},  // -0.1
                    {20260120, {{kB, 600}, {"エックス", 0}}},    // no time: -0.1 kept
                    met,
                    {20260310, {{"ワイ", 600}, {kB, 0}}},      // no time: -0.1 carried over
                    {20260320, {{kB, 600}, {"ワイ", 602}}}});  // +0.2
    CompareEngine engine(*rig.shell);
    engine.Search2Ba(Pair());
    // 0.5:-0.1 twice and 0.0:-0.1, each a point and own-minus for A; 0.0:0.2 a point for B.
    EXPECT_EQ(ResultOf(rig.day().raceAnalysis[0], 1), (PairResult{4, 3, 1, 3, 0, 6, 1, 1, 0}));
}

// Long histories against one opponent (lists sorted and counted the way long lists are),
// with some races of A and B together among them: every other instance counted by the rules,
// pair by pair. The margins come in steps of a tenth, so many are equal.
TEST(CompareEngine, LongListsOfOneOpponentCountEveryInstance) {
    CompareRig rig;
    std::vector<PastRace> racesA;
    std::vector<PastRace> racesB;
    std::vector<double> hiA;
    std::vector<double> hiB;
    const int x = 600;  // the opponent's time, tenths
    for (int k = 0; k < 90; ++k) {
        const int timeA = x + (k * 37) % 23 - 11;
        const int timeB = x + (k * 53) % 19 - 9;
        if (k % 9 == 4) {  // A and B met: left out of both lists
            PastRace met{DaysBefore(20260601, 400 + k),
                         {{kA, timeA}, {kB, timeB}, {"エックス", x}}};
            racesA.push_back(met);
            racesB.push_back(met);
            continue;
        }
        racesA.push_back({DaysBefore(20260601, 1 + k), {{kA, timeA}, {"エックス", x}}});
        racesB.push_back({DaysBefore(20260601, 200 + k), {{"エックス", x}, {kB, timeB}}});
        hiA.push_back(ComparisonMargin(CorrectedMargin(timeA, x, 550, 550), 55, 56));
        hiB.push_back(ComparisonMargin(CorrectedMargin(timeB, x, 550, 550), 56, 55));
    }
    rig.WriteRaces(kIdA, kA, racesA);
    rig.WriteRaces(kIdB, kB, racesB);
    PairCounts want;
    for (double a : hiA)
        for (double b : hiB) Count(want, OutcomeOf(a, b));
    const int soA = want.ptA + want.dokuPtA;
    const int soB = want.ptB + want.dokuPtB;
    CompareEngine engine(*rig.shell);
    engine.Search2Ba(Pair(55, 56));
    EXPECT_EQ(ResultOf(rig.day().raceAnalysis[0], 1),
              (PairResult{want.instances, want.ptA, want.ptB, want.dokuPtA, want.dokuPtB, soA, soB,
                          soA > soB, soB > soA}));
    EXPECT_EQ(want.instances, 80 * 80);
}

TEST(CompareEngine, EqualTotalsDecideNothingButBothGetPoints) {
    CompareRig rig;
    // A +0.2 and -0.2 against X, B 0.0: a point for A; a point and own-minus for B.
    rig.WriteRaces(
        kIdA, kA,
        {{20260101, {{kA, 600}, {"エックス", 602}}}, {20260102, {{"エックス", 600}, {kA, 602}}}});
    rig.WriteRaces(kIdB, kB, {{20260103, {{kB, 600}, {"エックス", 600}}}});
    CompareEngine engine(*rig.shell);
    engine.Search2Ba(Pair());
    engine.Search2Ba(Pair());  // pair entries are stored, horse tallies added
    const RaceAnalysis& an = rig.day().raceAnalysis[0];
    EXPECT_EQ(ResultOf(an, 1), (PairResult{2, 1, 1, 0, 1, 1, 2, 0, 2}));
    EXPECT_EQ(an.wins[1], 2);
    EXPECT_EQ(an.winPt[0], 2);
    EXPECT_EQ(an.winPt[1], 4);

    // +0.1:-0.1 and -0.1:+0.1 make 2:2: no win, and both horses still get 2 points.
    CompareRig tie;
    tie.WriteRaces(kIdA, kA,
                   {{20260101, {{kA, 600}, {"エックス", 601}}},  // +0.1
                    {20260102, {{"ワイ", 600}, {kA, 601}}}});    // -0.1
    tie.WriteRaces(kIdB, kB,
                   {{20260103, {{"エックス", 600}, {kB, 601}}},  // -0.1
                    {20260104, {{kB, 600}, {"ワイ", 601}}}});    // +0.1
    CompareEngine tieEngine(*tie.shell);
    tieEngine.Search2Ba(Pair());
    const RaceAnalysis& t = tie.day().raceAnalysis[0];
    EXPECT_EQ(ResultOf(t, 1), (PairResult{2, 1, 1, 1, 1, 2, 2, 0, 0}));
    EXPECT_EQ(t.wins[0] + t.wins[1] + t.losses[0] + t.losses[1], 0);
    EXPECT_EQ(t.winPt[0], 2);
    EXPECT_EQ(t.lossPt[0], 2);
}

TEST(CompareEngine, WritesNothingForUnusablePairs) {
    struct Case {
        const char* what;
        PairArgs pair;
        bool writeA = true, writeB = true;
    };
    PairArgs same = Pair();
    same.nameB = Sj(kA);  // same key once padded
    PairArgs blank = Pair();
    blank.nameA = "      ";
    PairArgs noWeight = Pair(55.0, 0.0);
    PairArgs negative = Pair(-1.0, 55.0);
    PairArgs badId = Pair();
    badId.idB = "../../etc/";
    const Case cases[] = {{"equal keys", same},         {"blank name", blank},
                          {"weight 0", noWeight},       {"negative weight", negative},
                          {"A missing", Pair(), false}, {"B missing", Pair(), true, false},
                          {"unsafe id", badId}};
    for (const Case& c : cases) {
        CompareRig rig;
        if (c.writeA) rig.WriteRaces(kIdA, kA, {{20260101, {{kA, 600}, {"エックス", 605}}}});
        if (c.writeB) rig.WriteRaces(kIdB, kB, {{20260102, {{kB, 600}, {"エックス", 601}}}});
        RaceAnalysis& an = rig.day().raceAnalysis[0];
        an.pairCount[0] = 77;
        an.pairDirect[0] = 77;
        an.winPt[0] = 77;
        CompareEngine engine(*rig.shell);
        engine.Search2Ba(c.pair);
        engine.Search2BaDirect(c.pair);
        EXPECT_EQ(an.pairCount[0], 77) << c.what;
        EXPECT_EQ(an.winPt[0], 77) << c.what;
        EXPECT_EQ(an.wins[0] + an.losses[0] + an.wins[1] + an.losses[1], 0) << c.what;
        // The direct count needs only A's file and the names.
        bool direct =
            c.writeA && std::string(c.what) != "equal keys" && std::string(c.what) != "blank name";
        EXPECT_EQ(an.pairDirect[0], direct ? 0 : 77) << c.what;
    }
}

TEST(CompareEngine, NoCommonOpponentStoresZerosAndDecidesNothing) {
    CompareRig rig;
    rig.WriteRaces(kIdA, kA, {{20260101, {{kA, 600}, {"エックス", 605}}}});
    rig.WriteRaces(kIdB, kB, {{20260102, {{kB, 600}, {"ワイ", 601}}}});
    RaceAnalysis& an = rig.day().raceAnalysis[0];
    an.pairCount[0] = 77;
    CompareEngine engine(*rig.shell);
    engine.Search2Ba(Pair());
    EXPECT_EQ(ResultOf(an, 1), (PairResult{0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(an.wins[0] + an.wins[1] + an.winPt[0] + an.winPt[1], 0);
}

TEST(CompareEngine, DirectMeetingsBeforeTheRaceDateWithAPlaced) {
    CompareRig rig;
    PastRace r1{20260101, {{kA, 600}, {kB, 601}}};
    PastRace r2{20260201, {{kB, 600}, {"エックス", 600}, {kA, 601}}};
    PastRace r3{20260301, {{kA, 600}, {kB, 601}}};
    PastRace unplaced{20260401, {{kB, 600}, {kA, 601}}};
    PastRace onTheDay{20260601, {{kA, 600}, {kB, 601}}};
    PastRace without{20260402, {{kA, 600}, {"エックス", 601}}};
    rig.WriteFile(
        kIdA,
        {PastRunLine(r1, kA), PastRunLine(r2, kA), PastRunLine(r3, kA),
         PastRunLine(unplaced, kA, 0), PastRunLine(without, kA), PastRunLine(onTheDay, kA)},
        std::string(300, ' '));  // a damaged tail is never read
    CompareEngine engine(*rig.shell);
    PairArgs p = Pair();
    p.pair = 37;
    p.idB = "";  // B's file is not needed
    engine.Search2BaDirect(p);
    EXPECT_EQ(rig.day().raceAnalysis[0].pairDirect[36], 3);
}

}  // namespace
}  // namespace sorvane::testing
