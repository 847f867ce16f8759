#include "shell/app_shell.h"

#include "base/sjis.h"
#include "raceday/date_list.h"

namespace sorvane {
namespace {

constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

const std::string& MsgInstallControl() {
    static const std::string m =
        Sj("地方競馬VANのホームページより【UmaConn】を入手し、インストールしてください。");
    return m;
}

}  // namespace

fs::path ChooseProgramFolder(const std::string& homeArg, const char* envHome,
                             const fs::path& executableDir) {
    if (!homeArg.empty()) return fs::path(homeArg);
    if (envHome != nullptr && *envHome != '\0') return fs::path(envHome);
    return executableDir;
}

AppShell::AppShell(ProgramFolder folder, ShellPorts ports)
    : folder_(std::move(folder)),
      ports_(ports),
      settings_(folder_.Root() / "sorvane.ini"),
      errorLog_(folder_, ports.clock) {}

bool AppShell::Start() {
    if (!ports_.link.ControlInstalled()) {
        ports_.ui.Beep();
        ports_.ui.Inform(MsgInstallControl());
        ports_.platform.OpenDocument(kLinkDownloadUrl, ShowMode::Normal);
        return false;
    }
    main_.caption = Sj("Sorvane 地方競馬");
    CreateMainWindow();
    return true;
}

void AppShell::FindSiblingFolders() {
    // These lookups ran before the program folder was known, so their defaults are empty.
    auto readPath = [&](const std::string& product) {
        return ports_.platform.ReadRegistry(
            RegistryRoot::LocalMachine, kUninstallKey + product + "_is1", "Inno Setup: App Path");
    };
    if (settings_.ReadString("Dir", "ferrowis", "").empty()) {
        std::string p = readPath(Sj("Ferrow 地方競馬版"));
        if (!p.empty()) settings_.WriteString("Dir", "ferrowis", p);
    }
    if (settings_.ReadString("Dir", "ferrowis", "").empty()) {
        std::string p = readPath(Sj("Ferrow 南関東版"));
        if (!p.empty()) settings_.WriteString("Dir", "ferrowis", p);
    }
    if (settings_.ReadString("Dir", "jikeiretu", "").empty()) {
        std::string p = readPath(Sj("Tallowin for 地方競馬"));
        if (!p.empty()) settings_.WriteString("Dir", "jikeiretu", p + "\\Data");
    }
}

void AppShell::CreateMainWindow() {
    FindSiblingFolders();
    for (const char* name : kProgramFolders) {
        if (!folder_.EnsureFolder(name))
            ports_.ui.ShowError(Sj("フォルダを作成できません。") + name);
    }
    WindowPlace& p = main_.place;
    p.top = settings_.ReadInteger("locate", "top", 10);
    p.left = settings_.ReadInteger("locate", "left", 10);
    p.width = settings_.ReadInteger("locate", "width", 1000);
    p.height = settings_.ReadInteger("locate", "height", 900);
    main_.n9Checked = settings_.ReadBool("ReadKako", "IgnoDate", false);
    main_.n19Checked = settings_.ReadBool("AllRace", "ExecComp", true);
    SetupMainGrids(main_);
    main_.tekiAnaBtnVisible = true;
    main_.tekiAnaBtn2Visible = true;
    main_.tabSheet6Visible = true;
    RebuildDateList();
    try {
        errorLog_.Start();
    } catch (const FileError& e) {
        ports_.ui.ShowError(SjisFromUtf8(e.what()));
    }
}

void AppShell::Show() {
    int r = ports_.link.NVInit(std::string(kSoftwareId) + kVersionText);
    if (r != 0) ports_.ui.Message(Sj("NVInitエラーが発生しました。：") + std::to_string(r));
}

void AppShell::Close(const WindowPlace& place) {
    main_.place = place;
    settings_.WriteInteger("locate", "top", place.top);
    settings_.WriteInteger("locate", "left", place.left);
    settings_.WriteInteger("locate", "width", place.width);
    settings_.WriteInteger("locate", "height", place.height);
}

void AppShell::ToggleIgnoreDates() {
    main_.n9Checked = !main_.n9Checked;
    settings_.WriteBool("ReadKako", "IgnoDate", main_.n9Checked);
}

void AppShell::ToggleCompareAll() {
    main_.n19Checked = !main_.n19Checked;
    settings_.WriteBool("AllRace", "ExecComp", main_.n19Checked);
}

std::optional<UnprocessedDaysRequest> AppShell::RequestUnprocessedDays() {
    if (!main_.n19Checked) {
        ports_.ui.Beep();
        ports_.ui.Inform(
            Sj("メニューの「ｵﾌﾟｼｮﾝ」－「データ読込後直ちに全レース比較を行う」のﾁｪｯｸをしてから"
               "実行してください。"));
        return std::nullopt;
    }
    if (main_.n9Checked) {
        ports_.ui.Beep();
        ports_.ui.Inform(
            Sj("メニューの「ｵﾌﾟｼｮﾝ」－「データ読込時過去走の日付を無視する」のﾁｪｯｸをはずしてから"
               "実行してください。"));
        return std::nullopt;
    }
    UnprocessedDaysRequest req;
    req.year = ports_.clock.Now().year;
    req.maxYear = req.year;
    return req;
}

void AppShell::ToggleDayPanel() { main_.panel4Visible = !main_.panel4Visible; }

bool AppShell::OpenManual() {
    auto path = folder_.Resolve("SorvaneNV.pdf");
    std::error_code ec;
    if (!path || !fs::is_regular_file(*path, ec)) {
        ports_.ui.Beep();
        ports_.ui.Inform(Sj("使用解説書[SorvaneNV.pdf]が見つかりません。"));
        return false;
    }
    ports_.platform.OpenDocument(SjisFromPath(*path), ShowMode::Normal);
    return true;
}

std::string BrowserCommandLine(const std::string& command, const std::string& url) {
    std::string cmd = command;
    size_t quoted = cmd.find("\"%1\"");
    if (quoted != std::string::npos) {
        size_t from = quoted > 0 ? quoted - 1 : 0;
        cmd.erase(from, quoted + 4 - from);
    } else {
        size_t plain = cmd.find("%1");
        if (plain != std::string::npos) {
            size_t from = plain > 0 ? plain - 1 : 0;
            cmd.erase(from, plain + 2 - from);
        }
    }
    return cmd + " " + url;
}

bool AppShell::OpenWebPage(const std::string& url, ShowMode mode) {
    if (ports_.platform.OpenDocument(url, mode)) return true;
    std::string cls = ports_.platform.ReadRegistry(RegistryRoot::ClassesRoot, ".htm", "");
    if (cls.empty()) return false;
    std::string command =
        ports_.platform.ReadRegistry(RegistryRoot::ClassesRoot, cls + "\\shell\\open\\command", "");
    if (command.empty()) return false;
    return ports_.platform.StartCommand(BrowserCommandLine(command, url), mode);
}

void AppShell::RebuildDateList() { MakeDataListBtn(*this); }

}  // namespace sorvane
