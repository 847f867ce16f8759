// The day load's cost on a full generated day (96 races of 18 runners, each runner with a
// past-run file of 120 lines and a prediction file of 120 lines), in one process: the load as
// the date box runs it (without the all-race comparison), the read-once floor (every file the
// load involves read once, whole), and the selection of a race.
// Usage: day_load_bench [--races N] [--runners N] [--runs N] [--reps N] [--odds] [--work DIR]
// Each figure is the best of the repetitions (default 3), taken alternately; the machine is
// shared. With --odds the day also has its six odds files (one record per race and kind).
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/files.h"
#include "day_fixture.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "odds/odds_day_index.h"
#include "odds/odds_import.h"
#include "raceday/day_load.h"
#include "raceday/race_select.h"
#include "shell/app_shell.h"
#include "temp_dir.h"

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

struct Options {
    int races = 96;
    int runners = 18;
    int runs = 120;  // lines of every past-run and prediction file
    int reps = 3;
    bool odds = false;
    fs::path work;
};

const char* const kTracks[] = {"30", "35", "42", "43", "44", "45", "50", "54"};

double Seconds(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// CPU time of the process (user and system), which other work on a shared machine disturbs
// less than the wall clock.
double CpuNow() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// The best CPU and wall times of a step over the repetitions.
struct Best {
    double cpu = 1e9, wall = 1e9;
    template <class F>
    void Time(F&& step, double divide = 1) {
        double c0 = CpuNow();
        auto t0 = std::chrono::steady_clock::now();
        step();
        wall = std::min(wall, Seconds(t0) / divide);
        cpu = std::min(cpu, (CpuNow() - c0) / divide);
    }
};

// Writes the day and returns every file the load reads.
std::vector<fs::path> WriteDay(const Options& o, const fs::path& home) {
    testing::DayWriter w(home, "20240105");
    std::vector<fs::path> files;
    for (int n = 0; n < o.races; ++n) {
        const char* track = kTracks[(n / 12) % 8];
        testing::RaceSpec& r =
            w.AddRace({.track = track, .race = n % 12 + 1, .runners = o.runners});
        for (int h = 1; h <= o.runners; ++h) {
            std::string blood = testing::BloodOf(r, h);
            std::vector<std::string> runs, yos;
            for (int i = 0; i < o.runs; ++i) {
                // Oldest first, one run a fortnight, back from the end of 2023.
                int back = (o.runs - i) * 14;
                LocalTime t = AddDaysTo(LocalTime{2024, 1, 1}, -back);
                std::string date = Format("%04d%02d%02d", t.year, t.month, t.day);
                runs.push_back(testing::MakePastRun({.date = date,
                                                     .track = track,
                                                     .position = i % 12 + 1,
                                                     .surface = i % 5 == 0 ? "17" : "24",
                                                     .distance = 1000 + (i % 14) * 100,
                                                     .turfGoing = i % 5 == 0 ? i % 4 + 1 : 0,
                                                     .dirtGoing = i % 5 == 0 ? 0 : i % 4 + 1,
                                                     .prize = i % 3 == 0 ? 120 : 0}));
                yos.push_back(testing::MakeYos(date, track, i % 4));
            }
            w.WritePastRuns(blood, runs);
            w.WritePredictions(blood, yos);
            files.push_back(w.HorsePath(blood, ".kak"));
            files.push_back(w.HorsePath(blood, ".yos"));
        }
    }
    w.Write();
    files.push_back(w.DataPath(DayFileName(DayFileKind::RA, w.Stamp())));
    for (int t = 0; t < 8 && t * 12 < o.races; ++t)
        files.push_back(
            w.DataPath(DayFileName(DayFileKind::SEr, w.Stamp(), TrackName(kTracks[t]))));
    if (o.odds) {
        const RecordType kinds[] = {RecordType::O1, RecordType::O2, RecordType::O3,
                                    RecordType::O4, RecordType::O5, RecordType::O6};
        const DayFileKind fileKinds[] = {DayFileKind::O1, DayFileKind::O2, DayFileKind::O3,
                                         DayFileKind::O4, DayFileKind::O5, DayFileKind::O6};
        for (int k = 0; k < 6; ++k) {
            std::vector<std::string> lines;
            for (int n = 0; n < o.races; ++n) {
                lines.push_back(testing::MakeRaceRecord(kinds[k], "20240105", kTracks[(n / 12) % 8],
                                                        n % 12 + 1));
            }
            fs::path p = w.DataPath(DayFileName(fileKinds[k], w.Stamp()));
            testing::WriteTextLines(p, lines);
            files.push_back(p);
        }
    }
    return files;
}

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&](int& v) {
            if (i + 1 >= argc) return false;
            v = std::atoi(argv[++i]);
            return v > 0;
        };
        if (a == "--races") {
            if (!next(o.races) || o.races > 96) return false;
        } else if (a == "--runners") {
            if (!next(o.runners) || o.runners > 18) return false;
        } else if (a == "--runs") {
            if (!next(o.runs)) return false;
        } else if (a == "--reps") {
            if (!next(o.reps)) return false;
        } else if (a == "--odds") {
            o.odds = true;
        } else if (a == "--work" && i + 1 < argc) {
            o.work = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseArgs(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: day_load_bench [--races N<=96] [--runners N<=18] [--runs N] "
                     "[--reps N] [--odds] [--work DIR]\n");
        return 2;
    }
    testing::TempDir temp;
    fs::path home = (o.work.empty() ? temp.path() : o.work) / "day-load-home";
    fs::remove_all(home);
    fs::create_directories(home);
    auto t0 = std::chrono::steady_clock::now();
    std::vector<fs::path> files = WriteDay(o, home);
    std::fprintf(stderr, "day: %d races x %d runners, %d past runs each, %zu files (%.1f s)\n",
                 o.races, o.runners, o.runs, files.size(), Seconds(t0));

    testing::FakeUi ui;
    FixedClock clock{2024, 2, 1, 12, 0, 0};
    testing::FakePlatform platform;
    testing::FakeLink link;
    AppShell shell(ProgramFolder(home), ShellPorts{ui, clock, platform, link});
    if (!shell.Start()) return 1;
    const std::string stamp = DayStamp("20240105");
    const DayLoadOptions options{.ignoreDates = false, .compareAll = false};

    Best floor, load, select, odds, oddsFresh;
    uint64_t bytes = 0;
    bool failed = false;
    for (int rep = 0; rep < o.reps; ++rep) {
        floor.Time([&] {
            bytes = 0;
            std::string data;
            for (const fs::path& f : files) {
                ReadWholeFile(f, data);
                bytes += data.size();
            }
        });
        load.Time([&] { failed = failed || !LoadDay(shell, stamp, options); });
        // The odds import of every slot, as the load runs it (each odds file read once).
        odds.Time([&] {
            OddsDayIndex index(shell.folder());
            for (int s = 0; s < 96; ++s) {
                shell.day().ozRaceSlot = s;
                OzReadBtn(shell, index);
            }
        });
        // The same with every slot reading the files afresh, as an import of one slot does.
        oddsFresh.Time([&] {
            for (int s = 0; s < 96; ++s) {
                shell.day().ozRaceSlot = s;
                OzReadBtn(shell);
            }
        });
        int lines = static_cast<int>(shell.main().datListItems.size());
        select.Time(
            [&] {
                for (int line = 0; line < lines; ++line) SelectRace(shell, line);
            },
            std::max(1, lines));
    }
    if (failed) {
        std::fprintf(stderr, "the load failed\n");
        return 1;
    }
    int kept = 0;
    for (int s = 0; s < o.races; ++s)
        for (int k = 0; k < o.runners; ++k) kept += shell.day().pastRunTable.Count(s, k);

    std::printf("files read: %zu, %.1f MB; past runs kept: %d\n", files.size(),
                static_cast<double>(bytes) / 1e6, kept);
    std::printf("CPU time:  read-once floor %.3f s, load %.3f s, load/floor %.2fx\n", floor.cpu,
                load.cpu, load.cpu / floor.cpu);
    std::printf("wall time: read-once floor %.3f s, load %.3f s, load/floor %.2fx\n", floor.wall,
                load.wall, load.wall / floor.wall);
    // The load also imports the odds of every slot and selects its first race; the rest
    // (day files, past runs, statistics, predictions, schedule) against the floor:
    double rest = load.cpu - odds.cpu - select.cpu;
    std::printf(
        "CPU time of the load: odds import %.3f s, first selection %.3f s, the rest %.3f s, "
        "rest/floor %.2fx\n",
        odds.cpu, select.cpu, rest, rest / floor.cpu);
    std::printf("odds import of every slot read afresh (one slot at a time): %.3f s CPU\n",
                oddsFresh.cpu);
    std::printf("race selection %.2f ms CPU, %.2f ms wall (target < 20 ms)\n", select.cpu * 1000,
                select.wall * 1000);
    return 0;
}
