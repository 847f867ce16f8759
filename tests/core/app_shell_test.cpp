// Start-up, the main window's place and option marks, N21's preconditions, the manual and the
// web-page fallback.
#include <gtest/gtest.h>

#include "base/sjis.h"
#include "fake_ports.h"
#include "shell/app_shell.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::FakeLink;
using testing::FakePlatform;
using testing::FakeUi;
using testing::TempDir;

class NoonClock : public Clock {
  public:
    LocalTime Now() const override { return LocalTime{2026, 12, 10, 12, 0, 0, 0}; }
};

struct Rig {
    TempDir dir;
    FakeUi ui;
    NoonClock clock;
    FakePlatform platform;
    FakeLink link;
    std::unique_ptr<AppShell> shell;
    AppShell& Start() {
        shell = std::make_unique<AppShell>(ProgramFolder(dir.path()),
                                           ShellPorts{ui, clock, platform, link});
        EXPECT_TRUE(shell->Start());
        return *shell;
    }
};

TEST(AppShell, FirstStartMakesFoldersAndDefaults) {
    Rig r;
    AppShell& sh = r.Start();
    for (const char* f : {"DATA", "SEI", "kaime", "CSV", "CHG"})
        EXPECT_TRUE(fs::is_directory(r.dir.path() / f)) << f;
    EXPECT_EQ(sh.main().place, (WindowPlace{10, 10, 1000, 900}));
    EXPECT_FALSE(sh.main().n9Checked);
    EXPECT_TRUE(sh.main().n19Checked);
    EXPECT_EQ(Utf8FromSjis(sh.main().caption), "Sorvane 地方競馬");
    EXPECT_TRUE(fs::exists(r.dir.path() / "ErrorLog.txt"));
    EXPECT_TRUE(r.ui.calls.empty());
    sh.Show();
    ASSERT_EQ(r.link.initIds.size(), 1u);
    EXPECT_EQ(r.link.initIds[0], "SA104729/SD310517/Krnwhl/Ver.1.03");
}

TEST(AppShell, PlaceAndMarksSurviveARestart) {
    Rig r;
    AppShell& sh = r.Start();
    sh.ToggleIgnoreDates();
    sh.ToggleCompareAll();
    sh.Close(WindowPlace{120, 80, 1100, 700});
    FakeUi ui;
    FakePlatform platform;
    FakeLink link;
    AppShell second(ProgramFolder(r.dir.path()), ShellPorts{ui, r.clock, platform, link});
    ASSERT_TRUE(second.Start());
    EXPECT_EQ(second.main().place, (WindowPlace{120, 80, 1100, 700}));
    EXPECT_TRUE(second.main().n9Checked);
    EXPECT_FALSE(second.main().n19Checked);
}

TEST(AppShell, MissingControlEndsWithMessageAndDownloadPage) {
    Rig r;
    r.link.installed = false;
    AppShell sh(ProgramFolder(r.dir.path()), ShellPorts{r.ui, r.clock, r.platform, r.link});
    EXPECT_FALSE(sh.Start());
    ASSERT_EQ(r.ui.calls.size(), 2u);
    EXPECT_EQ(r.ui.calls[0], "beep");
    EXPECT_EQ(
        r.ui.calls[1],
        "inform:地方競馬VANのホームページより【UmaConn】を入手し、インストールしてください。");
    EXPECT_EQ(r.platform.opened, (std::vector<std::string>{kLinkDownloadUrl}));
    EXPECT_FALSE(fs::exists(r.dir.path() / "DATA"));
    EXPECT_TRUE(r.link.initIds.empty());
}

TEST(AppShell, NvInitFailureIsReportedAndTheProgramGoesOn) {
    Rig r;
    r.link.initResult = -301;
    r.Start().Show();
    EXPECT_EQ(r.ui.calls, (std::vector<std::string>{"message:NVInitエラーが発生しました。：-301"}));
}

TEST(AppShell, SiblingFoldersComeFromTheRegistryOnlyWhenUnset) {
    const std::string ferrowKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                                  Sj("Ferrow 南関東版") + "_is1";
    const std::string tallowinKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                                    Sj("Tallowin for 地方競馬") + "_is1";
    {
        Rig r;
        r.platform.registry[FakePlatform::Key(RegistryRoot::LocalMachine, ferrowKey,
                                              "Inno Setup: App Path")] = "C:\\Ferrow";
        r.platform.registry[FakePlatform::Key(RegistryRoot::LocalMachine, tallowinKey,
                                              "Inno Setup: App Path")] = "D:\\Tw";
        AppShell& sh = r.Start();
        EXPECT_EQ(sh.settings().ReadString("Dir", "ferrowis", ""), "C:\\Ferrow");
        EXPECT_EQ(sh.settings().ReadString("Dir", "jikeiretu", ""), "D:\\Tw\\Data");
    }
    {
        // Already set: no registry lookup at all for ferrowis.
        Rig r;
        SettingsFile(r.dir.path() / "sorvane.ini").WriteString("Dir", "ferrowis", "E:\\F");
        r.Start();
        for (const auto& read : r.platform.reads)
            EXPECT_EQ(read.find("Ferrow"), std::string::npos) << read;
        EXPECT_EQ(r.shell->settings().ReadString("Dir", "ferrowis", ""), "E:\\F");
    }
}

TEST(AppShell, UnprocessedDaysPreconditions) {
    Rig r;
    AppShell& sh = r.Start();
    auto req = sh.RequestUnprocessedDays();  // N19 on, N9 off: the window opens
    ASSERT_TRUE(req.has_value());
    EXPECT_EQ(req->year, 2026);
    EXPECT_EQ(req->maxYear, 2026);

    sh.ToggleIgnoreDates();  // both marks on: the second message, nothing opens
    EXPECT_FALSE(sh.RequestUnprocessedDays().has_value());
    EXPECT_EQ(r.ui.calls.back(),
              "inform:メニューの「ｵﾌﾟｼｮﾝ」－「データ読込時過去走の日付を無視する」のﾁｪｯｸを"
              "はずしてから実行してください。");
    sh.ToggleCompareAll();  // N19 off: the first message wins
    EXPECT_FALSE(sh.RequestUnprocessedDays().has_value());
    EXPECT_EQ(r.ui.calls.back(),
              "inform:メニューの「ｵﾌﾟｼｮﾝ」－「データ読込後直ちに全レース比較を行う」のﾁｪｯｸを"
              "してから実行してください。");
    EXPECT_EQ(r.ui.calls[r.ui.calls.size() - 2], "beep");
}

TEST(AppShell, ManualAndWebPage) {
    Rig r;
    AppShell& sh = r.Start();
    sh.OpenManual();
    EXPECT_EQ(r.ui.calls, (std::vector<std::string>{
                              "beep", "inform:使用解説書[SorvaneNV.pdf]が見つかりません。"}));
    WriteFileAtomic(r.dir.path() / "SorvaneNV.pdf", "%PDF");
    sh.OpenManual();
    ASSERT_EQ(r.platform.opened.size(), 1u);
    EXPECT_NE(r.platform.opened[0].find("SorvaneNV.pdf"), std::string::npos);

    // The browser fails: fall back to the .htm handler's open command.
    r.platform.openSucceeds = false;
    EXPECT_FALSE(sh.OpenWebPage("http://x/", ShowMode::Normal));  // no handler registered
    r.platform.registry[FakePlatform::Key(RegistryRoot::ClassesRoot, ".htm", "")] = "htmlfile";
    r.platform.registry[FakePlatform::Key(RegistryRoot::ClassesRoot,
                                          "htmlfile\\shell\\open\\command", "")] =
        "\"C:\\b.exe\" -nohome \"%1\"";
    EXPECT_TRUE(sh.OpenWebPage("http://x/", ShowMode::Normal));
    EXPECT_EQ(r.platform.started.back(), "\"C:\\b.exe\" -nohome http://x/");
}

TEST(BrowserCommandLine, RemovesThePlaceholder) {
    EXPECT_EQ(BrowserCommandLine("b.exe \"%1\"", "u"), "b.exe u");
    EXPECT_EQ(BrowserCommandLine("b.exe -url %1", "u"), "b.exe -url u");
    EXPECT_EQ(BrowserCommandLine("b.exe", "u"), "b.exe u");
    EXPECT_EQ(BrowserCommandLine("\"%1\"", "u"), " u");
}

TEST(ChooseProgramFolder, HomeThenEnvironmentThenExecutable) {
    EXPECT_EQ(ChooseProgramFolder("/h", "/e", "/x"), fs::path("/h"));
    EXPECT_EQ(ChooseProgramFolder("", "/e", "/x"), fs::path("/e"));
    EXPECT_EQ(ChooseProgramFolder("", "", "/x"), fs::path("/x"));
    EXPECT_EQ(ChooseProgramFolder("", nullptr, "/x"), fs::path("/x"));
}

}  // namespace
}  // namespace sorvane
