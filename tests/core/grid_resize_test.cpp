// Grid shape changes keep the cells that still fit and start new ones empty.
#include <gtest/gtest.h>

#include "shell/grid.h"

namespace sorvane {
namespace {

TEST(GridResize, KeepsTheCellsThatFit) {
    Grid g("G", 3, 2);
    g.SetText(2, 1, "x");
    g.SetStyle(2, 1, CellStyle{0x123456, 0, true, Align::Right});
    for (int rows = 3; rows <= 500; ++rows) g.SetRowCount(rows);  // row by row
    EXPECT_EQ(g.Text(2, 1), "x");
    EXPECT_TRUE(g.At(2, 1).style.bold);
    EXPECT_EQ(g.Text(2, 499), "");
    g.SetText(0, 499, "last");
    g.SetRowCount(2);  // rows dropped at the end
    g.SetRowCount(500);
    EXPECT_EQ(g.Text(0, 499), "");
    EXPECT_EQ(g.Text(2, 1), "x");
    g.Resize(2, 2);  // a column fewer: the others stay in place
    g.Resize(3, 2);
    EXPECT_EQ(g.Text(2, 1), "");
    g.SetText(1, 1, "y");
    g.Resize(4, 3);
    EXPECT_EQ(g.Text(1, 1), "y");
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.ColCount(), 4);
}

}  // namespace
}  // namespace sorvane
