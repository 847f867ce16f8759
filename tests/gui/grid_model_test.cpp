// The grid model: Shift-JIS texts shown as Unicode, the style roles, the heading row, and the
// snapshot that changes only at a refresh after the grid's revision moved.
#include <gtest/gtest.h>

#include <QBrush>
#include <QFont>
#include <QSignalSpy>

#include "base/sjis.h"
#include "grid_model.h"

namespace sorvane {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

Grid SmallGrid() {
    Grid g("G", 3, 3);
    g.SetFixed(1, 1);
    g.SetText(0, 0, Sj("枠"));
    g.SetText(1, 0, Sj("馬名"));
    g.SetText(1, 1, Sj("ハヤテ"));
    g.SetText(2, 2, "12.5");
    g.SetStyle(2, 2, CellStyle{0xFF00FF, 0x0000FF, true, Align::Right});
    return g;
}

TEST(GridModelTest, ShowsDataRowsBelowTheHeadingRow) {
    Grid g = SmallGrid();
    GridModel m(g);
    EXPECT_EQ(m.headerRows(), 1);
    EXPECT_EQ(m.rowCount(), 2);
    EXPECT_EQ(m.columnCount(), 3);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), Q("枠"));
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), Q("馬名"));
    EXPECT_EQ(m.headerData(2, Qt::Horizontal).toString(), QString());
    EXPECT_EQ(m.index(0, 1).data().toString(), Q("ハヤテ"));  // grid row 1
    EXPECT_EQ(m.index(1, 2).data().toString(), Q("12.5"));    // grid row 2
    EXPECT_EQ(m.gridRow(1), 2);
    EXPECT_EQ(m.modelRow(2), 1);
    EXPECT_FALSE(m.index(2, 0).isValid());
    EXPECT_FALSE(m.flags(m.index(0, 0)) & Qt::ItemIsEditable);
}

TEST(GridModelTest, StyleRolesFollowTheCellStyle) {
    Grid g = SmallGrid();
    GridModel m(g);
    const QModelIndex styled = m.index(1, 2);
    EXPECT_EQ(styled.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0xFF, 0x00, 0xFF));
    EXPECT_EQ(styled.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0x00, 0x00, 0xFF));
    EXPECT_TRUE(styled.data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(styled.data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);

    const QModelIndex plain = m.index(0, 1);
    EXPECT_EQ(plain.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));
    EXPECT_EQ(plain.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
    EXPECT_FALSE(plain.data(Qt::FontRole).isValid());
    EXPECT_EQ(plain.data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignLeft | Qt::AlignVCenter);

    // A fixed column the core left uncoloured looks like a fixed cell; a coloured one keeps
    // its colour.
    EXPECT_EQ(m.index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(0xF0, 0xF0, 0xF0));
    g.SetStyle(0, 1, CellStyle{0x00FF7F, kColorText, false, Align::Center});
    m.refresh();
    EXPECT_EQ(m.index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(0x00, 0xFF, 0x7F));
}

TEST(GridModelTest, GridWithoutFixedRowsShowsEveryRow) {
    Grid g("G", 2, 3);
    g.SetFixed(0, 0);
    g.SetText(0, 0, "a");
    GridModel m(g);
    EXPECT_EQ(m.headerRows(), 0);
    EXPECT_EQ(m.rowCount(), 3);
    EXPECT_EQ(m.index(0, 0).data().toString(), Q("a"));
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toInt(), 2);  // plain section numbers
}

TEST(GridModelTest, RefreshResetsOnlyWhenTheGridChanged) {
    Grid g = SmallGrid();
    GridModel m(g);
    QSignalSpy resets(&m, &QAbstractItemModel::modelReset);

    EXPECT_FALSE(m.refresh());
    EXPECT_EQ(resets.count(), 0);

    g.SetText(1, 1, Sj("ミナミ"));
    g.SetRowCount(5);
    // Views keep reading the snapshot until the refresh.
    EXPECT_EQ(m.rowCount(), 2);
    EXPECT_EQ(m.index(0, 1).data().toString(), Q("ハヤテ"));
    EXPECT_TRUE(m.refresh());
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(m.rowCount(), 4);
    EXPECT_EQ(m.index(0, 1).data().toString(), Q("ミナミ"));

    // Shrinking to nothing leaves no rows and no heading to read out of range.
    g.Resize(0, 0);
    EXPECT_TRUE(m.refresh());
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_EQ(m.columnCount(), 0);
    EXPECT_FALSE(m.headerData(0, Qt::Horizontal).isValid());
}

TEST(GridModelTest, BrokenShiftJisShowsReplacementInsteadOfFailing) {
    Grid g("G", 1, 2);
    g.SetText(0, 1, std::string("A\x82", 2));  // a lead byte without its trail byte
    GridModel m(g);
    const QString shown = m.index(0, 0).data().toString();
    EXPECT_TRUE(shown.startsWith(QLatin1Char('A')));
    EXPECT_TRUE(shown.contains(QChar(0xFFFD)));
}

}  // namespace
}  // namespace sorvane
