// The engine and the literal reference give the same pair arrays and tallies for every pair
// of every race of generated days, faults included; and the engine on workers gives what it
// gives on one thread.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "compare_fixture.h"
#include "compare_reference.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "raceday/race_day.h"
#include "shell/app_shell.h"
#include "store/past_run_file.h"
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

// The day's races, and race 0 once more in slot kOtherDate a year earlier: its horses need
// other groups there, within the same batch of pairs.
constexpr int kOtherDate = 50;

std::vector<std::vector<PairArgs>> Batches(RaceDay& d, int races) {
    std::string ra(d.raceTable.At(0));
    ra.replace(11, 8, "20250601");
    d.raceTable.Put(kOtherDate, ra);
    std::vector<std::vector<PairArgs>> batches;
    for (int r = 0; r < races; ++r) batches.push_back(PairsOfRace(d, r));
    std::vector<PairArgs> again = PairsOfRace(d, 0);
    for (PairArgs& p : PairsOfRace(d, 0)) {
        p.race = kOtherDate;
        again.push_back(p);
    }
    batches.push_back(again);
    return batches;
}

struct Outcome {
    std::vector<Written> races;  // slots 0.., then kOtherDate
    std::string lastLabel;
    PairCounts last;
    bool failed = false;
};

// Every batch through one engine with `workers`, reading ahead when asked to; stops at a
// failure, as the all-race comparison does.
Outcome CompareBatches(Day& day, const std::vector<std::vector<PairArgs>>& batches, int races,
                       int workers, bool preload) {
    RaceDay& d = day.shell->day();
    for (int r = 0; r < races; ++r) ResetTallies(d.raceAnalysis[static_cast<size_t>(r)]);
    ResetTallies(d.raceAnalysis[kOtherDate]);
    Outcome run;
    CompareEngine engine(*day.shell, workers);
    engine.SetPairLabelSink([&](const std::string& s) { run.lastLabel = s; });
    if (preload) {
        std::vector<AheadHorse> horses;
        for (int r = 0; r < races; ++r)
            for (auto& h : HorsesOfRace(d, r)) horses.push_back(h);
        engine.Preload(horses);
    }
    try {
        for (const std::vector<PairArgs>& b : batches) engine.ComparePairs(b);
    } catch (const FileError&) {
        run.failed = true;
    }
    for (int r = 0; r < races; ++r)
        run.races.push_back(Capture(d.raceAnalysis[static_cast<size_t>(r)]));
    run.races.push_back(Capture(d.raceAnalysis[kOtherDate]));
    run.last = engine.LastCounts();
    return run;
}

void ExpectSameRuns(const Outcome& want, const Outcome& got, const std::string& what) {
    ASSERT_EQ(got.races.size(), want.races.size());
    for (size_t r = 0; r < want.races.size(); ++r)
        EXPECT_TRUE(got.races[r] == want.races[r])
            << what << " race " << r << ": " << FirstDifference(got.races[r], want.races[r]);
    EXPECT_EQ(got.lastLabel, want.lastLabel) << what;
    EXPECT_EQ(got.failed, want.failed) << what;
    EXPECT_TRUE(got.last.instances == want.last.instances && got.last.ptA == want.last.ptA &&
                got.last.ptB == want.last.ptB && got.last.dokuPtA == want.last.dokuPtA &&
                got.last.dokuPtB == want.last.dokuPtB)
        << what;
}

TEST(CompareIdentity, WorkersGiveWhatOneThreadGivesOnEveryRun) {
    CompareDayOptions o;
    o.races = 8;
    o.runners = 12;
    o.runsPerHorse = 25;
    o.classSize = 20;
    o.faults = true;
    o.seed = 11;
    Day day(o);
    const auto batches = Batches(day.shell->day(), o.races);
    const Outcome one = CompareBatches(day, batches, o.races, 1, false);
    int instances = 0;
    for (const Written& w : one.races)
        for (int c : w.pairs[0]) instances += c;
    EXPECT_GT(instances, 1000);
    EXPECT_EQ(one.lastLabel,
              NameKey(batches.back().back().nameA) + "vs" + NameKey(batches.back().back().nameB));
    for (int workers : {2, 3}) {
        for (int rep = 0; rep < 3; ++rep) {
            const std::string what = std::to_string(workers) + " workers, run " +
                                     std::to_string(rep) + (rep == 1 ? ", read ahead" : "");
            ExpectSameRuns(one, CompareBatches(day, batches, o.races, workers, rep == 1), what);
        }
    }
}

TEST(CompareIdentity, AFileThatCannotBeReadFailsAtTheSamePairOnWorkers) {
    CompareDayOptions o;
    o.races = 4;
    o.runners = 10;
    o.runsPerHorse = 20;
    o.classSize = 20;
    o.seed = 3;
    Day day(o);
    RaceDay& d = day.shell->day();
    // A folder where a horse of race 2 has its file: it exists but cannot be read.
    const std::string blood(SeRecord(d.runnerTable.At(2, 4)).BloodNumber());
    const std::filesystem::path file =
        day.dir.path() / kPastRunFolder / PastRunFolderName(blood) / PastRunFileName(blood);
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    const auto batches = Batches(d, o.races);
    const Outcome one = CompareBatches(day, batches, o.races, 1, false);
    EXPECT_TRUE(one.failed);
    ExpectSameRuns(one, CompareBatches(day, batches, o.races, 2, false), "2 workers");
    ExpectSameRuns(one, CompareBatches(day, batches, o.races, 2, true), "2 workers, read ahead");
}

}  // namespace
}  // namespace sorvane::testing
