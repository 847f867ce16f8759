// The two-horse comparison in the main window: picked horses in Edit1/Edit2, the comparison
// button filling StringGrid6 and switching to its tab, the grid's copy command and the
// data-range window.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "compare/two_horse.h"
#include "compare_fixtures.h"
#include "day_fixture.h"
#include "gui_session.h"
#include "raceday/day_load.h"
#include "raceday/race_select.h"
#include "shell/settings_file.h"

namespace sorvane::testing {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(TwoHorseWindow, PickCompareCopyAndDataRange) {
    TempDir home;
    DayWriter day(home.path(), "20240105");
    RaceSpec race = day.AddRace({.race = 1, .runners = 3});
    for (std::string& line : day.RunnerLines(race.track))
        if (!IsBlank(line)) Put(line, 288, "550");
    day.Write();
    const std::string h1 = "テストホース01";
    const std::string h2 = "テストホース02";
    day.WritePastRuns(BloodOf(race, 1),
                      {PastRunLine({20231101, {{h1, 600}, {"エックス", 605}}}, h1),
                       PastRunLine({20231110, {{"ワイ", 600}, {h1, 601}}}, h1)});
    day.WritePastRuns(BloodOf(race, 2),
                      {PastRunLine({20231102, {{h2, 600}, {"エックス", 601}}}, h2),
                       PastRunLine({20231111, {{h2, 600}, {"ワイ", 600}}}, h2)});

    GuiSession s(home.path());
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(
        LoadDay(s.shell, DayStamp("20240105"), {.ignoreDates = false, .compareAll = false}));
    SelectRace(s.shell, 0);
    PickHorse(s.shell, 2, 1);  // the entry table's clicks
    PickHorse(s.shell, 2, 2);
    s.window->syncFromState();
    EXPECT_EQ(s.Widget<QLineEdit>("Edit1")->text(), Q("テストホース01"));
    EXPECT_EQ(s.Widget<QLineEdit>("Edit2")->text(), Q("テストホース02"));
    EXPECT_EQ(s.Widget<QLabel>("kinryoBlabel")->text(), Q("55.0"));

    s.Widget<QAbstractButton>("Search2Btn")->click();
    EXPECT_TRUE(s.Shown().empty());
    auto* pages = s.Widget<QTabWidget>("PageControl6");
    EXPECT_EQ(pages->tabText(pages->currentIndex()), Q("２頭比較"));
    auto* grid = s.Widget<QTableView>("StringGrid6");
    ASSERT_NE(grid, nullptr);
    // Two instances: +0.5 against +0.1 (horse 1), -0.1 against 0.0 (horse 2, own minus).
    EXPECT_EQ(grid->model()->rowCount(), 2);  // data rows under the headings
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), Q("2023/11/01"));
    EXPECT_EQ(grid->model()->index(1, 28).data().toString(), Q(" 0.0"));
    EXPECT_EQ(s.Widget<QLabel>("CtLabel")->text(), Q("該当数：2"));
    EXPECT_EQ(s.Widget<QLabel>("pt1Label")->text(), Q("  1"));
    EXPECT_EQ(s.Widget<QLabel>("dpt2Label")->text(), Q("  1"));

    // The grid's pop-up command copies it.
    QAction* copy = grid->findChild<QAction*>(Q("CopyComparisonItem"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(), Q("比較結果をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)"));
    copy->trigger();
    EXPECT_EQ(Utf8FromSjis(s.platform.clipboard).rfind("開催日\t", 0), 0u);

    // The names typed by the user go to the state; クリア empties them and shows the entries.
    s.Widget<QLineEdit>("Edit2")->setText(Q("x"));
    QTest::keyClick(s.Widget<QLineEdit>("Edit2"), Qt::Key_A);
    EXPECT_EQ(s.shell.main().edit2, "xa");
    s.Widget<QAbstractButton>("SpeedButton12")->click();
    EXPECT_TRUE(s.Widget<QLineEdit>("Edit1")->text().isEmpty());
    EXPECT_EQ(pages->tabText(pages->currentIndex()), Q("出馬表"));

    // The data-range window: shown with 1000, OK writes the spin value.
    ModalWatcher watcher;
    watcher.inspect = [](QWidget* w) {
        auto* spin = w->findChild<QSpinBox*>(Q("SpinEdit1"));
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->value(), 1000);
        EXPECT_EQ(spin->minimum(), 100);
        EXPECT_EQ(spin->maximum(), 7300);
        spin->setValue(365);
        qobject_cast<QDialog*>(w)->accept();
    };
    s.Action("DataSpanItem")->trigger();
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].name, Q("DataSpanSetForm"));
    EXPECT_EQ(watcher.seen[0].title, Q("過去走データ利用範囲指定"));
    EXPECT_EQ(SettingsFile(home.path() / "sorvane.ini").ReadInteger("DataSpan", "period", 0), 365);
}

}  // namespace
}  // namespace sorvane::testing
