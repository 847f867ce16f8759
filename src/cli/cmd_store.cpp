#include "cmd_store.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "base/sjis.h"
#include "base/text_format.h"
#include "store/acquisition.h"
#include "store/day_files.h"
#include "store/store_verify.h"

namespace sorvane {
namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

int Usage(const char* text) {
    std::fprintf(stderr, "usage: sorvane-cli %s\n", text);
    return kExitUsage;
}

constexpr const char* kAcquireUsage = "acquire [--from \"yyyy/mm/dd hh:nn:ss\"] [--odds|--no-odds]";

// Progress on standard error: the status text and the three bars. Outside the loops every new
// status text is printed (the open's messages, the end); while a loop runs, at most four lines
// a second, and the state a loop ends with is printed when it ends.
class ProgressPrinter {
  public:
    ProgressPrinter(CliContext& ctx, const Acquisition& acq) : ctx_(ctx), acq_(acq) {}

    void Update(bool force = false) {
        const AcquisitionWindowState& s = acq_.state();
        std::string line = s.progressLabel;
        auto bar = [](const char* name, const ProgressBarState& b) {
            return Format("  %s %d/%d", name, b.position, b.max);
        };
        line += bar("download", s.progressBar1);
        line += bar("read", s.progressBar2);
        line += bar("build", s.progressBar3);
        if (line == last_ || (s.progressLabel.empty() && !force)) return;
        auto now = std::chrono::steady_clock::now();
        const bool inLoop = s.phase != AcquisitionPhase::Idle;
        if (!force && inLoop && now - lastTime_ < std::chrono::milliseconds(250)) return;
        lastTime_ = now;
        last_ = line;
        std::string out = ctx_.ui().ForTerminal(line);
        std::fprintf(stderr, "%s\n", out.c_str());
        std::fflush(stderr);
    }

  private:
    CliContext& ctx_;
    const Acquisition& acq_;
    std::string last_;
    std::chrono::steady_clock::time_point lastTime_{};
};

void PrintSummary(CliContext& ctx, const Acquisition& acq) {
    const StoreTally& t = acq.storeTally();
    const BuildTally& b = acq.buildTally();
    static const char* kKindNames[] = {"RA", "SE", "HR", "O1", "O2", "O3", "O4", "O5", "O6"};
    ctx.PrintLine("records stored\t" + std::to_string(t.Stored()));
    for (DayFileKind k : kAllDayFileKinds)
        ctx.PrintLine(std::string("  ") + kKindNames[static_cast<size_t>(k)] + "\t" +
                      std::to_string(t.StoredOf(k)));
    ctx.PrintLine("records ignored\t" + std::to_string(t.ignored));
    ctx.PrintLine("records rejected\t" + std::to_string(t.Rejected()));
    for (int r = 1; r < kRejectReasons; ++r) {
        int n = t.rejected[static_cast<size_t>(r)];
        if (n > 0)
            ctx.PrintLine(std::string("  ") + RejectReasonName(static_cast<RejectReason>(r)) +
                          "\t" + std::to_string(n));
    }
    ctx.PrintLine("day file writes\t" + std::to_string(acq.dayFilesWritten()));
    ctx.PrintLine("race days built\t" + std::to_string(b.days));
    ctx.PrintLine("past-run lines\t" + std::to_string(b.lines));
    ctx.PrintLine("past-run files written\t" + std::to_string(b.horseFilesWritten));
    if (b.racesOutOfRange > 0)
        ctx.PrintLine("final races numbered above 12\t" + std::to_string(b.racesOutOfRange));
    if (b.badBloodNumbers > 0)
        ctx.PrintLine("final runners with invalid numbers\t" + std::to_string(b.badBloodNumbers));
    ctx.PrintLine("LastTime\t" + ctx.shell().settings().ReadString("NvDataGet", "LastTime", ""));
}

}  // namespace

int CmdAcquire(CliContext& ctx, const std::vector<std::string>& args) {
    std::string from;
    int odds = -1;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--from" && i + 1 < args.size()) {
            from = args[++i];
        } else if (args[i].rfind("--from=", 0) == 0) {
            from = args[i].substr(7);
        } else if (args[i] == "--odds" && odds != 0) {
            odds = 1;
        } else if (args[i] == "--no-odds" && odds != 1) {
            odds = 0;
        } else {
            return Usage(kAcquireUsage);
        }
    }
    LocalTime fromTime;
    if (!from.empty() && !ParseDateTime(from, fromTime)) {
        std::fprintf(stderr, "sorvane-cli: --from needs \"yyyy/mm/dd hh:nn:ss\", not %s\n",
                     from.c_str());
        return kExitUsage;
    }
    if (!ctx.StartShell()) return kExitError;
    ctx.shell().Show();

    StoreRunState run;
    Acquisition acq(ctx.shell(), run);
    if (odds >= 0) acq.SetOddsChecked(odds == 1);
    if (!from.empty()) acq.SetPicker(fromTime);

    ProgressPrinter progress(ctx, acq);
    interrupted = 0;
    auto previous = std::signal(SIGINT, OnInterrupt);
    bool cancelSent = false;
    // Ctrl-C is the cancel button with its Yes already given.
    auto checkInterrupt = [&] {
        if (interrupted && !cancelSent) {
            cancelSent = true;
            acq.CancelConfirmed();
        }
    };
    acq.SetObserver([&] {
        checkInterrupt();
        progress.Update();
    });
    acq.Start();
    while (acq.state().timerEnabled) {
        std::this_thread::sleep_for(std::chrono::milliseconds(acq.state().timerIntervalMs));
        checkInterrupt();
        if (!acq.state().timerEnabled) break;
        acq.Tick();
    }
    std::signal(SIGINT, previous);
    progress.Update(true);
    acq.Closed();
    PrintSummary(ctx, acq);
    switch (acq.state().outcome) {
        case AcquisitionOutcome::Completed:
        case AcquisitionOutcome::NoNewData:
            return kExitOk;
        default:
            return kExitError;
    }
}

int CmdVerify(CliContext& ctx, const std::vector<std::string>& args) {
    if (!args.empty()) return Usage("verify");
    VerifyReport r = VerifyStore(ctx.shell().folder());
    for (const VerifyProblem& p : r.problems) ctx.PrintLine(p.file + "\t" + p.text);
    for (const VerifyProblem& n : r.notes) {
        std::string out = ctx.ui().ForTerminal("note: " + n.file + ": " + n.text);
        std::fprintf(stderr, "%s\n", out.c_str());
    }
    std::fprintf(stderr,
                 "verify: %d day files, %d runner files, %d past-run files, %d final runners "
                 "checked (%d pending): %zu problems\n",
                 r.dayFiles, r.runnerFiles, r.pastRunFiles, r.finalRunners, r.pendingRunners,
                 r.problems.size());
    return r.ok() ? kExitOk : kExitError;
}

}  // namespace sorvane
