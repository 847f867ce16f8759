// The real-time odds and result stores as read loops: what they store, how a read failure and
// a close failure are reported, and that a cancelled acquisition stops them.
#include <gtest/gtest.h>

#include "base/files.h"
#include "base/sjis.h"
#include "fake_clock.h"
#include "scripted_link.h"
#include "shell/app_shell.h"
#include "store/day_stamp.h"
#include "store/realtime_store.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

struct Rig {
    testing::TempDir dir;
    testing::FakeUi ui;
    FixedClock clock{2026, 9, 1, 15, 4, 5};
    testing::FakePlatform platform;
    testing::ScriptedLink link;
    std::unique_ptr<AppShell> shell;
    StoreRunState run;
    Rig() {
        shell = std::make_unique<AppShell>(ProgramFolder(dir.path()),
                                           ShellPorts{ui, clock, platform, link});
        shell->Start();
    }
    std::vector<std::string> Log() {
        std::vector<std::string> lines;
        ReadLines(dir.path() / "ErrorLog.txt", lines);
        return lines;
    }
    bool Exists(const std::string& ext) {
        return fs::exists(dir.path() / "DATA" / (Utf8FromSjis(DayStamp("20260901")) + ext));
    }
};

TEST(RealtimeStores, TheOddsStoreReadsToTheEndAndStoresOdds) {
    Rig r;
    r.link.AddRecord(testing::MakeOdds(RecordType::O1, "20260901", "44", 5));
    r.link.AddCode(-3);
    r.link.AddRecord(testing::MakeOdds(RecordType::O6, "20260901", "44", 5));
    r.link.AddRecord(testing::MakeRa("20260901", "44", 5));
    RealtimeReadResult res = RunRealtimeOddsStore(*r.shell, r.run);
    EXPECT_EQ(res.end, RealtimeReadEnd::EndOfData);
    EXPECT_EQ(res.tally.Stored(), 2);
    EXPECT_TRUE(r.Exists(".nvO6"));
    EXPECT_FALSE(r.Exists(".nvRA"));
    EXPECT_EQ(r.link.calls[0], "NVRead 100000");
    CloseRealtimeOdds(*r.shell);
    EXPECT_TRUE(r.ui.calls.empty());  // a good close is silent for the odds
}

TEST(RealtimeStores, AReadFailureGoesToTheStatusLabelAndTheLog) {
    Rig r;
    r.link.AddRecord(testing::MakeRecord(RecordType::HR, "20260901", "44", 5));
    r.link.AddCode(-502);
    RealtimeReadResult res = RunRealtimeResultStore(*r.shell, r.run);
    EXPECT_EQ(res.end, RealtimeReadEnd::ReadFailed);
    EXPECT_EQ(r.link.calls[0], "NVRead 60000");
    EXPECT_TRUE(r.Exists(".nvHR"));  // read before the failure
    std::string msg = "ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)";
    EXPECT_EQ(Utf8FromSjis(r.shell->main().dlLabel), msg);
    EXPECT_EQ(Utf8FromSjis(r.Log().back()), "【エラー】15:04:05：" + msg);
    EXPECT_EQ(r.ui.calls, std::vector<std::string>{"beep"});

    r.link.closeResult = -1;
    CloseRealtimeResults(*r.shell);
    EXPECT_EQ(Utf8FromSjis(r.shell->main().dlLabel), "(-1)");
    EXPECT_EQ(Utf8FromSjis(r.Log().back()), "【エラー】15:04:05：(-1)");
    r.link.closeResult = 0;
    r.ui.calls.clear();
    CloseRealtimeResults(*r.shell);
    EXPECT_EQ(r.ui.calls, std::vector<std::string>{"beep"});
}

TEST(RealtimeStores, ACancelledAcquisitionStopsThemAtTheirFirstTurn) {
    Rig r;
    r.run.cancelled = true;
    r.link.AddRecord(testing::MakeOdds(RecordType::O1, "20260901", "44", 5));
    EXPECT_EQ(RunRealtimeOddsStore(*r.shell, r.run).end, RealtimeReadEnd::Cancelled);
    EXPECT_EQ(RunRealtimeResultStore(*r.shell, r.run).end, RealtimeReadEnd::Cancelled);
    EXPECT_TRUE(r.link.calls.empty());
    EXPECT_FALSE(r.Exists(".nvO1"));
}

}  // namespace
}  // namespace sorvane
