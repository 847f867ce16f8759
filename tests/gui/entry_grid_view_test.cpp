// The entry tables on screen: the role data and painting of a fixture race's cells (bracket
// colours, bold red/blue ranks, alignment, tall cells with their bottom rule), the hand cursor
// over the mark columns, the pop-up copy and the time-series folder command.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "base/sjis.h"
#include "grid_delegate.h"
#include "grid_view.h"
#include "gui_session.h"
#include "raceday/entry_detail.h"
#include "raceday/entry_tables.h"
#include "record_fixtures.h"
#include "temp_dir.h"

namespace sorvane::testing {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

std::string Se(int bracket, const char* name) {
    std::string se = BlankRecord(RecordType::SE);
    Put(se, 27, std::to_string(bracket));
    Put(se, 40, Sj(name));
    Put(se, 78, "2");
    Put(se, 82, "04");
    Put(se, 288, "550");
    return se;
}

// Two runners of brackets 1 and 3; horse 1 ranks first by wins, horse 2 second.
void FixtureRace(AppShell& shell) {
    RaceDay& d = shell.day();
    std::string ra = BlankRecord(RecordType::RA);
    Put(ra, 11, "2024051244010205");
    Put(ra, 881, "02");
    d.raceTable.Put(0, ra);
    d.runnerTable.Put(0, 0, Se(1, "ハヤテ"));
    d.runnerTable.Put(0, 1, Se(3, "ミドリ"));
    d.raceAnalysis[0].winsRank = {1, 2};
    std::string run(824, ' ');
    Put(run, 0, "20240405441203");
    d.pastRunTable.Append(0, 0, run + "\r\n");
    d.currentRace = 0;
    shell.main().stringGrid4.SetRowCount(3);
    shell.main().stringGrid5.SetRowCount(3);
    SisushutubaBtn(shell);
    GetKakoBtn(shell);
}

QColor Background(const QModelIndex& i) {
    return i.data(Qt::BackgroundRole).value<QBrush>().color();
}

class EntryGridViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(s.Start());
        FixtureRace(s.shell);
        s.window->syncFromState();
    }
    GridView* View(const char* name) { return s.Widget<GridView>(name); }

    TempDir home;
    GuiSession s{home.path()};
};

TEST_F(EntryGridViewTest, EntryTableRoles) {
    const GridModel* m = View("StringGrid4")->gridModel();
    ASSERT_EQ(m->rowCount(), 2);
    EXPECT_EQ(Background(m->index(0, 0)), QColor(Qt::white));   // bracket 1
    EXPECT_EQ(Background(m->index(1, 0)), QColor(0xFF, 0, 0));  // bracket 3
    EXPECT_EQ(Background(m->index(0, 1)), QColor(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(Background(m->index(0, 8)), QColor(0xFF, 0xB6, 0xC1));
    const QModelIndex rank1 = m->index(0, 9);
    const QModelIndex rank2 = m->index(1, 9);
    EXPECT_EQ(rank1.data().toString(), Q(" 1"));
    EXPECT_TRUE(rank1.data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(rank1.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0xFF, 0, 0));
    EXPECT_EQ(rank2.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 0xFF));
    EXPECT_EQ(m->index(0, 2).data().toString(), Q("ハヤテ"));
    EXPECT_EQ(m->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(m->index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::BackgroundRole).value<QBrush>().color(),
              QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(EntryGridViewTest, DetailTableTallCells) {
    GridView* v = View("StringGrid5");
    const GridModel* m = v->gridModel();
    const QModelIndex horse = m->index(0, 2);
    EXPECT_TRUE(horse.data(GridModel::TallCellRole).toBool());
    EXPECT_TRUE(horse.data(GridModel::BottomRuleRole).toBool());
    // A fixed column, yet drawn white as the core gives it.
    EXPECT_EQ(Background(horse), QColor(Qt::white));
    EXPECT_EQ(horse.data().toString().split('\n').size(), 5);
    const QFont nameFont = horse.data(Qt::FontRole).value<QFont>();
    EXPECT_TRUE(nameFont.bold());
    EXPECT_EQ(nameFont.pointSize(), 10);
    ASSERT_NE(m->linesAt(horse), nullptr);
    EXPECT_EQ(m->linesAt(horse)->at(1).runs.at(1).x, 25);
    EXPECT_EQ(Background(m->index(1, 6)), QColor(0xD5, 0xD5, 0xD5));  // no run in the slot
    EXPECT_EQ(m->linesAt(m->index(1, 6)), nullptr);
    EXPECT_EQ(v->rowHeight(0), 65);
    EXPECT_EQ(m->headerData(5, Qt::Horizontal).toString(), Q("  1走前"));
}

// The delegate paints a tall cell's background, its bottom rule and its text.
TEST_F(EntryGridViewTest, DelegatePaintsTallCells) {
    GridView* v = View("StringGrid5");
    const QModelIndex bracket = v->gridModel()->index(1, 0);  // bracket 3: red, white text
    QImage image(20, 65, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter p(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 20, 65);
    option.font = v->font();
    GridDelegate delegate;
    delegate.paint(&p, option, bracket);
    p.end();
    EXPECT_EQ(image.pixelColor(15, 40), QColor(0xFF, 0, 0));
    EXPECT_EQ(image.pixelColor(10, 64), QColor(Qt::black));
    bool whiteText = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 12; ++x) whiteText = whiteText || image.pixelColor(x, y) == Qt::white;
    EXPECT_TRUE(whiteText);
}

TEST_F(EntryGridViewTest, HandCursorOverTheMarkColumns) {
    GridView* v = View("StringGrid4");
    s.Widget("PageControl5")->show();
    v->show();
    QCoreApplication::processEvents();
    auto moveTo = [&](int col, int row) {
        const QRect r = v->visualRect(v->gridModel()->index(row, col));
        const QPointF at = r.center();
        QMouseEvent move(QEvent::MouseMove, at, v->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(v->viewport(), &move);
        return v->viewport()->cursor().shape();
    };
    EXPECT_EQ(moveTo(24, 0), Qt::PointingHandCursor);
    EXPECT_EQ(moveTo(2, 0), Qt::ArrowCursor);
    EXPECT_EQ(moveTo(26, 1), Qt::PointingHandCursor);
}

TEST_F(EntryGridViewTest, PressesAndClicksReportGridCells) {
    s.Widget("PageControl5")->show();
    GridView* v = View("StringGrid4");
    QSignalSpy pressed(v, &GridView::cellPressed);
    QSignalSpy clicked(v, &GridView::cellClicked);
    const QPoint mark = v->visualRect(v->gridModel()->index(0, 24)).center();
    QTest::mouseClick(v->viewport(), Qt::LeftButton, Qt::NoModifier, mark);
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).toInt(), 24);
    EXPECT_EQ(pressed.at(0).at(1).toInt(), 1);  // grid row 1: the first runner
    QTest::mousePress(v->viewport(), Qt::RightButton, Qt::NoModifier, mark);
    EXPECT_EQ(pressed.count(), 1);  // the right button is the pop-up menu's
    // The press on the mark toggled it and the table was shown afresh, so that release made
    // no click; a click on a name cell is reported.
    QTest::mouseClick(v->viewport(), Qt::LeftButton, Qt::NoModifier,
                      v->visualRect(v->gridModel()->index(0, 2)).center());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 2);
    EXPECT_EQ(clicked.at(0).at(1).toInt(), 1);

    // The detailed table keeps no highlighted cell after the mouse is released.
    GridView* detail = View("StringGrid5");
    detail->show();
    QTest::mouseClick(detail->viewport(), Qt::LeftButton, Qt::NoModifier,
                      detail->visualRect(detail->gridModel()->index(0, 3)).center());
    EXPECT_FALSE(detail->selectionModel()->hasSelection());
}

TEST_F(EntryGridViewTest, PopUpCopyAndFolderCommand) {
    auto* copy = s.window->findChild<QAction*>(QStringLiteral("EntryCopyItem"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(), Q("出馬表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)"));
    copy->trigger();
    EXPECT_NE(s.platform.clipboard.find(Sj("ハヤテ")), std::string::npos);

    s.ui.queueFolder(std::string("/srv/snapshots"));
    s.Action("T3")->trigger();
    EXPECT_EQ(s.shell.settings().ReadString("Dir", "jikeiretu", ""), "/srv/snapshots");
}

}  // namespace
}  // namespace sorvane::testing
