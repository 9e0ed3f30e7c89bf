// The current cell, the top row, the look of the current cell, redraw and the double click.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QSignalSpy>
#include <QTest>

#include "platform/qt/flex_grid.h"
#include "tests/platform/qt/grid_window.h"

namespace {

using qtplatform::FlexGrid;

class GridCurrent : public testing::Test {
 protected:
  void SetUp() override {
    kx::test::MakeResultsGrid(grid_);
    QStringList rows;
    for (int i = 1; i <= 200; ++i) rows.append(QStringLiteral("file%1\t%1\t1\tfound").arg(i));
    grid_.AddItems(rows);
  }

  // What the view is given for a grid cell below the header row.
  QVariant Shown(int row, int col, int role) { return grid_.model()->index(row - 1, col).data(role); }
  bool ShownBold(int row, int col) { return Shown(row, col, Qt::FontRole).value<QFont>().bold(); }

  kx::test::GridWindow window_;
  FlexGrid& grid_ = window_.Grid();
};

TEST_F(GridCurrent, RowAndColRoundTripAndBecomeTheViewsCurrentCell) {
  ASSERT_TRUE(grid_.SetRow(5));
  ASSERT_TRUE(grid_.SetCol(2));
  EXPECT_EQ(grid_.Row(), 5);
  EXPECT_EQ(grid_.Col(), 2);
  EXPECT_EQ(grid_.currentIndex(), grid_.model()->index(4, 2));

  grid_.setCurrentIndex(grid_.model()->index(9, 3));  // as the user moving with keys or mouse
  EXPECT_EQ(grid_.Row(), 10);
  EXPECT_EQ(grid_.Col(), 3);
}

TEST_F(GridCurrent, RowsAndColumnsOutsideTheGridAreRefused) {
  grid_.SetRow(5);
  grid_.SetCol(2);
  EXPECT_FALSE(grid_.SetRow(grid_.Rows()));
  EXPECT_FALSE(grid_.SetRow(-1));
  EXPECT_FALSE(grid_.SetCol(4));
  EXPECT_EQ(grid_.Row(), 5);
  EXPECT_EQ(grid_.Col(), 2);
}

TEST_F(GridCurrent, TheHeaderRowCanBeCurrentWithoutAViewCell) {
  ASSERT_TRUE(grid_.SetRow(0));
  EXPECT_EQ(grid_.Row(), 0);
  EXPECT_FALSE(grid_.currentIndex().isValid());
  grid_.SetCol(3);
  ASSERT_TRUE(grid_.SetCellFontBold(true));
  EXPECT_TRUE(grid_.model()->headerData(3, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
  EXPECT_FALSE(ShownBold(1, 3));
}

TEST_F(GridCurrent, RemovingTheCurrentRowMovesToTheLastRowOrToNone) {
  grid_.SetRow(150);
  grid_.SetRows(100);
  EXPECT_EQ(grid_.Row(), 99);
  grid_.SetRows(1);
  EXPECT_EQ(grid_.Row(), -1) << "only the header row is left, and it was not made current";
  EXPECT_FALSE(grid_.SetCellFontBold(true)) << "no current cell to format";
}

TEST_F(GridCurrent, ByRowSelectionSelectsTheWholeCurrentRow) {
  grid_.SetSelectionModeByRow(true);
  grid_.SetRow(7);
  EXPECT_TRUE(grid_.selectionModel()->isRowSelected(6, QModelIndex()));
  grid_.SetRow(8);
  EXPECT_FALSE(grid_.selectionModel()->isRowSelected(6, QModelIndex()));
}

TEST_F(GridCurrent, TopRowRoundTripsRightAfterRowsAreAdded) {
  // No event processing between the fill and the scroll, as when the viewer loads a file.
  grid_.AddItems({"a", "b", "c"});
  ASSERT_TRUE(grid_.SetTopRow(96));
  EXPECT_EQ(grid_.TopRow(), 96);
  EXPECT_EQ(grid_.rowAt(0), 95);
  ASSERT_TRUE(grid_.SetTopRow(1));
  EXPECT_EQ(grid_.TopRow(), 1);
}

TEST_F(GridCurrent, TopRowStopsAtTheEndAndRefusesRowsOutsideTheGrid) {
  ASSERT_TRUE(grid_.SetTopRow(grid_.Rows() - 1));
  const int last_top = grid_.TopRow();
  EXPECT_LT(last_top, grid_.Rows() - 1) << "the view is taller than one row, so it stops short";
  EXPECT_GT(last_top, 1);
  EXPECT_FALSE(grid_.SetTopRow(grid_.Rows()));
  EXPECT_FALSE(grid_.SetTopRow(-1));
  EXPECT_EQ(grid_.TopRow(), last_top);
  ASSERT_TRUE(grid_.SetTopRow(0)) << "the header row scrolls to the first row";
  EXPECT_EQ(grid_.TopRow(), 1);
}

TEST_F(GridCurrent, CellLookLandsOnTheCurrentCellOnly) {
  grid_.SetRow(3);
  grid_.SetCol(1);
  ASSERT_TRUE(grid_.SetCellFontBold(true));
  ASSERT_TRUE(grid_.SetCellBackColor(0xFFFFFF));
  ASSERT_TRUE(grid_.SetCellForeColor(0x0000FF));  // red, as Windows writes it

  EXPECT_TRUE(grid_.CellFontBold());
  EXPECT_TRUE(ShownBold(3, 1));
  EXPECT_EQ(Shown(3, 1, Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 255, 255));
  EXPECT_EQ(Shown(3, 1, Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
  for (const auto& [row, col] : {std::pair{3, 0}, {3, 2}, {2, 1}, {4, 1}}) {
    EXPECT_FALSE(ShownBold(row, col)) << row << "," << col;
    EXPECT_FALSE(Shown(row, col, Qt::ForegroundRole).isValid()) << row << "," << col;
  }
  grid_.SetRow(4);
  EXPECT_FALSE(grid_.CellFontBold());
}

TEST_F(GridCurrent, ColoursAreReadAsBlueGreenRed) {
  grid_.SetRow(2);
  grid_.SetCol(0);
  grid_.SetCellBackColor(0x00336699);
  EXPECT_EQ(Shown(2, 0, Qt::BackgroundRole).value<QBrush>().color(), QColor(0x99, 0x66, 0x33));
  grid_.SetCellBackColor(0x80000005);  // a system colour: back to the grid's own
  EXPECT_FALSE(Shown(2, 0, Qt::BackgroundRole).isValid());
}

TEST_F(GridCurrent, CellLookStaysWithItsRowWhenRowsGoInAboveIt) {
  grid_.SetRow(3);
  grid_.SetCol(2);
  grid_.SetCellFontBold(true);
  grid_.SetCellForeColor(0x0000FF);
  ASSERT_TRUE(grid_.AddItems({"new 1", "new 2"}, 1));

  EXPECT_EQ(grid_.TextMatrix(5, 0), "file3");
  EXPECT_TRUE(ShownBold(5, 2));
  EXPECT_TRUE(Shown(5, 2, Qt::ForegroundRole).isValid());
  EXPECT_FALSE(ShownBold(3, 2));
  EXPECT_EQ(grid_.Row(), 5) << "the current cell moves with its row too";
}

TEST_F(GridCurrent, ClearDropsTheCellLooks) {
  grid_.SetRow(3);
  grid_.SetCellFontBold(true);
  grid_.Clear();
  EXPECT_FALSE(grid_.CellFontBold());
}

// Counts the paint events reaching a widget.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST_F(GridCurrent, RedrawOffHoldsPaintingAndOnPaintsTheChanges) {
  PaintCounter counter;
  grid_.viewport()->installEventFilter(&counter);
  QApplication::processEvents();

  grid_.SetRedraw(false);
  EXPECT_FALSE(grid_.Redraw());
  counter.paints = 0;
  grid_.SetTopRow(50);
  grid_.SetTextMatrix(50, 0, "changed");
  QApplication::processEvents();
  EXPECT_EQ(counter.paints, 0);
  EXPECT_EQ(grid_.TextMatrix(50, 0), "changed") << "changes still land while painting is held";

  grid_.SetRedraw(true);
  QApplication::processEvents();
  EXPECT_GE(counter.paints, 1);
  EXPECT_TRUE(grid_.viewport()->updatesEnabled());
}

TEST_F(GridCurrent, DoubleClickMakesTheCellCurrentBeforeItIsReported) {
  QSignalSpy double_clicks(&grid_, &FlexGrid::DblClick);
  const QRect cell = grid_.visualRect(grid_.model()->index(2, 1));
  QTest::mouseDClick(grid_.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  EXPECT_EQ(double_clicks.count(), 1);
  EXPECT_EQ(grid_.Row(), 3);
  EXPECT_EQ(grid_.Col(), 1);
}

TEST_F(GridCurrent, ALargerFontGivesTallerRows) {
  const int before = grid_.rowHeight(0);
  QFont font = grid_.font();
  font.setPointSizeF(font.pointSizeF() * 3);
  grid_.setFont(font);
  EXPECT_GT(grid_.rowHeight(0), before);
}

}  // namespace
