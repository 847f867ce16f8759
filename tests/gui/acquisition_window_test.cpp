// The acquisition window on the offscreen platform against a small generated feed: a run to its
// end (bars, captions, status texts, messages, settings), a cancel in mid-read answered No and
// then Yes, and a close in mid-read, which the window refuses until its loop has stopped.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <memory>

#include "base/files.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "feedgen.h"
#include "get_data_form.h"
#include "gui_ui.h"
#include "link/feed_link.h"
#include "shell/app_shell.h"
#include "store/pending_build.h"
#include "store/store_verify.h"
#include "temp_dir.h"

namespace sorvane::testing {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr const char* kStartMessage =
    "inform:2026年03月01日00時00分00秒以降のデータ取込を開始します。データ作成が終了するまで本"
    "ソフトを操作したり他のアプリケーションを操作することは極力避けてください。";

// One program folder and a copy of the feed with its own link.ini, the shell as the GUI starts
// it (recording Ui, fixed clock), and the window.
class AcquisitionWindow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        feed_ = new TempDir;
        feedgen::FeedOptions o;
        std::string error;
        ASSERT_TRUE(
            feedgen::ParseFeedArgs({"--out", feed_->path().string(), "--seed", "5", "--start",
                                    "2026-04-01", "--days", "2", "--tracks", "44,45"},
                                   o, error))
            << error;
        feedgen::GenerateFeed(o);
    }
    static void TearDownTestSuite() { delete feed_; }

    void Open(const std::string& linkIni) {
        fs::copy(feed_->path(), feed.path(), fs::copy_options::recursive);
        WriteFileAtomic(feed.path() / "link.ini", linkIni);
        link = std::make_unique<FeedLink>(feed.path(), clock);
        shell = std::make_unique<AppShell>(ProgramFolder(home.path()),
                                           ShellPorts{ui, clock, platform, *link});
        ASSERT_TRUE(shell->Start());
        shell->Show();
        form = std::make_unique<GetDataForm>(*shell, run);
        form->setRepaintIntervalMs(0);  // every change reaches the widgets
        for (int i = 0; i < 3; ++i) {
            bars[i] = W<QProgressBar>(i == 0   ? "ProgressBar1"
                                      : i == 1 ? "ProgressBar2"
                                               : "ProgressBar3");
            QObject::connect(bars[i], &QProgressBar::valueChanged, [this, i](int v) {
                highest[i] = std::max(highest[i], v);
                if (i == 1 && !W<QPushButton>("ButtonStart")->isEnabled())
                    startDisabledInRun = true;
                if (i == 1 && onRead) onRead(v);
            });
        }
        QObject::connect(form.get(), &GetDataForm::stateChanged, [this] {
            const QString t = W<QLabel>("ProgressLabel")->text();
            if (!t.isEmpty() && (labels.isEmpty() || labels.back() != t)) labels.push_back(t);
        });
        W<QDateTimeEdit>("DateTimePicker1")
            ->setDateTime(QDateTime(QDate(2026, 3, 1), QTime(0, 0, 0)));
    }

    template <class T = QWidget>
    T* W(const char* name) const {
        T* w = form->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString Text(const char* label) const { return W<QLabel>(label)->text(); }
    std::string LastTime() {
        return shell->settings().ReadString("NvDataGet", "LastTime", "<none>");
    }
    size_t Files(const char* top, const char* ext) {
        size_t n = 0;
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(ResolveComponent(home.path(), top), ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            n += it->path().extension() == ext;
        return n;
    }
    std::vector<std::string> Shown() const {
        std::vector<std::string> out;
        for (const GuiUi::Shown& s : ui.shown()) {
            switch (s.kind) {
                case GuiUi::Kind::Beep:
                    out.push_back("beep");
                    break;
                case GuiUi::Kind::Inform:
                    out.push_back("inform:" + Utf8FromSjis(s.text));
                    break;
                case GuiUi::Kind::Confirm:
                    out.push_back("confirm:" + Utf8FromSjis(s.text));
                    break;
                default:
                    out.push_back("other:" + Utf8FromSjis(s.text));
                    break;
            }
        }
        return out;
    }
    bool Idle() const {
        const Acquisition& a = form->acquisition();
        return !a.busy() && a.state().phase == AcquisitionPhase::Idle &&
               a.state().outcome != AcquisitionOutcome::None;
    }

    static TempDir* feed_;
    TempDir home;
    TempDir feed;
    FixedClock clock{2026, 6, 1, 12, 0, 0};
    GuiUi ui{/*recording=*/true};
    FakePlatform platform;
    std::unique_ptr<FeedLink> link;
    std::unique_ptr<AppShell> shell;
    StoreRunState run;
    std::unique_ptr<GetDataForm> form;
    std::array<QProgressBar*, 3> bars{};
    std::array<int, 3> highest{};
    bool startDisabledInRun = false;
    std::function<void(int)> onRead;  // ProgressBar2 moved (inside the read loop)
    QStringList labels;               // every ProgressLabel text, in order
};

TempDir* AcquisitionWindow::feed_ = nullptr;

TEST_F(AcquisitionWindow, ShowsItsControlsAndRunsADownloadAndReadToTheEnd) {
    Open("[Service]\nDownloadFiles=3\nBusyReads=2\n");
    EXPECT_EQ(form->windowTitle(), Q("データ取込"));
    EXPECT_TRUE(form->isModal());
    EXPECT_EQ(form->minimumSize(), form->maximumSize());  // a fixed dialog
    EXPECT_EQ(W<QPushButton>("ButtonStart")->text(), Q("データ取込"));
    EXPECT_EQ(W<QPushButton>("ButtonCancel")->text(), Q("データ取込中止"));
    EXPECT_EQ(W<QToolButton>("SpeedButton1")->text(), Q("UmaConn設定"));
    EXPECT_EQ(W<QCheckBox>("CheckBox1")->text(), Q("確定オッズも合わせて取得する"));
    EXPECT_TRUE(W<QCheckBox>("CheckBox1")->isChecked());  // KakuteiOzGet defaults to true
    EXPECT_EQ(
        Text("OddsNoteLabel"),
        Q("↑ここをチェックすると取得期間に取得済みのオッズがある場合は確定オッズに上書きされま"
          "すので、ご注意ください。"));
    EXPECT_EQ(Text("PickerCaptionLabel"), Q("取得開始日付"));
    EXPECT_EQ(Text("ProgressBar1Label"), Q("ダウンロード"));
    EXPECT_EQ(Text("ProgressBar2Label"), Q("読込み"));
    EXPECT_EQ(Text("ProgressBar3Label"), Q("過去データ構築"));
    EXPECT_EQ(Text("MkDataCaptionLabel"), Q("作成データ"));
    EXPECT_FALSE(W<QTimer>("TimerJVStatus")->isActive());

    // The check box writes KakuteiOzGet on every click; the link settings button reports a
    // failure of the link with its message.
    W<QCheckBox>("CheckBox1")->click();
    EXPECT_EQ(shell->settings().ReadString("NvDataGet", "KakuteiOzGet", ""), "0");
    W<QCheckBox>("CheckBox1")->click();
    EXPECT_TRUE(W<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_EQ(shell->settings().ReadString("NvDataGet", "KakuteiOzGet", ""), "1");
    WriteFileAtomic(feed.path() / "link.ini",
                    "[Service]\nDownloadFiles=3\nBusyReads=2\n[Fault]\nNVSetUIProperties=-100\n");
    W<QToolButton>("SpeedButton1")->click();
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[0], "beep");
    EXPECT_EQ(Shown()[1].rfind("inform:NVSetUIPropertiesエラー：", 0), 0u) << Shown()[1];
    ui.clearShown();
    WriteFileAtomic(feed.path() / "link.ini", "[Service]\nDownloadFiles=3\nBusyReads=2\n");

    form->show();
    W<QPushButton>("ButtonStart")->click();
    EXPECT_TRUE(W<QTimer>("TimerJVStatus")->isActive());
    EXPECT_EQ(W<QTimer>("TimerJVStatus")->interval(), 10);
    EXPECT_FALSE(W<QPushButton>("ButtonStart")->isEnabled());
    EXPECT_FALSE(W<QDateTimeEdit>("DateTimePicker1")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return Idle(); }, 30000));

    const Acquisition& a = form->acquisition();
    EXPECT_EQ(a.state().outcome, AcquisitionOutcome::Completed);
    EXPECT_EQ(Shown(), (std::vector<std::string>{kStartMessage, "beep", "beep"}));
    const int readCount = run.readCount;
    EXPECT_EQ(readCount, 18);  // two days of nine NV files
    EXPECT_EQ(run.downloadCount, 3);
    // Each bar moved to its end during the run and is back at 0.
    EXPECT_EQ(highest[0], 3);
    EXPECT_EQ(highest[1], readCount);
    EXPECT_EQ(highest[2], 2);  // two race days built
    for (QProgressBar* b : bars) EXPECT_EQ(b->value(), 0) << b->objectName().toStdString();
    EXPECT_TRUE(startDisabledInRun);
    EXPECT_TRUE(W<QPushButton>("ButtonStart")->isEnabled());
    EXPECT_FALSE(W<QTimer>("TimerJVStatus")->isActive());

    const QString rc = QString::number(readCount);
    for (const QString& want :
         {"ReadCount:" + rc + ", DownloadCount:3", Q("ダウンロード中・・・"),
          Q("ダウンロード中．．．(1/3)"), Q("ダウンロード中．．．(3/3)"),
          Q("データ読込み中．．．(0/") + rc + ")", Q("データ読込み中．．．(") + rc + "/" + rc + ")",
          Q("NVRead EndOfFile :0"), Q("データ読込み完了(") + rc + "/" + rc + ")",
          Q("データ作成が完了しました。")})
        EXPECT_TRUE(labels.contains(want)) << want.toStdString();
    EXPECT_TRUE(labels.first().startsWith(Q("NVOpen正常:"))) << labels.first().toStdString();
    EXPECT_EQ(labels.back(), Q("データ作成が完了しました。"));
    // The last record read was the last odds file's.
    EXPECT_TRUE(Text("MkDataLabel").startsWith(Q("3連単確定ｵｯｽﾞ:")))
        << Text("MkDataLabel").toStdString();
    EXPECT_TRUE(Text("MkDataLabel").endsWith(Q("2026年04月02日.nvO6")));
    EXPECT_EQ(Text("Label9"), Q("過去走データを構築しました。"));

    // LastTime comes from the link's last file, and the picker shows it.
    const std::string last = LastTime();
    EXPECT_EQ(last.size(), 19u);
    EXPECT_EQ(Text("Label5").toStdString(), last);
    EXPECT_EQ(W<QDateTimeEdit>("DateTimePicker1")
                  ->dateTime()
                  .toString("yyyy/MM/dd HH:mm:ss")
                  .toStdString(),
              last);
    EXPECT_GT(Files("DATA", ".nvRA"), 0u);
    EXPECT_GT(Files("DATA", ".nvO6"), 0u);
    EXPECT_GT(Files("SEI", ".kak"), 20u);
    EXPECT_TRUE(VerifyStore(shell->folder()).ok());

    form->close();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(AcquisitionWindow, ACancelInMidReadIsAskedThenStopsTheRun) {
    Open("");
    ui.queueAnswer(false);
    ui.queueAnswer(true);
    // Clicks arrive as events that the read loop lets run between two reads.
    int clicks = 0;
    onRead = [&](int v) {
        if ((v == 2 && clicks == 0) || (v == 5 && clicks == 1)) {
            ++clicks;
            QTimer::singleShot(0, W<QPushButton>("ButtonCancel"), &QPushButton::click);
        }
    };
    form->show();
    W<QPushButton>("ButtonStart")->click();  // the read loop runs inside the click
    ASSERT_TRUE(Idle());

    const Acquisition& a = form->acquisition();
    EXPECT_EQ(a.state().outcome, AcquisitionOutcome::Cancelled);
    const std::string ask = "confirm:データ取込を中止します。実行しますか？";
    EXPECT_EQ(Shown(), (std::vector<std::string>{kStartMessage, ask, ask, "beep",
                                                 "inform:NVCancel:キャンセルされました", "beep"}));
    EXPECT_EQ(Text("ProgressLabel"), Q("NVCancel:キャンセルされました"));
    EXPECT_GE(highest[1], 5);
    EXPECT_LT(highest[1], run.readCount);
    EXPECT_TRUE(run.cancelled);
    // What was read is stored and whole; no past run was built and LastTime did not move.
    EXPECT_GT(Files("DATA", ".nvRA"), 0u);
    EXPECT_EQ(Files("SEI", ".kak"), 0u);
    EXPECT_EQ(LastTime(), "<none>");
    EXPECT_TRUE(VerifyStore(shell->folder()).ok());
    EXPECT_FALSE(ReadPendingBuild(shell->folder()).empty());
    EXPECT_TRUE(W<QPushButton>("ButtonStart")->isEnabled());
    form->close();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(AcquisitionWindow, AClosingInMidReadWaitsForTheLoopThenCloses) {
    Open("");
    bool visibleAfterClose = false;
    bool busyAfterClose = false;
    onRead = [&](int v) {
        if (v != 3) return;
        QTimer::singleShot(0, form.get(), [&] {
            form->close();  // the close box, as an event inside the read loop
            visibleAfterClose = form->isVisible();
            busyAfterClose = form->acquisition().busy();
        });
    };
    QTimer::singleShot(0, W<QPushButton>("ButtonStart"), &QPushButton::click);
    const int result = form->exec();  // returns only once the window has closed

    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(visibleAfterClose);
    EXPECT_TRUE(busyAfterClose);
    EXPECT_FALSE(form->isVisible());
    const Acquisition& a = form->acquisition();
    EXPECT_FALSE(a.busy());
    EXPECT_EQ(a.state().outcome, AcquisitionOutcome::Cancelled);
    // Closing cancels without asking; nothing is built and LastTime stays.
    for (const std::string& s : Shown()) EXPECT_EQ(s.rfind("confirm:", 0), std::string::npos) << s;
    EXPECT_EQ(Files("SEI", ".kak"), 0u);
    EXPECT_EQ(LastTime(), "<none>");
    EXPECT_TRUE(VerifyStore(shell->folder()).ok());
    form.reset();  // safe: no loop is on the stack
}

}  // namespace
}  // namespace sorvane::testing
