// The acquisition's cost on one generated season, in one process: the per-record reference,
// ours, and a plain copy of our output tree (the I/O floor), end to end through the feed link
// and also from records already in memory (the store alone, without the link's conversions).
// Usage: store_bench [--days N] [--reps N] [--writers N] [--feed DIR] [--work DIR]
//                    [benchmark options]
// --writers: background file writers of ours (default: the program's own choice).
// Each figure of the summary is the best of the repetitions (default 3); the machine is shared.
// --benchmark_enable_random_interleaving=true spreads the repetitions of the runs among each
// other, so that a slow spell of the machine does not fall on one of them only.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "base/files.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "feedgen.h"
#include "link/feed_files.h"
#include "link/feed_link.h"
#include "reference_store.h"
#include "shell/app_shell.h"
#include "store/acquisition.h"
#include "store/bulk_store.h"
#include "store/past_run_build.h"

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

constexpr const char* kFromPicker = "2026/03/01 00:00:00";
constexpr const char* kFromTime = "20260301000000";

struct Setup {
    int days = 60;
    int reps = 3;
    int writers = DefaultWriters();
    fs::path feed;
    fs::path work;
    std::vector<std::vector<std::string>> files;  // records of each NV file, Shift-JIS
    size_t records = 0;
    uint64_t feedBytes = 0;
};
Setup setup;
// Best wall-clock and process CPU seconds, by benchmark name.
std::map<std::string, double> seconds;
std::map<std::string, double> cpuSeconds;
std::map<std::string, size_t> counts;

double CpuNow() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

FixedClock clock_{2026, 6, 1, 12, 0, 0};

// Every run gets a folder of its own and nothing is removed until the end: removing a tree of
// thousands of files just before a run would make the file system search past the freed
// inodes of that tree for each file the run creates, a cost no acquisition meets in use.
std::map<std::string, fs::path> lastHome;
fs::path FreshHome(const std::string& name) {
    static int runs = 0;
    fs::path home = setup.work / (name + "-" + std::to_string(++runs));
    fs::create_directories(home);
    lastHome[name] = home;
    return home;
}

class QuietUi : public testing::FakeUi {
  public:
    void Beep() override {}
    void Inform(const std::string&) override {}
    void ProcessEvents() override {}
};

size_t RunOurs(const fs::path& home) {
    QuietUi ui;
    testing::FakePlatform platform;
    FeedLink link(setup.feed, clock_);
    AppShell shell(ProgramFolder(home), ShellPorts{ui, clock_, platform, link});
    shell.Start();
    shell.Show();
    StoreRunState run;
    Acquisition acq(shell, run);
    acq.SetWriters(setup.writers);
    LocalTime t;
    ParseDateTime(kFromPicker, t);
    acq.SetPicker(t);
    acq.Start();
    while (acq.state().timerEnabled) acq.Tick();
    if (acq.state().outcome != AcquisitionOutcome::Completed)
        std::fprintf(stderr, "ours: run failed\n");
    const StoreTally& tally = acq.storeTally();
    return static_cast<size_t>(tally.Stored() + tally.ignored + tally.Rejected());
}

size_t RunReference(const fs::path& home) {
    FeedLink link(setup.feed, clock_);
    link.NVInit("bench");
    return static_cast<size_t>(
        reference::RunReferenceAcquisition(link, ProgramFolder(home), kFromTime, true));
}

void OursStoreOnly(const fs::path& home) {
    ProgramFolder folder(home);
    StoreOptions o;
    o.fromDate = 20260301;
    o.writers = setup.writers;
    // As the acquisition does it: each NV file's day files are written while the next is put.
    RecordStore store(folder, o);
    for (const auto& file : setup.files) {
        for (const auto& r : file) store.Put(r);
        store.StartFlush();
    }
    store.Flush();
    RunPastRunBuild(folder, store.touchedDays(), {}, nullptr, kDefaultStoreBudget, setup.writers);
}

void ReferenceStoreOnly(const fs::path& home) {
    ProgramFolder folder(home);
    reference::ReferenceStore store(folder, 20260301, true);
    for (const auto& file : setup.files)
        for (const auto& r : file) store.Put(r);
    reference::ReferenceBuild(folder, store.touched());
}

// A plain copy of every file and folder (the kernel's own file copy).
void CopyTree(const fs::path& from, const fs::path& to) {
    for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator();
         ++it) {
        fs::path rel = fs::relative(it->path(), from);
        if (it->is_directory())
            fs::create_directory(to / rel);
        else
            fs::copy_file(it->path(), to / rel);
    }
}

void IoFloor(const fs::path& out) {
    fs::path src = lastHome["ours"];
    for (const char* top : {"DATA", "SEI"}) {
        fs::create_directories(out / top);
        CopyTree(src / top, out / top);
    }
}

void LinkOnly() {
    FeedLink link(setup.feed, clock_);
    link.NVInit("bench");
    NvOpenInfo info;
    link.NVOpen("RACEDIFN", kFromTime, 1, info);
    std::u16string buffer;
    std::string name;
    size_t n = 0;
    for (;;) {
        int r = link.NVRead(buffer, kNvReadBufferBulk, name);
        if (r > 0) {
            benchmark::DoNotOptimize(RecordFromLink(buffer));
            ++n;
        } else if (r == 0 || r < -3) {
            break;
        }
    }
    link.NVClose();
    counts["link only"] = n;
    if (n != setup.records)
        std::fprintf(stderr, "link only: %zu of %zu records read\n", n, setup.records);
}

// One timed run of body(home) on a fresh, empty home `dir` (empty `dir`: no home). Removing
// the previous run's tree and writing back its dirty pages happen before the clock starts.
template <typename F>
void Timed(benchmark::State& state, const std::string& name, const std::string& dir, F body) {
    for (auto _ : state) {
        state.PauseTiming();
        // The floor copies our output tree: with the runs interleaved it may come first, and
        // then the tree is made for it here, untimed.
        if (dir == "copy" && lastHome.count("ours") == 0) RunOurs(FreshHome("ours"));
        fs::path home = dir.empty() ? fs::path() : FreshHome(dir);
        ::sync();
        state.ResumeTiming();
        auto t0 = std::chrono::steady_clock::now();
        double c0 = CpuNow();
        body(home);
        double c = CpuNow() - c0;
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(s);
        if (seconds.count(name) == 0 || s < seconds[name]) seconds[name] = s;  // best run
        if (cpuSeconds.count(name) == 0 || c < cpuSeconds[name]) cpuSeconds[name] = c;
    }
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(setup.records), benchmark::Counter::kIsRate);
}

void Load() {
    for (const FeedFile& f : ListBulkFiles(setup.feed / "RACEDIFN", kFromTime)) {
        std::string data;
        ReadWholeFile(f.path, data);
        setup.feedBytes += data.size();
        setup.files.push_back(SplitFeedRecords(data));
        setup.records += setup.files.back().size();
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--days" && i + 1 < argc)
            setup.days = std::atoi(argv[++i]);
        else if (a == "--reps" && i + 1 < argc)
            setup.reps = std::atoi(argv[++i]);
        else if (a == "--writers" && i + 1 < argc)
            setup.writers = std::atoi(argv[++i]);
        else if (a == "--feed" && i + 1 < argc)
            setup.feed = argv[++i];
        else if (a == "--work" && i + 1 < argc)
            setup.work = argv[++i];
        else
            rest.push_back(argv[i]);
    }
    if (setup.work.empty())
        setup.work = fs::temp_directory_path() / ("sorvane-bench-" + std::to_string(::getpid()));
    fs::create_directories(setup.work);
    if (setup.feed.empty()) {
        setup.feed = setup.work / "feed";
        if (!fs::exists(setup.feed / "RACEDIFN")) {
            feedgen::FeedOptions o;
            std::string error;
            feedgen::ParseFeedArgs({"--out", setup.feed.string(), "--seed", "7", "--start",
                                    "2026-04-01", "--days", std::to_string(setup.days)},
                                   o, error);
            feedgen::FeedSummary s = feedgen::GenerateFeed(o);
            std::fprintf(stderr, "season: %d days, %d meeting days, %d races, %.1f MB\n", s.days,
                         s.trackDays, s.races, static_cast<double>(s.bytes) / 1e6);
        }
    }
    Load();
    std::fprintf(stderr, "feed: %zu NV files, %zu records, %.1f MB\n", setup.files.size(),
                 setup.records, static_cast<double>(setup.feedBytes) / 1e6);

    auto reg = [](const char* name, const char* dir, auto body) {
        benchmark::RegisterBenchmark(
            name, [name, dir, body](benchmark::State& st) { Timed(st, name, dir, body); })
            ->Iterations(1)
            ->Repetitions(setup.reps)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    };
    reg("ours end to end", "ours", [](const fs::path& h) { RunOurs(h); });
    reg("I/O floor (copy of our tree)", "copy", [](const fs::path& h) { IoFloor(h); });
    reg("link only (NVRead loop)", "", [](const fs::path&) { LinkOnly(); });
    reg("ours store only", "ours-mem", [](const fs::path& h) { OursStoreOnly(h); });
    reg("reference store only", "reference-mem", [](const fs::path& h) { ReferenceStoreOnly(h); });
    reg("reference end to end", "reference", [](const fs::path& h) { RunReference(h); });

    int argsLeft = static_cast<int>(rest.size());
    benchmark::Initialize(&argsLeft, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    auto s = [](const char* k) { return seconds.count(k) ? seconds[k] : 0.0; };
    auto c = [](const char* k) { return cpuSeconds.count(k) ? cpuSeconds[k] : 0.0; };
    auto ratio = [](double x, double y) { return y > 0 ? x / y : 0.0; };
    const double n = static_cast<double>(setup.records);
    auto report = [&](const char* title, const char* refName, const char* oursName) {
        const char* floorName = "I/O floor (copy of our tree)";
        for (int cpu = 0; cpu < 2; ++cpu) {
            auto t = [&](const char* k) { return cpu ? c(k) : s(k); };
            double ref = t(refName), ours = t(oursName), floor = t(floorName);
            std::printf(
                "%-12s %s: reference %.2f s, ours %.2f s, I/O floor %.2f s; reference/ours "
                "%.1fx, ours/floor %.2fx, ours %.0f records/s\n",
                cpu ? "" : title, cpu ? "cpu " : "wall", ref, ours, floor, ratio(ref, ours),
                ratio(ours, floor), ratio(n, ours));
        }
    };
    std::printf("\nseason: %d days asked, %zu NV files, %zu records, %.1f MB of feed; %d writers\n",
                setup.days, setup.files.size(), setup.records,
                static_cast<double>(setup.feedBytes) / 1e6, setup.writers);
    report("end to end", "reference end to end", "ours end to end");
    report("store alone", "reference store only", "ours store only");
    std::printf(
        "link alone:  wall %.2f s, cpu %.2f s (NVRead and the UTF-16 round trip of every "
        "record)\n",
        s("link only (NVRead loop)"), c("link only (NVRead loop)"));
    if (std::getenv("SORVANE_BENCH_KEEP") == nullptr) fs::remove_all(setup.work);
    return 0;
}
