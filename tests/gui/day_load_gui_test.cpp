// The race day in the main window: choosing a date loads the day with the progress window
// shown, the day list and the arrow select races, and the header panel and the result tab
// show the selected race.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

#include "day_fixture.h"
#include "gui_session.h"
#include "progress_form.h"
#include "race_header_panel.h"
#include "raceday/race_header.h"
#include "temp_dir.h"

namespace sorvane::testing {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(DayLoadGui, ChoosingADateLoadsTheDayAndShowsItsRaces) {
    TempDir home;
    DayWriter older(home.path(), "20240104");
    older.AddRace({});
    older.Write();
    DayWriter day(home.path(), "20240105");
    day.AddRace({.race = 1, .runners = 4});
    day.AddRace({.race = 2, .runners = 6, .surface = "10", .name = "新春特別"});
    day.AddRace({.track = "45", .race = 7});
    day.Write();
    SettingsFile(home.path() / "sorvane.ini").WriteBool("AllRace", "ExecComp", false);

    GuiSession s(home.path());
    ASSERT_TRUE(s.Start());
    auto* combo = s.Widget<QComboBox>("DateCombo");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), Q("2024年01月05日"));
    EXPECT_EQ(combo->itemText(1), Q("2024年01月04日"));
    EXPECT_FALSE(s.Widget("PageControl5")->isVisible());

    // The progress window is up while the load lets events run.
    auto* progress = s.window->findChild<ProgressForm*>(QStringLiteral("PrgrsForm"));
    ASSERT_NE(progress, nullptr);
    QString seenText;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (progress->isVisible())
            seenText = progress->findChild<QLabel*>(QStringLiteral("Label1"))->text();
    });
    probe.start();
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    probe.stop();
    EXPECT_EQ(seenText, Q("レースデータを読み込んでいます。"));
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(s.Shown().empty());

    auto* list = s.Widget<QListWidget>("DatList");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), Q("大井 1R"));
    EXPECT_EQ(list->item(2)->text(), Q("川崎 7R"));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(s.Widget("PageControl5")->isVisible());
    EXPECT_EQ(s.Widget<QLabel>("Label1")->text(),
              Q("2024年01月05日(金)大井03回02日01R   15.40発走"));
    EXPECT_EQ(s.Widget<QLabel>("BashoLabel")->text(), Q("大井"));
    auto* panel = s.Widget<RaceHeaderPanel>("Panel14");
    EXPECT_EQ(panel->shownColor(), kColorKhaki);
    EXPECT_EQ(s.Widget<QSpinBox>("UpDown1")->maximum(), 2);

    // A click on the second line: the turf race.
    list->setCurrentRow(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.shell.day().currentRace, 1);
    EXPECT_TRUE(s.Widget<QLabel>("Label2")->text().startsWith(Q("新春特別")));
    EXPECT_TRUE(s.Widget<QLabel>("Label3")->text().startsWith(Q(" 6頭  1200ﾒｰﾄﾙ 芝 直線")));
    EXPECT_EQ(panel->shownColor(), kColorTurf);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor::fromRgb(kColorTurf));
    EXPECT_EQ(s.Widget<QLabel>("RaceLabel")->text(), Q(" 2"));

    // The arrow selects by its position.
    s.Widget<QSpinBox>("UpDown1")->setValue(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(s.Widget<QLabel>("BashoLabel")->text(), Q("川崎"));

    // The result tab shows the result grid.
    auto* result = s.Widget<QTableView>("ResultGrid");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->model()->rowCount(), 36);
    EXPECT_EQ(result->model()->index(0, 0).data().toString(), Q("単勝"));

    // A day whose files are gone: the message, an empty day list, the pages hidden.
    fs::remove(day.DataPath(DayFileName(DayFileKind::RA, Sj("2024年01月04日"))));
    fs::remove(older.DataPath(DayFileName(DayFileKind::RA, older.Stamp())));
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.Shown(), (std::vector<std::string>{
                             "beep", "inform:2024年01月04日のデータ作成は未完了のようです。"}));
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(s.Widget("PageControl5")->isVisible());
}

}  // namespace
}  // namespace sorvane::testing
