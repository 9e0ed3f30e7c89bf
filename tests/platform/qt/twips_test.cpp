// Twips and pixels at 96 and 192 dots per inch, and the grid's sizes going through them.
#include "platform/qt/twips.h"

#include <gtest/gtest.h>

#include "tests/platform/qt/grid_window.h"

namespace {

using qtplatform::LogicalDpi;
using qtplatform::PixelsToTwips;
using qtplatform::TwipsToPixels;

TEST(Twips, ConvertAtTheGivenDpiRoundingToTheNearest) {
  EXPECT_EQ(TwipsToPixels(1440, 96), 96);
  EXPECT_EQ(TwipsToPixels(1440, 192), 192);
  EXPECT_EQ(TwipsToPixels(2150, 96), 143);   // 143.33
  EXPECT_EQ(TwipsToPixels(2150, 192), 287);  // 286.67
  EXPECT_EQ(TwipsToPixels(7, 96), 0);
  EXPECT_EQ(TwipsToPixels(8, 96), 1);
  EXPECT_EQ(PixelsToTwips(96, 96), 1440);
  EXPECT_EQ(PixelsToTwips(1, 192), 8);  // 7.5
  EXPECT_EQ(PixelsToTwips(143, 96), 2145);
}

TEST(Twips, WidgetWithoutScreenDpiFallsBackToTheOffscreenScreen) {
  QWidget widget;
  const LogicalDpi dpi = qtplatform::LogicalDpiOf(&widget);
  EXPECT_GT(dpi.x, 0);
  EXPECT_GT(dpi.y, 0);
  EXPECT_EQ(qtplatform::TwipsToPixelsX(1440, &widget), TwipsToPixels(1440, dpi.x));
  EXPECT_EQ(qtplatform::PixelsToTwipsY(96, &widget), PixelsToTwips(96, dpi.y));
}

class GridTwips : public testing::TestWithParam<double> {};

TEST_P(GridTwips, ColumnWidthsAndRowHeightsUseTheGridsDpi) {
  const double dpi = GetParam();
  kx::test::GridWindow window;
  qtplatform::FlexGrid& grid = window.Grid();
  grid.SetLogicalDpi(LogicalDpi{dpi, dpi});
  grid.SetCols(4);
  grid.SetRows(3);

  ASSERT_TRUE(grid.SetColWidth(0, 2150));
  EXPECT_EQ(grid.columnWidth(0), TwipsToPixels(2150, dpi));
  EXPECT_EQ(grid.ColWidth(0), 2150) << "a width set and left alone reads back as set";

  grid.setColumnWidth(0, 200);  // as a user dragging the column edge
  EXPECT_EQ(grid.ColWidth(0), PixelsToTwips(200, dpi));

  ASSERT_TRUE(grid.SetRowHeight(2, 720));
  EXPECT_EQ(grid.rowHeight(1), TwipsToPixels(720, dpi));
  EXPECT_EQ(grid.RowHeight(2), 720);
  EXPECT_NE(grid.RowHeight(1), 720) << "only the row asked for changes";
}

INSTANTIATE_TEST_SUITE_P(Dpi, GridTwips, testing::Values(96.0, 192.0));

}  // namespace
