// The grid's counts and cells: adding rows from TAB-separated text, the fixed header row, changing the
// counts, clearing, and a million rows added in batches.
#include <gtest/gtest.h>

#include <QHeaderView>

#include "platform/qt/flex_grid.h"
#include "tests/platform/qt/grid_window.h"

namespace {

using qtplatform::FlexGrid;

class GridContent : public testing::Test {
 protected:
  void SetUp() override { kx::test::MakeResultsGrid(grid_); }

  QString Shown(int table_row, int col) { return grid_.model()->index(table_row, col).data().toString(); }

  kx::test::GridWindow window_;
  FlexGrid& grid_ = window_.Grid();
};

TEST_F(GridContent, NewGridHasTheComponentsDefaultShape) {
  FlexGrid grid;
  EXPECT_EQ(grid.Rows(), 2);
  EXPECT_EQ(grid.Cols(), 2);
  EXPECT_EQ(grid.FixedRows(), 1);
  EXPECT_EQ(grid.FixedCols(), 1);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_EQ(grid.Col(), 1);
}

TEST_F(GridContent, HeaderRowIsTheColumnHeaderAndDoesNotScroll) {
  EXPECT_EQ(grid_.Rows(), 1);
  EXPECT_EQ(grid_.model()->rowCount(), 0);
  EXPECT_FALSE(grid_.horizontalHeader()->isHidden());
  EXPECT_EQ(grid_.model()->headerData(3, Qt::Horizontal).toString(), "Item Found");
  EXPECT_EQ(grid_.TextMatrix(0, 1), "Line");
}

TEST_F(GridContent, AddItemSplitsAtTabsDroppingExtraFieldsAndLeavingMissingOnesEmpty) {
  ASSERT_TRUE(grid_.AddItem("/a/b.txt\t12\t3\tfound\tbeyond"));
  ASSERT_TRUE(grid_.AddItem("/c.txt\t7"));
  EXPECT_EQ(grid_.Rows(), 3);
  EXPECT_EQ(grid_.TextMatrix(1, 0), "/a/b.txt");
  EXPECT_EQ(grid_.TextMatrix(1, 3), "found");
  EXPECT_EQ(grid_.TextMatrix(2, 1), "7");
  EXPECT_EQ(grid_.TextMatrix(2, 2), "");
  EXPECT_EQ(grid_.TextMatrix(2, 3), "");
  EXPECT_EQ(Shown(0, 3), "found") << "grid row 1 is the table's first row";
}

TEST_F(GridContent, AddItemAtAnIndexInsertsBeforeThatRow) {
  grid_.AddItems({"first", "third"});
  ASSERT_TRUE(grid_.AddItem("second", 2));
  ASSERT_TRUE(grid_.AddItem("last", grid_.Rows()));
  EXPECT_EQ(grid_.TextMatrix(1, 0), "first");
  EXPECT_EQ(grid_.TextMatrix(2, 0), "second");
  EXPECT_EQ(grid_.TextMatrix(3, 0), "third");
  EXPECT_EQ(grid_.TextMatrix(4, 0), "last");
}

TEST_F(GridContent, AddItemRefusesTheFixedRowAndIndexesPastTheEnd) {
  EXPECT_FALSE(grid_.AddItem("x", 0));
  EXPECT_FALSE(grid_.AddItem("x", 2));
  EXPECT_FALSE(grid_.AddItem("x", -2));
  EXPECT_EQ(grid_.Rows(), 1);
  EXPECT_EQ(grid_.TextMatrix(0, 0), "File");
}

TEST_F(GridContent, TextMatrixOutsideTheGridIsEmptyAndCannotBeSet) {
  EXPECT_EQ(grid_.TextMatrix(1, 0), "");
  EXPECT_EQ(grid_.TextMatrix(0, 4), "");
  EXPECT_FALSE(grid_.SetTextMatrix(1, 0, "x"));
  EXPECT_FALSE(grid_.SetTextMatrix(0, -1, "x"));
}

TEST_F(GridContent, RowsCanShrinkToTheFixedRowsButNotBelow) {
  grid_.AddItems({"a", "b", "c"});
  ASSERT_TRUE(grid_.SetRows(2));
  EXPECT_EQ(grid_.TextMatrix(1, 0), "a");
  EXPECT_EQ(grid_.TextMatrix(2, 0), "");
  EXPECT_FALSE(grid_.SetRows(0));
  EXPECT_EQ(grid_.Rows(), 2);
  ASSERT_TRUE(grid_.SetRows(4));
  EXPECT_EQ(grid_.TextMatrix(3, 0), "") << "new rows start empty";
}

TEST_F(GridContent, ColumnsRemovedAndAddedAgainComeBackEmpty) {
  grid_.AddItem("a\tb\tc\td");
  ASSERT_TRUE(grid_.SetCols(2));
  ASSERT_TRUE(grid_.SetCols(4));
  EXPECT_EQ(grid_.TextMatrix(1, 1), "b");
  EXPECT_EQ(grid_.TextMatrix(1, 2), "");
  EXPECT_EQ(grid_.TextMatrix(0, 3), "");
}

TEST_F(GridContent, ClearEmptiesEveryCellButKeepsTheCounts) {
  grid_.AddItems({"a\tb", "c\td"});
  grid_.Clear();
  EXPECT_EQ(grid_.Rows(), 3);
  EXPECT_EQ(grid_.Cols(), 4);
  EXPECT_EQ(grid_.TextMatrix(0, 0), "");
  EXPECT_EQ(grid_.TextMatrix(2, 1), "");
}

// The viewer's use: no fixed rows, emptied down to no rows and filled again.
TEST_F(GridContent, WithoutFixedRowsRowZeroIsAnOrdinaryRow) {
  ASSERT_TRUE(grid_.SetFixedRows(0));
  EXPECT_TRUE(grid_.horizontalHeader()->isHidden());
  EXPECT_EQ(Shown(0, 0), "File") << "the former header is now the first table row";
  grid_.Clear();
  ASSERT_TRUE(grid_.SetRows(0));
  ASSERT_TRUE(grid_.AddItem("line 1"));
  EXPECT_EQ(grid_.TextMatrix(0, 0), "line 1");
  EXPECT_EQ(Shown(0, 0), "line 1");
}

TEST_F(GridContent, FixedRowsAreAtMostOneAndNeedARow) {
  EXPECT_FALSE(grid_.SetFixedRows(2));
  ASSERT_TRUE(grid_.SetFixedRows(0));
  ASSERT_TRUE(grid_.SetRows(0));
  EXPECT_FALSE(grid_.SetFixedRows(1));
  EXPECT_FALSE(grid_.SetCols(-1));
}

TEST_F(GridContent, AMillionRowsAddedInBatchesAreAllThere) {
  constexpr int kRows = 1'000'000;
  constexpr int kBatch = 10'000;
  grid_.SetRedraw(false);
  for (int first = 0; first < kRows; first += kBatch) {
    QStringList batch;
    batch.reserve(kBatch);
    for (int i = first; i < first + kBatch; ++i) {
      batch.append(
          QStringLiteral("/data/folder/file%1.txt\t%2\t%3\ttext found %1").arg(i).arg(i % 997).arg(i % 80));
    }
    ASSERT_TRUE(grid_.AddItems(batch));
  }
  grid_.SetRedraw(true);

  ASSERT_EQ(grid_.Rows(), kRows + 1);
  ASSERT_EQ(grid_.model()->rowCount(), kRows);
  for (const int i : {0, 9'999, 10'000, 123'456, kRows - 1}) {
    EXPECT_EQ(grid_.TextMatrix(i + 1, 0), QStringLiteral("/data/folder/file%1.txt").arg(i));
    EXPECT_EQ(grid_.TextMatrix(i + 1, 1), QString::number(i % 997));
    EXPECT_EQ(grid_.TextMatrix(i + 1, 3), QStringLiteral("text found %1").arg(i));
  }
  EXPECT_EQ(Shown(kRows - 1, 2), QString::number((kRows - 1) % 80));

  ASSERT_TRUE(grid_.SetTopRow(kRows));
  EXPECT_GT(grid_.TopRow(), kRows - 100);
  EXPECT_LE(grid_.TopRow(), kRows);
  const int last_top = grid_.rowViewportPosition(kRows - 1);
  EXPECT_GE(last_top, 0) << "the last row is in view";
  EXPECT_LE(last_top + grid_.rowHeight(kRows - 1), grid_.viewport()->height());
}

}  // namespace
