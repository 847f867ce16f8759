// The CLI's option handling, output encodings, message lines, confirmations and exit statuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "cli_app.h"
#include "cli_run.h"
#include "shell/settings_file.h"
#include "temp_dir.h"
#include "terminal_ui.h"

namespace sorvane {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::Slurp;
using testing::TempDir;

TEST(Cli, UsageAndExitStatuses) {
    CliRun help = Cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: sorvane-cli"), std::string::npos);
    EXPECT_NE(help.out.find("grid NAME"), std::string::npos);
    EXPECT_EQ(Cli({}).status, 2);
    EXPECT_EQ(Cli({"--bogus", "start"}).status, 2);
    EXPECT_EQ(Cli({"--home"}).status, 2);
    EXPECT_EQ(Cli({"nosuch"}).status, 2);
    TempDir t;
    EXPECT_EQ(Cli({"--home", t.path().string(), "--link", "carrier-pigeon", "start"}).status, 2);
    EXPECT_EQ(Cli({"--home", (t.path() / "missing").string(), "start"}).status, 2);
    EXPECT_EQ(Cli({"--home", t.path().string(), "grid", "StringGrid99"}).status, 2);
}

TEST(Cli, GridIsTabSeparatedInUtf8OrShiftJis) {
    TempDir t;
    CliRun utf8 = Cli({"--home", t.path().string(), "grid", "StringGrid4"});
    ASSERT_EQ(utf8.status, 0) << utf8.err;
    std::string first = utf8.out.substr(0, utf8.out.find('\n'));
    const std::string headings = "枠\t馬\t馬名\t性齢\t騎手\t斤量";
    EXPECT_EQ(first.substr(0, headings.size()), headings);
    CliRun sjis = Cli({"--home", t.path().string(), "--sjis", "grid", "StringGrid4"});
    EXPECT_EQ(Utf8FromSjis(sjis.out), utf8.out);
    EXPECT_NE(sjis.out, utf8.out);
    // 31 columns, one heading row and 18 empty rows with nothing trimmed.
    EXPECT_EQ(std::count(first.begin(), first.end(), '\t'), 30);
    EXPECT_EQ(std::count(utf8.out.begin(), utf8.out.end(), '\n'), 19);
}

TEST(Cli, MessagesAreOneLineOnStandardErrorAndEndWithStatusOne) {
    TempDir t;
    CliRun r = Cli({"--home", t.path().string(), "manual"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "使用解説書[SorvaneNV.pdf]が見つかりません。\n");
    CliRun n9 = Cli({"--home", t.path().string(), "option", "N9"});
    EXPECT_EQ(n9.out, "N9\t1\n");
    CliRun n21 = Cli({"--home", t.path().string(), "option", "N21"});
    EXPECT_EQ(n21.status, 1);
    EXPECT_NE(n21.err.find("ﾁｪｯｸをはずしてから実行してください。"), std::string::npos);
}

TEST(Cli, SharesTheSettingsFileAndHonoursTheHomeEnvironment) {
    TempDir t;
    EXPECT_EQ(Cli({"settings", "set", "OddsSpan", "ceil", "｢12.5｣"}, t.path().c_str()).status, 0);
    EXPECT_EQ(SettingsFile(t.path() / "sorvane.ini").ReadString("OddsSpan", "ceil", ""), "12.5");
    CliRun get = Cli({"--home", t.path().string(), "settings", "get", "OddsSpan", "ceil"});
    EXPECT_EQ(get.out, "12.5\n");
    CliRun start = Cli({"--home", t.path().string(), "start"});
    EXPECT_EQ(start.status, 0) << start.err;
    EXPECT_NE(start.out.find("place\t10,10 1000x900"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(t.path() / "CHG"));
}

TEST(TerminalUi, ConfirmationsWithoutATerminalAreNo) {
    std::FILE* err = std::tmpfile();
    TerminalUi no(false, false, err, nullptr);
    EXPECT_FALSE(no.Confirm(Sj("データ取込を中止します。実行しますか？")));
    TerminalUi yes(false, true, err, nullptr);
    EXPECT_TRUE(yes.Confirm(Sj("実行しますか？")));
    yes.ShowError("x\r\ny");
    EXPECT_TRUE(yes.errorShown());
    EXPECT_EQ(Slurp(err), "データ取込を中止します。実行しますか？\n実行しますか？\nx  y\n");
}

}  // namespace
}  // namespace sorvane
