// The engine and the literal reference give the same pair arrays and tallies for every pair
// of every race of generated days, faults included.
#include <gtest/gtest.h>

#include <memory>

#include "compare_fixture.h"
#include "compare_reference.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "raceday/race_day.h"
#include "shell/app_shell.h"
#include "temp_dir.h"

namespace sorvane::testing {
namespace {

// The fields the comparisons write, per race.
struct Written {
    PerHorse<int32_t> wins, losses, winPt, lossPt;
    std::array<PerPair<int32_t>, 10> pairs;
    bool operator==(const Written&) const = default;
};

Written Capture(const RaceAnalysis& a) {
    return {a.wins,
            a.losses,
            a.winPt,
            a.lossPt,
            {a.pairCount, a.pairWinA, a.pairWinB, a.pairPtA, a.pairPtB, a.pairDokuPtA,
             a.pairDokuPtB, a.pairSoPtA, a.pairSoPtB, a.pairDirect}};
}

const char* const kArrays[] = {"wins", "losses", "winPt", "lossPt", "count", "winA", "winB",
                               "ptA",  "ptB",    "dokuA", "dokuB",  "soA",   "soB",  "direct"};

// Where two captures first differ, for a readable failure.
std::string FirstDifference(const Written& x, const Written& y) {
    auto check = [](const auto& p, const auto& q, int name) -> std::string {
        for (size_t i = 0; i < p.size(); ++i)
            if (p[i] != q[i])
                return std::string(kArrays[name]) + "[" + std::to_string(i) +
                       "]: " + std::to_string(p[i]) + " against " + std::to_string(q[i]);
        return {};
    };
    std::string d;
    if (d.empty()) d = check(x.wins, y.wins, 0);
    if (d.empty()) d = check(x.losses, y.losses, 1);
    if (d.empty()) d = check(x.winPt, y.winPt, 2);
    if (d.empty()) d = check(x.lossPt, y.lossPt, 3);
    for (size_t i = 0; d.empty() && i < x.pairs.size(); ++i)
        d = check(x.pairs[i], y.pairs[i], static_cast<int>(4 + i));
    return d;
}

struct Day {
    TempDir dir;
    FakeUi ui;
    FakePlatform platform;
    FakeLink link;
    FixedClock clock{2026, 6, 1, 9, 0, 0};
    std::unique_ptr<AppShell> shell;

    explicit Day(const CompareDayOptions& o) {
        shell = std::make_unique<AppShell>(ProgramFolder(dir.path()),
                                           ShellPorts{ui, clock, platform, link});
        GenerateCompareDay(dir.path(), shell->day(), o);
    }
};

TEST(CompareIdentity, EngineMatchesTheReferenceOnGeneratedDays) {
    CompareDayOptions small;
    small.races = 6;
    small.runners = 12;
    small.runsPerHorse = 25;
    small.classSize = 20;
    CompareDayOptions faults = small;
    faults.faults = true;
    faults.seed = 7;
    CompareDayOptions tight = faults;  // small classes: many shared opponents and meetings
    tight.races = 4;
    tight.runners = 10;
    tight.classSize = 12;
    tight.runsPerHorse = 30;
    tight.seed = 23;
    CompareDayOptions full = faults;
    full.races = 3;
    full.runners = 18;
    full.seed = 5;

    CompareDayOptions sparse = faults;  // large classes, many missing times: carried margins
    sparse.classSize = 60;
    sparse.runsPerHorse = 15;
    sparse.zeroTimePercent = 20;
    sparse.seed = 31;

    int instances = 0;
    int decided = 0;
    for (const CompareDayOptions& o : {small, faults, tight, full, sparse}) {
        Day day(o);
        RaceDay& d = day.shell->day();
        std::vector<Written> ours;
        {
            CompareEngine engine(*day.shell);
            for (int r = 0; r < o.races; ++r) {
                for (const PairArgs& p : PairsOfRace(d, r)) {
                    engine.Search2Ba(p);
                    engine.Search2BaDirect(p);
                }
                ours.push_back(Capture(d.raceAnalysis[static_cast<size_t>(r)]));
            }
        }
        for (int r = 0; r < o.races; ++r) ResetTallies(d.raceAnalysis[static_cast<size_t>(r)]);
        ProgramFolder folder(day.dir.path());
        for (int r = 0; r < o.races; ++r) {
            for (const PairArgs& p : PairsOfRace(d, r)) {
                ReferenceSearch2Ba(folder, d, p);
                ReferenceSearch2BaDirect(folder, d, p);
            }
            Written ref = Capture(d.raceAnalysis[static_cast<size_t>(r)]);
            const Written& got = ours[static_cast<size_t>(r)];
            EXPECT_TRUE(got == ref)
                << "seed " << o.seed << " race " << r << ": " << FirstDifference(got, ref);
            for (int c : ref.pairs[0]) instances += c;
            for (int w : ref.wins) decided += w;
        }
    }
    // The days are worth comparing: many instances, and pairs decided both ways.
    EXPECT_GT(instances, 1000);
    EXPECT_GT(decided, 50);
}

}  // namespace
}  // namespace sorvane::testing
