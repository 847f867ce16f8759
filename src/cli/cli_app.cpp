#include "cli_app.h"

#include <unistd.h>

#include "base/sjis.h"
#include "link/link_factory.h"
#include "shell/link_choice.h"

namespace sorvane {

CliContext::CliContext(const CliOptions& options, const fs::path& programFolder, CliStreams streams,
                       std::unique_ptr<Clock> clock)
    : options_(options),
      programFolder_(programFolder),
      streams_(streams),
      ui_(options.sjis, options.yes, streams.err, streams.in),
      platform_(ui_),
      clock_(clock ? std::move(clock) : std::make_unique<SystemClock>()) {}

bool CliContext::Open() {
    ProgramFolder folder(programFolder_);
    SettingsFile settings(folder.Root() / "sorvane.ini");
    auto choice = ChooseLink(options_.link, settings, folder);
    if (!choice) {
        std::fprintf(streams_.err, "unknown link kind in --link %s (use feed:DIR)\n",
                     options_.link.c_str());
        return false;
    }
    link_ = MakeLink(choice->kind, choice->feedDir, *clock_);
    shell_ = std::make_unique<AppShell>(folder, ShellPorts{ui_, *clock_, platform_, *link_});
    return true;
}

bool CliContext::StartShell() { return shell_->Start(); }

void CliContext::Print(const std::string& sjis) {
    std::string out = ui_.ForTerminal(sjis);
    std::fwrite(out.data(), 1, out.size(), streams_.out);
}

std::string CliContext::FromTerminal(const std::string& arg) const {
    return options_.sjis ? arg : SjisFromUtf8(arg);
}

void CliContext::PrintGrid(const Grid& grid) {
    std::string text;
    for (int r = 0; r < grid.RowCount(); ++r) {
        for (int c = 0; c < grid.ColCount(); ++c) {
            if (c > 0) text += '\t';
            text += grid.Text(c, r);
        }
        text += '\n';
    }
    Print(text);
}

namespace {

void PrintUsage(std::FILE* f) {
    std::fprintf(f,
                 "usage: sorvane-cli [--home DIR] [--link feed:DIR] [--sjis] [--yes] COMMAND ...\n"
                 "\n"
                 "  --home DIR       the program folder (default: $SORVANE_HOME, else the folder\n"
                 "                   of the executable)\n"
                 "  --link KIND:DIR  the NV-Link to use: feed:DIR serves a feed folder (default:\n"
                 "                   the settings [Link] Kind/FeedDir, else feed:<home>/feed)\n"
                 "  --sjis           write raw Shift-JIS instead of UTF-8\n"
                 "  --yes            answer every confirmation with Yes\n"
                 "\n"
                 "Messages go to standard error, one line each; tables to standard output as\n"
                 "tab-separated rows, heading row first. Exit status: 0 success, 1 the operation\n"
                 "ended with an error message, 2 bad usage.\n"
                 "\n"
                 "commands:\n");
    for (const CliCommand& c : CliCommands()) std::fprintf(f, "  %-34s %s\n", c.usage, c.summary);
}

}  // namespace

int CliMain(const std::vector<std::string>& argv, CliStreams streams, const char* envHome,
            const fs::path& executableDir, std::unique_ptr<Clock> clock) {
    CliOptions options;
    std::string error;
    if (!ParseCliOptions(argv, options, error)) {
        std::fprintf(streams.err, "sorvane-cli: %s\n", error.c_str());
        PrintUsage(streams.err);
        return kExitUsage;
    }
    if (options.help || options.args.empty() || options.args[0] == "help") {
        PrintUsage(options.help || !options.args.empty() ? streams.out : streams.err);
        return options.help || !options.args.empty() ? kExitOk : kExitUsage;
    }
    const CliCommand* command = nullptr;
    for (const CliCommand& c : CliCommands())
        if (options.args[0] == c.name) command = &c;
    if (command == nullptr) {
        std::fprintf(streams.err, "sorvane-cli: unknown command %s\n", options.args[0].c_str());
        PrintUsage(streams.err);
        return kExitUsage;
    }
    fs::path home = ChooseProgramFolder(options.home, envHome, executableDir);
    std::error_code ec;
    if (!fs::is_directory(home, ec)) {
        std::fprintf(streams.err, "sorvane-cli: the program folder %s does not exist\n",
                     home.string().c_str());
        return kExitUsage;
    }
    CliContext ctx(options, home, streams, std::move(clock));
    if (!ctx.Open()) return kExitUsage;
    std::vector<std::string> args(options.args.begin() + 1, options.args.end());
    try {
        int status = command->run(ctx, args);
        if (status == kExitOk && ctx.ui().errorShown()) status = kExitError;
        return status;
    } catch (const FileError& e) {
        ctx.ui().ShowError(SjisFromUtf8(std::string(e.what()) + ": " + e.path().string()));
        return kExitError;
    }
}

}  // namespace sorvane
