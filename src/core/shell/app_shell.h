// The application shell: the start-up sequence, the main window's life cycle and its general
// commands (option toggles, day-list panel, manual, web pages). Front ends call these and show
// the resulting state; all dialogs go through the Ui port.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/files.h"
#include "ports/clock.h"
#include "ports/nv_link.h"
#include "ports/platform.h"
#include "ports/ui.h"
#include "raceday/race_day.h"
#include "shell/error_log.h"
#include "shell/main_form.h"
#include "shell/settings_file.h"

namespace sorvane {

// The folders made beside the program at start-up.
inline constexpr const char* kProgramFolders[] = {"DATA", "SEI", "kaime", "CSV", "CHG"};

// The identifier and version the program gives the link at NVInit.
inline constexpr const char* kSoftwareId = "SA104729/SD310517/Krnwhl/";
inline constexpr const char* kVersionText = "Ver.1.03";

// Where the data service offers the control for download, and the betting service's member
// page. Stand-ins until the service's addresses are known.
inline constexpr const char* kLinkDownloadUrl = "https://nv-link.example.jp/download/";
inline constexpr const char* kBettingMemberUrl = "https://bet.example.jp/mypage/";

// The year field of the unprocessed-days window, opened by N21.
struct UnprocessedDaysRequest {
    int year = 0;
    int minYear = 1990;
    int maxYear = 0;
};

struct ShellPorts {
    Ui& ui;
    const Clock& clock;
    Platform& platform;
    NvLink& link;
};

class AppShell {
  public:
    AppShell(ProgramFolder folder, ShellPorts ports);
    AppShell(const AppShell&) = delete;
    AppShell& operator=(const AppShell&) = delete;

    const ProgramFolder& folder() const { return folder_; }
    SettingsFile& settings() { return settings_; }
    MainFormState& main() { return main_; }
    ErrorLog& errorLog() { return errorLog_; }
    Ui& ui() { return ports_.ui; }
    NvLink& link() { return ports_.link; }
    const Clock& clock() const { return ports_.clock; }
    Platform& platform() { return ports_.platform; }
    // The one race day of the run, allocated once with the shell.
    RaceDay& day() { return *day_; }

    // Program start up to the message loop: presence test of the link control (false means
    // the program must end: the message was shown and the download page opened), the title,
    // and the creation of the main window.
    bool Start();
    // The main window's first show: NVInit.
    void Show();
    // The main window is closing at this place: remember it.
    void Close(const WindowPlace& place);

    void ToggleIgnoreDates();  // N9
    void ToggleCompareAll();   // N19
    // N21: the preconditions; the window to open, or nothing when a message was shown.
    std::optional<UnprocessedDaysRequest> RequestUnprocessedDays();
    void ToggleDayPanel();  // SpeedButton8
    // HelpContentsItem, SpeedButton5; false when the manual is missing (after the message).
    bool OpenManual();
    // Opens a URL with the desktop's browser, falling back to the registered .htm handler.
    bool OpenWebPage(const std::string& url, ShowMode mode);

    // Lists the race days of the DATA folder into the date box (filled by the race-day loader).
    void RebuildDateList();

  private:
    void CreateMainWindow();
    void FindSiblingFolders();

    ProgramFolder folder_;
    ShellPorts ports_;
    SettingsFile settings_;
    ErrorLog errorLog_;
    MainFormState main_;
    std::unique_ptr<RaceDay> day_ = std::make_unique<RaceDay>();
};

// The program folder: --home when given, else SORVANE_HOME when set, else the executable's.
fs::path ChooseProgramFolder(const std::string& homeArg, const char* envHome,
                             const fs::path& executableDir);

// The browser command line built from a registered open command: the first "%1" in double
// quotes goes with both quotes and the one character before them, or else the first %1 with
// the one character before it; then a blank and the URL.
std::string BrowserCommandLine(const std::string& openCommand, const std::string& url);

}  // namespace sorvane
