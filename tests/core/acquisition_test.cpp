// The acquisition window's core: creation from the settings, start, download polling, the
// read loop with its messages, the link faults, cancel, close during a loop, LastTime.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "base/files.h"
#include "base/sjis.h"
#include "fake_clock.h"
#include "scripted_link.h"
#include "shell/app_shell.h"
#include "store/acquisition.h"
#include "store/day_stamp.h"
#include "store/pending_build.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::Blood;
using testing::MakeOdds;
using testing::MakeRa;
using testing::MakeSe;

struct Rig {
    testing::TempDir dir;
    testing::HookUi ui;
    FixedClock clock{2026, 9, 10, 12, 0, 0};
    testing::FakePlatform platform;
    testing::ScriptedLink link;
    std::unique_ptr<AppShell> shell;
    StoreRunState run;
    std::unique_ptr<Acquisition> acq;
    std::vector<std::string> labels;  // every ProgressLabel text shown

    Rig() {
        shell = std::make_unique<AppShell>(ProgramFolder(dir.path()),
                                           ShellPorts{ui, clock, platform, link});
        EXPECT_TRUE(shell->Start());
    }
    Acquisition& Open() {
        acq = std::make_unique<Acquisition>(*shell, run);
        acq->SetObserver([this] {
            const std::string& l = acq->state().progressLabel;
            if (labels.empty() || labels.back() != l) labels.push_back(l);
        });
        return *acq;
    }
    // One race day: a final race of 3 runners with odds, as three NV files.
    void Script(int readCount = 3, const std::string& ts = "20260902213000") {
        link.openInfo = NvOpenInfo{readCount, 0, ts};
        link.AddRecord(MakeRa("20260901", "44", 1, 3));
        link.AddCode(-1);
        for (int h = 1; h <= 3; ++h)
            link.AddRecord(MakeSe("20260901", "44", 1, h, Blood(1, h), "ウマ", h));
        link.AddCode(-1);
        link.AddRecord(MakeOdds(RecordType::O1, "20260901", "44", 1));
        link.AddCode(-1);
    }
    std::vector<std::string> Informs() {
        std::vector<std::string> out;
        for (const auto& c : ui.calls)
            if (c.rfind("inform:", 0) == 0) out.push_back(c.substr(7));
        return out;
    }
    bool Has(const std::string& call) {
        return std::find(ui.calls.begin(), ui.calls.end(), call) != ui.calls.end();
    }
    bool Labelled(const std::string& utf8) {
        return std::find(labels.begin(), labels.end(), Sj(utf8)) != labels.end();
    }
    std::string LastTime() {
        return shell->settings().ReadString("NvDataGet", "LastTime", "<none>");
    }
    bool DayFile(const std::string& ext) {
        return fs::exists(dir.path() / "DATA" / (Utf8FromSjis(DayStamp("20260901")) + ext));
    }
    size_t HorseFiles() {
        size_t n = 0;
        for (auto& e : fs::recursive_directory_iterator(dir.path() / "SEI"))
            n += e.is_regular_file() ? 1 : 0;
        return n;
    }
    size_t Count(const std::string& call) {
        return static_cast<size_t>(std::count(link.calls.begin(), link.calls.end(), call));
    }
};

TEST(Acquisition, TheWindowOpensWithItsCaptionsAndTheSettings) {
    Rig r;
    Acquisition& a = r.Open();
    const AcquisitionWindowState& s = a.state();
    EXPECT_EQ(Utf8FromSjis(s.caption), "データ取込");
    EXPECT_EQ(Utf8FromSjis(s.buttonCancel.caption), "データ取込中止");
    EXPECT_EQ(Utf8FromSjis(s.speedButton1.caption), "UmaConn設定");
    EXPECT_EQ(Utf8FromSjis(s.checkBox1.caption), "確定オッズも合わせて取得する");
    EXPECT_EQ(Utf8FromSjis(s.progressBar3.caption), "過去データ構築");
    EXPECT_TRUE(s.checkBox1Checked);
    EXPECT_EQ(FormatDateTime(s.picker), "2025/09/10 12:00:00");  // now minus 365 days
    EXPECT_FALSE(s.timerEnabled);
    EXPECT_EQ(s.timerIntervalMs, 10);

    r.shell->settings().WriteString("NvDataGet", "LastTime", "2026/08/01 06:30:15");
    a.ClickCheckBox1();
    EXPECT_EQ(r.shell->settings().ReadString("NvDataGet", "KakuteiOzGet", ""), "0");
    Acquisition& b = r.Open();
    EXPECT_FALSE(b.state().checkBox1Checked);
    EXPECT_EQ(FormatDateTime(b.state().picker), "2026/08/01 06:30:15");
}

TEST(Acquisition, ARunReadsStoresBuildsAndAdvancesLastTime) {
    Rig r;
    r.Script();
    Acquisition& a = r.Open();
    a.Start();
    ASSERT_FALSE(r.Informs().empty());
    EXPECT_EQ(r.Informs()[0],
              "2025年09月10日12時00分00秒以降のデータ取込を開始します。データ作成が終了するまで本"
              "ソフトを操作したり他のアプリケーションを操作することは極力避けてください。");
    EXPECT_EQ(r.link.calls.front(), "NVOpen RACEDIFN 20250910120000 1");
    EXPECT_EQ(r.link.calls.back(), "NVClose");
    EXPECT_EQ(r.Count("NVRead 100000"), 9u);  // 5 records, 3 file ends, the end
    EXPECT_TRUE(r.Labelled("NVOpen正常:正常に実行されました。(0)"));
    EXPECT_TRUE(r.Labelled("ReadCount:3, DownloadCount:0"));
    EXPECT_TRUE(r.Labelled("データ読込み中．．．(0/3)"));
    EXPECT_TRUE(r.Labelled("データ読込み中．．．(2/3)"));
    EXPECT_TRUE(r.Labelled("NVRead EndOfFile :0"));
    EXPECT_TRUE(r.Labelled("データ読込み完了(3/3)"));
    const auto& s = a.state();
    EXPECT_EQ(Utf8FromSjis(s.progressLabel), "データ作成が完了しました。");
    EXPECT_EQ(s.outcome, AcquisitionOutcome::Completed);
    EXPECT_EQ(Utf8FromSjis(s.label9), "過去走データを構築しました。");
    EXPECT_EQ(s.progressBar3.max, 1);
    EXPECT_EQ(s.progressBar3.position, 0);
    EXPECT_EQ(s.progressBar1.position, 0);
    EXPECT_EQ(s.progressBar2.max, 3);
    EXPECT_EQ(Utf8FromSjis(s.mkDataLabel).rfind("単勝確定ｵｯｽﾞ:01R/", 0), 0u);
    EXPECT_EQ(r.LastTime(), "2026/09/02 21:30:00");
    EXPECT_EQ(s.label5, "2026/09/02 21:30:00");
    EXPECT_EQ(FormatDateTime(s.picker), "2026/09/02 21:30:00");
    EXPECT_TRUE(r.DayFile(".nvRA"));
    EXPECT_TRUE(r.DayFile(".nvO1"));
    EXPECT_EQ(r.HorseFiles(), 3u);
    EXPECT_TRUE(ReadPendingBuild(r.shell->folder()).empty());
    // Two beeps: the build, then the successful close.
    EXPECT_EQ(std::count(r.ui.calls.begin(), r.ui.calls.end(), "beep"), 2);
    EXPECT_TRUE(s.buttonStart.enabled);
    EXPECT_FALSE(a.busy());
}

TEST(Acquisition, ATimestampOfZerosOrGarbageLeavesLastTime) {
    for (const char* ts : {"00000000000000", "", "2026090221300", "20261332213000"}) {
        Rig r;
        r.Script(3, ts);
        r.Open().Start();
        EXPECT_EQ(r.LastTime(), "<none>") << ts;
        EXPECT_EQ(r.acq->state().outcome, AcquisitionOutcome::Completed);
        EXPECT_EQ(r.HorseFiles(), 3u);
    }
}

TEST(Acquisition, NoNewDataAndOpenErrorsCloseTheLink) {
    struct Case {
        int result;
        int readCount;
        const char* message;
        AcquisitionOutcome outcome;
    };
    for (const Case& c : std::vector<Case>{
             {-1, 5, "最新のデータがありません。", AcquisitionOutcome::NoNewData},
             {0, 0, "最新のデータがありません。", AcquisitionOutcome::NoNewData},
             {-301, 0, "NVOpenエラー:認証エラーが発生しました。(-301)",
              AcquisitionOutcome::OpenFailed},
             {-999, 0, "NVOpenエラー:(-999)", AcquisitionOutcome::OpenFailed},
         }) {
        Rig r;
        r.link.openResult = c.result;
        r.link.openInfo.readCount = c.readCount;
        Acquisition& a = r.Open();
        a.Start();
        ASSERT_EQ(r.Informs().size(), 2u) << c.result;
        EXPECT_EQ(r.Informs()[1], c.message);
        EXPECT_EQ(r.link.calls, (std::vector<std::string>{r.link.calls[0], "NVClose"}));
        EXPECT_EQ(a.state().outcome, c.outcome);
        EXPECT_EQ(r.LastTime(), "<none>");
    }
}

TEST(Acquisition, DownloadsArePolledByTheTimerThenRead) {
    Rig r;
    r.Script();
    r.link.openInfo.downloadCount = 2;
    r.link.statusResults = {1, 2};
    Acquisition& a = r.Open();
    a.Start();
    EXPECT_TRUE(a.state().timerEnabled);
    EXPECT_EQ(a.state().phase, AcquisitionPhase::Downloading);
    EXPECT_EQ(Utf8FromSjis(a.state().progressLabel), "ダウンロード中・・・");
    EXPECT_EQ(a.state().progressBar1.max, 2);
    a.Tick();
    EXPECT_EQ(Utf8FromSjis(a.state().progressLabel), "ダウンロード中．．．(1/2)");
    EXPECT_EQ(a.state().progressBar1.position, 1);
    EXPECT_EQ(r.Count("NVRead 100000"), 0u);
    a.Tick();
    EXPECT_FALSE(a.state().timerEnabled);
    EXPECT_TRUE(r.Labelled("ダウンロード中．．．(2/2)"));
    EXPECT_EQ(a.state().outcome, AcquisitionOutcome::Completed);
    EXPECT_EQ(r.LastTime(), "2026/09/02 21:30:00");
    a.Tick();  // the timer is off: nothing more
    EXPECT_EQ(r.Count("NVStatus"), 2u);
}

TEST(Acquisition, AStatusErrorStopsTheTimerAndCloses) {
    Rig r;
    r.Script();
    r.link.openInfo.downloadCount = 3;
    r.link.statusResults = {1, -502};
    Acquisition& a = r.Open();
    a.Start();
    a.Tick();
    a.Tick();
    EXPECT_FALSE(a.state().timerEnabled);
    EXPECT_EQ(
        r.Informs().back(),
        "NVStatusエラー:ダウンロードに失敗しました。（通信エラーやディスクエラーなど）(-502)");
    EXPECT_EQ(r.link.calls.back(), "NVClose");
    EXPECT_EQ(a.state().outcome, AcquisitionOutcome::StatusFailed);
    EXPECT_FALSE(r.DayFile(".nvRA"));
    EXPECT_EQ(r.LastTime(), "<none>");
}

TEST(Acquisition, AReadErrorKeepsWhatWasReadButBuildsNothing) {
    Rig r;
    r.link.openInfo = NvOpenInfo{3, 0, "20260902213000"};
    r.link.AddRecord(MakeRa("20260901", "44", 1, 3));
    r.link.AddCode(-1);
    r.link.AddCode(-3);
    r.link.AddCode(-2);
    r.link.AddRecord(MakeSe("20260901", "44", 1, 1, Blood(1, 1), "ウマ", 1));
    r.link.AddCode(-403);
    r.link.AddRecord(MakeOdds(RecordType::O1, "20260901", "44", 1));
    Acquisition& a = r.Open();
    a.Start();
    EXPECT_EQ(r.Informs().back(), "NVReadエラー:ダウンロードしたファイル内容が異常です。(-403)");
    EXPECT_EQ(a.state().outcome, AcquisitionOutcome::ReadFailed);
    EXPECT_EQ(r.link.calls.back(), "NVClose");
    // Both records before the error are in their files, the one after it was never read.
    EXPECT_TRUE(r.DayFile(".nvRA"));
    EXPECT_TRUE(r.DayFile(Utf8FromSjis(Sj("大井")) + ".nvSEr"));
    EXPECT_FALSE(r.DayFile(".nvO1"));
    EXPECT_EQ(r.HorseFiles(), 0u);
    EXPECT_EQ(r.LastTime(), "<none>");
    // The day with final results waits for the next run's build.
    EXPECT_EQ(ReadPendingBuild(r.shell->folder()).size(), 1u);
}

// A day or horse file that cannot be written ends the run with its message whether the
// files are written by the loops or by background writers: nothing after it claims success,
// LastTime stays, and the day stays pending for the next run.
TEST(Acquisition, AFileThatCannotBeWrittenFailsTheRunAlikeWithAndWithoutWriters) {
    struct Case {
        const char* name;
        bool inTheBuild;  // else during the read
        const char* message;
    };
    const std::string se = Utf8FromSjis(DayStamp("20260901") + Sj("大井")) + ".nvSEr";
    const Case cases[] = {
        {"read", false, "cannot create: Not a directory: "},
        {"build", true, "cannot create: Not a directory: "},
    };
    for (const Case& c : cases) {
        for (int writers : {0, 2}) {
            SCOPED_TRACE(std::string(c.name) + " writers " + std::to_string(writers));
            Rig r;
            r.Script();
            Acquisition& a = r.Open();
            a.SetWriters(writers);
            const fs::path data = r.dir.path() / "DATA";
            const fs::path ra = data / (Utf8FromSjis(DayStamp("20260901")) + ".nvRA");
            std::string expectedPath;
            int pumps = 0;  // outlives the hook below, which runs inside Start
            if (c.inTheBuild) {
                // The horses' sub-folder is taken by a file.
                fs::create_directories(r.dir.path() / "SEI");
                WriteFileAtomic(r.dir.path() / "SEI" / "2019", "x");
                expectedPath = (r.dir.path() / "SEI" / "2019" / "2019010001.kak").string();
            } else {
                // After the first NV file (its day file written, nothing else queued), the
                // Data folder is taken by a file: the second NV file's runner file fails.
                r.ui.onPump = [&] {
                    if (++pumps != 3) return;
                    for (int i = 0; i < 5000 && !fs::exists(ra); ++i)
                        std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    fs::rename(data, r.dir.path() / "DATA.old");
                    WriteFileAtomic(data, "x");
                };
                expectedPath = (data / se).string();
            }
            a.Start();
            EXPECT_EQ(a.state().outcome, AcquisitionOutcome::FileFailed);
            std::vector<std::string> shown;
            for (const auto& call : r.ui.calls)
                if (call.rfind("error:", 0) == 0) shown.push_back(call.substr(6));
            ASSERT_EQ(shown.size(), 1u);
            if (!c.inTheBuild || shown[0].find("2019010001") != std::string::npos) {
                EXPECT_EQ(shown[0], c.message + expectedPath);
            } else {
                // Any of the three horses may be the first write to fail.
                EXPECT_EQ(shown[0].rfind(c.message + (r.dir.path() / "SEI" / "2019").string(), 0),
                          0u);
            }
            EXPECT_NE(Utf8FromSjis(a.state().progressLabel), "データ作成が完了しました。");
            EXPECT_EQ(r.LastTime(), "<none>");
            EXPECT_EQ(ReadPendingBuild(r.shell->folder()).size(), 1u);
            EXPECT_FALSE(a.busy());
            EXPECT_EQ(r.link.calls.back(), "NVClose");
        }
    }
}

TEST(Acquisition, ACancelInMidReadWritesNoPastRunsAndTheNextRunBuildsThem) {
    Rig r;
    r.Script();
    r.ui.answers = {false, true};
    Acquisition& a = r.Open();
    int pumps = 0;
    r.ui.onPump = [&] {
        ++pumps;
        if (pumps == 3) a.Cancel();  // answered No: nothing happens
        if (pumps == 4) a.Start();   // a second start inside the loop is refused
        if (pumps == 5) a.Cancel();  // Yes
    };
    a.Start();
    EXPECT_TRUE(r.Has("confirm:データ取込を中止します。実行しますか？"));
    EXPECT_EQ(r.Informs().back(), "NVCancel:キャンセルされました");
    EXPECT_EQ(Utf8FromSjis(a.state().progressLabel), "NVCancel:キャンセルされました");
    EXPECT_EQ(a.state().outcome, AcquisitionOutcome::Cancelled);
    EXPECT_EQ(r.Count("NVCancel"), 1u);
    EXPECT_EQ(r.Count("NVOpen RACEDIFN 20250910120000 1"), 1u);
    EXPECT_EQ(r.link.calls.back(), "NVClose");
    EXPECT_TRUE(r.run.cancelled);
    EXPECT_TRUE(r.DayFile(".nvRA"));  // read before the cancel
    EXPECT_EQ(r.HorseFiles(), 0u);
    EXPECT_EQ(r.LastTime(), "<none>");

    // The next run has nothing new for the day, yet builds the day left pending.
    r.ui.onPump = nullptr;
    r.link.openInfo = NvOpenInfo{1, 0, "20260903213000"};
    r.link.reads.clear();
    r.link.AddCode(-1);
    a.Start();
    EXPECT_FALSE(r.run.cancelled);
    EXPECT_EQ(a.state().outcome, AcquisitionOutcome::Completed);
    EXPECT_EQ(r.HorseFiles(), 2u);  // the third runner was not read before the cancel
    EXPECT_EQ(r.LastTime(), "2026/09/03 21:30:00");
}

TEST(Acquisition, ACancelDuringTheDownloadClosesTheLink) {
    Rig r;
    r.Script();
    r.link.openInfo.downloadCount = 5;
    r.link.statusResults = {1, 2};
    r.ui.answers = {true};
    Acquisition& a = r.Open();
    a.Start();
    a.Tick();
    a.Cancel();
    EXPECT_FALSE(a.state().timerEnabled);
    EXPECT_EQ(r.link.calls[r.link.calls.size() - 2], "NVCancel");
    EXPECT_EQ(r.link.calls.back(), "NVClose");
    EXPECT_EQ(a.state().phase, AcquisitionPhase::Idle);
    EXPECT_TRUE(a.state().buttonStart.enabled);
}

TEST(Acquisition, ClosingDuringALoopCancelsAndWaitsForTheLoop) {
    Rig r;
    r.Script();
    Acquisition& a = r.Open();
    int pumps = 0;
    bool refused = false;
    bool busyInside = false;
    r.ui.onPump = [&] {
        if (++pumps == 2) {
            busyInside = a.busy();
            refused = !a.RequestClose();
        }
    };
    a.Start();
    EXPECT_TRUE(busyInside);
    EXPECT_TRUE(refused);
    EXPECT_TRUE(a.state().closePending);
    EXPECT_FALSE(a.busy());
    EXPECT_FALSE(r.Has("confirm:データ取込を中止します。実行しますか？"));
    EXPECT_EQ(r.link.calls.back(), "NVClose");
    EXPECT_EQ(r.HorseFiles(), 0u);
    EXPECT_TRUE(a.RequestClose());  // the loop has stopped: the window may go
    a.Closed();
}

TEST(Acquisition, ClosingDuringTheDownloadCancelsAndCloses) {
    Rig r;
    r.Script();
    r.link.openInfo.downloadCount = 5;
    Acquisition& a = r.Open();
    a.Start();
    EXPECT_TRUE(a.RequestClose());
    EXPECT_FALSE(a.state().timerEnabled);
    EXPECT_EQ(r.Count("NVCancel"), 1u);
    EXPECT_EQ(r.link.calls.back(), "NVClose");
}

TEST(Acquisition, LinkSettingsAndCloseFailuresShowTheirMessages) {
    Rig r;
    Acquisition& a = r.Open();
    r.link.setUIResult = -100;
    a.SetUIProperties();
    EXPECT_EQ(r.Informs().back(),
              "NVSetUIPropertiesエラー：パラメータが不正あるいはレジストリへの保存に失敗しました。("
              "-100)");
    r.link.setUIResult = 0;
    size_t before = r.ui.calls.size();
    a.SetUIProperties();
    EXPECT_EQ(r.ui.calls.size(), before);

    r.Script();
    r.link.closeResult = -1;
    a.Start();
    EXPECT_EQ(r.Informs().back(), "NVCloseエラー:(-1)");
    EXPECT_EQ(a.state().outcome, AcquisitionOutcome::Completed);
}

TEST(Acquisition, WithoutTheCheckMarkNoOddsAreStored) {
    Rig r;
    r.Script();
    Acquisition& a = r.Open();
    a.SetOddsChecked(false);
    a.Start();
    EXPECT_TRUE(r.DayFile(".nvRA"));
    EXPECT_FALSE(r.DayFile(".nvO1"));
    EXPECT_EQ(a.storeTally().ignored, 1);
}

}  // namespace
}  // namespace sorvane
