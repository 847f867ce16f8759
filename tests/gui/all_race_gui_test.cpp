// The all-race comparison in the main window: the progress window is up and the main window
// disabled while it runs; the sort buttons reorder the entry table, one down at a time; the
// mark buttons and the comparison tables' clipboard commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include "day_fixture.h"
#include "gui_session.h"
#include "temp_dir.h"
#include "wait_form.h"

namespace sorvane::testing {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

struct LoadedDay {
    TempDir home;
    std::unique_ptr<GuiSession> s;

    LoadedDay() {
        DayWriter day(home.path(), "20240105");
        day.AddRace({.race = 1, .runners = 4});
        day.AddRace({.race = 2, .runners = 5});
        day.Write();
        SettingsFile(home.path() / "sorvane.ini").WriteBool("AllRace", "ExecComp", false);
        s = std::make_unique<GuiSession>(home.path());
        EXPECT_TRUE(s->Start());
        auto* combo = s->Widget<QComboBox>("DateCombo");
        combo->setCurrentIndex(0);
        emit combo->activated(0);
        QCoreApplication::processEvents();
    }
    // Horse numbers of the entry table's rows as the view shows them, top to bottom.
    QString Order() const {
        QAbstractItemModel* m = s->Widget<QTableView>("StringGrid4")->model();
        QString out;
        for (int r = 0; r < m->rowCount(); ++r) out += m->index(r, 1).data().toString().trimmed();
        return out;
    }
};

TEST(AllRaceGui, TheComparisonHoldsTheWindowWithTheProgressWindowUp) {
    LoadedDay d;
    GuiSession& s = *d.s;
    auto* button = s.Widget<QPushButton>("CompareAllRaceBtn");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), Q("全レースにわたって比較します"));
    auto* wait = s.window->findChild<WaitForm*>(QStringLiteral("WaitForm"));
    ASSERT_NE(wait, nullptr);
    EXPECT_FALSE(wait->isVisible());

    int turns = 0;
    bool everEnabled = false;
    bool waitAlwaysUp = true;
    bool waitLive = true;
    QString caption;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!s.shell.main().waitForm.visible) return;  // not inside the comparison
        ++turns;
        everEnabled = everEnabled || s.window->isEnabled();
        waitAlwaysUp = waitAlwaysUp && wait->isVisible();
        waitLive = waitLive && wait->isEnabled();
        caption = wait->findChild<QLabel*>(QStringLiteral("Label1"))->text();
    });
    probe.start();
    button->click();
    probe.stop();

    EXPECT_GE(turns, 2);  // one turn per race at least
    EXPECT_FALSE(everEnabled);
    EXPECT_TRUE(waitAlwaysUp);
    EXPECT_TRUE(waitLive);
    EXPECT_EQ(caption, Q("【解析中】しばらくお待ちください"));
    EXPECT_TRUE(s.window->isEnabled());
    EXPECT_FALSE(wait->isVisible());
    EXPECT_EQ(s.shell.day().raceAnalysis[0].compared, 1);
    EXPECT_EQ(s.shell.day().raceAnalysis[1].compared, 1);
    EXPECT_TRUE(s.Shown().empty());
}

TEST(AllRaceGui, SortButtonsReorderTheEntryTable) {
    LoadedDay d;
    GuiSession& s = *d.s;
    EXPECT_EQ(d.Order(), Q("1234"));
    EXPECT_TRUE(s.Widget<QToolButton>("SpeedButton14")->isChecked());

    // Win and loss points as the entry table shows them: 3 and 4 tie on 12 points.
    Grid& g = s.shell.main().stringGrid4;
    const char* winPt[] = {"   5", "  20", "  12", "  12"};
    const char* lossPt[] = {"   1", "   3", "   9", "   2"};
    for (int r = 1; r <= 4; ++r) {
        g.SetText(14, r, winPt[r - 1]);
        g.SetText(16, r, lossPt[r - 1]);
    }
    s.Widget<QToolButton>("SpeedButton20")->click();  // 勝ﾎﾟｲﾝﾄ
    EXPECT_EQ(d.Order(), Q("2431"));
    EXPECT_TRUE(s.Widget<QToolButton>("SpeedButton20")->isChecked());
    EXPECT_FALSE(s.Widget<QToolButton>("SpeedButton14")->isChecked());

    s.Widget<QToolButton>("SpeedButton14")->click();  // 馬番
    EXPECT_EQ(d.Order(), Q("1234"));
    EXPECT_FALSE(s.Widget<QToolButton>("SpeedButton20")->isChecked());
}

TEST(AllRaceGui, MarkButtonsAndClipboardCommands) {
    LoadedDay d;
    GuiSession& s = *d.s;
    s.Widget<QToolButton>("AllCkBtn2")->click();
    QAbstractItemModel* m = s.Widget<QTableView>("StringGrid4")->model();
    for (int r = 0; r < 4; ++r) EXPECT_EQ(m->index(r, 25).data().toString(), Q("ν")) << r;
    s.Widget<QToolButton>("AllDlBtn2")->click();
    for (int r = 0; r < 4; ++r) EXPECT_EQ(m->index(r, 25).data().toString(), Q("")) << r;

    auto* detail = s.window->findChild<QAction*>(QStringLiteral("CopyDetailItem"));
    auto* matrix = s.window->findChild<QAction*>(QStringLiteral("CopyMatrixItem"));
    ASSERT_NE(detail, nullptr);
    ASSERT_NE(matrix, nullptr);
    EXPECT_EQ(detail->text(), Q("比較詳細表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)"));
    EXPECT_EQ(matrix->text(), Q("比較勝敗表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)"));
    matrix->trigger();
    EXPECT_EQ(Utf8FromSjis(s.platform.clipboard).substr(0, 16), "\t 1\t 2\t 3\t 4\r\n 1");
    detail->trigger();
    // The heading row and the six pairs of four runners.
    const std::string text = Utf8FromSjis(s.platform.clipboard);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);
}

}  // namespace
}  // namespace sorvane::testing
