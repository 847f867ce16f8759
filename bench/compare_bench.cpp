// The cost of comparing every pair of a full generated day (96 races of 18 runners with long
// histories), in one process: the literal reference, our engine, and the I/O floor (reading
// every involved past-run file once).
// Usage: compare_bench [--races N] [--runs N] [--class N] [--reps N] [--reference-races N]
//                      [--work DIR] [--workers N] [--ours-only 1]
// --class: horses that meet each other (default 40; larger means fewer common opponents).
// Ours and the floor are the best of the repetitions (default 3); the reference runs once on
// the first --reference-races races (default all) and is scaled to the whole day when fewer.
// Ours runs as the all-race comparison does, on one worker per processor; the floor is one
// thread reading the files. Both are given in wall-clock seconds, which decide the ratio, and
// in processor seconds of the process (user + system, all threads).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/task_pool.h"
#include "compare_fixture.h"
#include "compare_reference.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "raceday/race_day.h"
#include "shell/app_shell.h"
#include "store/past_run_file.h"

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

// Processor time of the process (user and system, every thread).
struct CpuTime {
    static CpuTime now() { return {}; }
    double at = Now();
    static double Now() {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    }
};

double Seconds(const CpuTime& since) { return CpuTime::Now() - since.at; }

// The best processor and wall-clock seconds of some repetitions.
struct Best {
    double cpu = 1e9;
    double wall = 1e9;
    template <class F>
    void Time(F&& run) {
        auto t = CpuTime::now();
        auto w = std::chrono::steady_clock::now();
        run();
        cpu = std::min(cpu, Seconds(t));
        wall = std::min(
            wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - w).count());
    }
};

// Wall-clock seconds of the two phases of a comparison: the files read ahead, the pairs.
struct Phases {
    double preload = 1e9;
    double pairs = 1e9;
};

// Every pair of every race through one engine, as the all-race comparison runs them.
Phases CompareDay(AppShell& shell, int races, int workers) {
    RaceDay& day = shell.day();
    CompareEngine engine(shell, workers);
    std::vector<AheadHorse> horses;
    for (int r = 0; r < races; ++r)
        for (auto& h : HorsesOfRace(day, r)) horses.push_back(std::move(h));
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    engine.Preload(horses);
    const auto read = Clock::now();
    for (int r = 0; r < races; ++r) engine.ComparePairs(PairsOfRace(day, r));
    return {std::chrono::duration<double>(read - start).count(),
            std::chrono::duration<double>(Clock::now() - read).count()};
}

struct Snapshot {
    std::vector<RaceAnalysis> races;
};

void ResetDay(RaceDay& day, int races) {
    for (int r = 0; r < races; ++r) ResetTallies(day.raceAnalysis[static_cast<size_t>(r)]);
}

bool SameWrites(const RaceAnalysis& a, const RaceAnalysis& b) {
    return a.wins == b.wins && a.losses == b.losses && a.winPt == b.winPt && a.lossPt == b.lossPt &&
           a.pairCount == b.pairCount && a.pairWinA == b.pairWinA && a.pairWinB == b.pairWinB &&
           a.pairPtA == b.pairPtA && a.pairPtB == b.pairPtB && a.pairDokuPtA == b.pairDokuPtA &&
           a.pairDokuPtB == b.pairDokuPtB && a.pairSoPtA == b.pairSoPtA &&
           a.pairSoPtB == b.pairSoPtB && a.pairDirect == b.pairDirect;
}

}  // namespace

int main(int argc, char** argv) {
    CompareDayOptions o;
    o.runsPerHorse = 60;
    int reps = 3;
    int referenceRaces = -1;
    int workers = TaskPool::Processors();  // of ours; one-thread is run besides
    bool oursOnly = false;  // for profiling: no floor, one-thread, direct-only or reference runs
    fs::path work =
        fs::temp_directory_path() / ("sorvane-compare-bench-" + std::to_string(::getpid()));
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string a = argv[i];
        int v = std::atoi(argv[i + 1]);
        if (a == "--races")
            o.races = v;
        else if (a == "--runs")
            o.runsPerHorse = v;
        else if (a == "--class")
            o.classSize = v;
        else if (a == "--reps")
            reps = v;
        else if (a == "--reference-races")
            referenceRaces = v;
        else if (a == "--work")
            work = argv[i + 1];
        else if (a == "--workers")
            workers = v;
        else if (a == "--ours-only")
            oursOnly = v != 0;
        else {
            std::fprintf(stderr, "unknown option %s\n", a.c_str());
            return 2;
        }
    }
    if (referenceRaces < 0 || referenceRaces > o.races) referenceRaces = o.races;
    if (oursOnly) referenceRaces = 0;

    fs::remove_all(work);
    fs::create_directories(work);
    testing::FakeUi ui;
    testing::FakePlatform platform;
    testing::FakeLink link;
    FixedClock clock(2026, 6, 1, 9, 0, 0);
    AppShell shell(ProgramFolder(work), ShellPorts{ui, clock, platform, link});
    RaceDay& day = shell.day();
    auto t0 = CpuTime::now();
    GenerateCompareDay(work, day, o);
    double generate = Seconds(t0);

    std::vector<std::string> bloods = RunnersOfDay(day);
    std::set<std::string> distinct(bloods.begin(), bloods.end());
    uint64_t bytes = 0;
    size_t records = 0;
    for (const std::string& b : distinct) {
        PastRunFile f;
        f.Load(shell.folder(), b);
        records += f.Count();
    }
    int pairs = 0;
    for (int r = 0; r < o.races; ++r) pairs += static_cast<int>(PairsOfRace(day, r).size());

    // The floor: every involved file read once.
    Best floor;
    for (int rep = 0; rep < (oursOnly ? 0 : reps); ++rep) {
        floor.Time([&] {
            bytes = 0;
            std::string data;
            for (const std::string& b : distinct) {
                auto path = shell.folder().Resolve(PastRunPath(b));
                if (path && ReadWholeFile(*path, data)) bytes += data.size();
            }
        });
    }

    // Ours: one engine for the run, every pair of every race; on one thread for comparison.
    Best ours;
    Best oneThread;
    std::vector<RaceAnalysis> ourResult;
    for (int rep = 0; rep < (oursOnly ? 0 : reps); ++rep) {
        ResetDay(day, o.races);
        oneThread.Time([&] { CompareDay(shell, o.races, 1); });
    }
    std::vector<RaceAnalysis> oneThreadResult(day.raceAnalysis.begin(),
                                              day.raceAnalysis.begin() + o.races);
    Phases phases;  // each the best of the repetitions
    Phases firstRun;
    for (int rep = 0; rep < reps; ++rep) {
        ResetDay(day, o.races);
        ours.Time([&] {
            Phases p = CompareDay(shell, o.races, workers);
            if (rep == 0) firstRun = p;
            phases.preload = std::min(phases.preload, p.preload);
            phases.pairs = std::min(phases.pairs, p.pairs);
        });
    }
    // Reading and indexing alone: the direct counts read only A's files, every runner but
    // the last of each race.
    double directOnly = 1e9;
    for (int rep = 0; rep < (oursOnly ? 0 : reps); ++rep) {
        auto t = CpuTime::now();
        CompareEngine engine(shell);
        for (int r = 0; r < o.races; ++r)
            for (const PairArgs& p : PairsOfRace(day, r)) engine.Search2BaDirect(p);
        directOnly = std::min(directOnly, Seconds(t));
    }
    ourResult.assign(day.raceAnalysis.begin(), day.raceAnalysis.begin() + o.races);
    bool sameOnOneThread = true;
    for (int r = 0; r < o.races; ++r)
        sameOnOneThread = sameOnOneThread && SameWrites(ourResult[static_cast<size_t>(r)],
                                                        oneThreadResult[static_cast<size_t>(r)]);
    long long instances = 0;
    for (const RaceAnalysis& a : ourResult)
        for (int c : a.pairCount) instances += c;

    // The reference, once.
    ResetDay(day, o.races);
    auto t = CpuTime::now();
    for (int r = 0; r < referenceRaces; ++r) {
        for (const PairArgs& p : PairsOfRace(day, r)) {
            ReferenceSearch2Ba(shell.folder(), day, p);
            ReferenceSearch2BaDirect(shell.folder(), day, p);
        }
    }
    double reference = Seconds(t);
    bool identical = true;
    for (int r = 0; r < referenceRaces; ++r)
        identical = identical && SameWrites(ourResult[static_cast<size_t>(r)],
                                            day.raceAnalysis[static_cast<size_t>(r)]);
    double referenceDay = reference * o.races / std::max(1, referenceRaces);

    std::printf(
        "day: %d races, %d pairs, %zu horses, %zu past-run records (%.1f MB), "
        "%lld instances; generated in %.1f s\n",
        o.races, pairs, distinct.size(), records, bytes / 1e6, instances, generate);
    std::printf("reference: %.3f s on %d races%s\n", reference, referenceRaces,
                referenceRaces < o.races ? "" : " (the whole day)");
    if (referenceRaces < o.races)
        std::printf("reference, scaled to the day: %.3f s\n", referenceDay);
    std::printf("ours:      %.3f s wall clock on %d workers, %.3f s processor (best of %d)\n",
                ours.wall, workers, ours.cpu, reps);
    std::printf(
        "ours, by phase: files read ahead %.3f s, pairs %.3f s (best); in the first "
        "run, with the process's memory still fresh, %.3f s and %.3f s\n",
        phases.preload, phases.pairs, firstRun.preload, firstRun.pairs);
    std::printf("ours, one thread: %.3f s wall clock, %.3f s processor\n", oneThread.wall,
                oneThread.cpu);
    std::printf("floor:     %.3f s wall clock, %.3f s processor (best of %d)\n", floor.wall,
                floor.cpu, reps);
    std::printf("ours, direct counts only (reading and indexing, one thread): %.3f s\n",
                directOnly);
    std::printf("reference / ours: %.0fx   ours / floor (wall clock): %.2fx\n",
                referenceDay / ours.wall, ours.wall / floor.wall);
    std::printf("results identical on the reference races: %s; on one thread: %s\n",
                identical ? "yes" : "NO", sameOnOneThread ? "yes" : "NO");
    fs::remove_all(work);
    return identical && sameOnOneThread ? 0 : 1;
}
