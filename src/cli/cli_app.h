// The CLI as a function, so tests run it in process: options, the context every command
// works in, and the command table.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/files.h"
#include "cli_options.h"
#include "cli_platform.h"
#include "ports/clock.h"
#include "ports/nv_link.h"
#include "shell/app_shell.h"
#include "shell/grid.h"
#include "terminal_ui.h"

namespace sorvane {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 1;
inline constexpr int kExitUsage = 2;

struct CliStreams {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    std::FILE* in = stdin;
};

class CliContext {
  public:
    CliContext(const CliOptions& options, const fs::path& programFolder, CliStreams streams,
               std::unique_ptr<Clock> clock);

    // Chooses and creates the link and the shell; false (after a message) on a bad --link.
    bool Open();
    // The start-up sequence of the program; false when it must end.
    bool StartShell();

    AppShell& shell() { return *shell_; }
    TerminalUi& ui() { return ui_; }
    CliPlatform& platform() { return platform_; }
    const CliOptions& options() const { return options_; }

    // Writes Shift-JIS text to standard output in the chosen encoding.
    void Print(const std::string& sjis);
    void PrintLine(const std::string& sjis) { Print(sjis + "\n"); }
    // A command-line argument as Shift-JIS (arguments arrive in the terminal's encoding).
    std::string FromTerminal(const std::string& arg) const;
    // A grid as tab-separated rows, heading row first; cell texts exactly as shown.
    void PrintGrid(const Grid& grid);

  private:
    CliOptions options_;
    fs::path programFolder_;
    CliStreams streams_;
    TerminalUi ui_;
    CliPlatform platform_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<NvLink> link_;
    std::unique_ptr<AppShell> shell_;
};

struct CliCommand {
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(CliContext& ctx, const std::vector<std::string>& args);
};

// Every command of the CLI, in the order --help lists them.
const std::vector<CliCommand>& CliCommands();

// Runs the CLI; returns the exit status.
int CliMain(const std::vector<std::string>& argv, CliStreams streams, const char* envHome,
            const fs::path& executableDir, std::unique_ptr<Clock> clock = nullptr);

}  // namespace sorvane
