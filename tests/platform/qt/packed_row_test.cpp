// Packing a row's cells into one buffer: splitting at TABs, lengths that need more than one byte,
// non-ASCII text and rewriting one cell among others.
#include "platform/qt/packed_row.h"

#include <gtest/gtest.h>

namespace {

using qtplatform::PackedRow;

TEST(PackedRow, SplitsAtTabsDropsExtraFieldsAndLeavesMissingOnesEmpty) {
  const PackedRow extra = PackedRow::FromTabText(u"a\tb\tc\td\te", 3);
  EXPECT_EQ(extra.Cell(0), "a");
  EXPECT_EQ(extra.Cell(2), "c");
  EXPECT_EQ(extra.Cell(3), "");

  const PackedRow fewer = PackedRow::FromTabText(u"a\t\tc", 5);
  EXPECT_EQ(fewer.Cell(0), "a");
  EXPECT_EQ(fewer.Cell(1), "");
  EXPECT_EQ(fewer.Cell(2), "c");
  EXPECT_EQ(fewer.Cell(4), "");

  const PackedRow trailing = PackedRow::FromTabText(u"a\t", 3);
  EXPECT_EQ(trailing.Cell(0), "a");
  EXPECT_EQ(trailing.Cell(1), "");
}

TEST(PackedRow, KeepsLongAndNonAsciiCellsWhole) {
  const QString long_text(300, QChar(u'x'));  // its length takes two bytes
  const QString wide = QString::fromUtf8("Grüße \xF0\x9F\x98\x80 end");
  const PackedRow row = PackedRow::FromTabText(long_text + '\t' + wide + "\tlast", 3);
  EXPECT_EQ(row.Cell(0), long_text);
  EXPECT_EQ(row.Cell(1), wide);
  EXPECT_EQ(row.Cell(2), "last");
}

TEST(PackedRow, SettingOneCellKeepsTheOthers) {
  PackedRow row = PackedRow::FromTabText(u"one\ttwo\tthree", 3);
  row.SetCell(1, QString(200, QChar(u'y')));
  EXPECT_EQ(row.Cell(0), "one");
  EXPECT_EQ(row.Cell(1), QString(200, QChar(u'y')));
  EXPECT_EQ(row.Cell(2), "three");

  row.SetCell(1, u"");
  EXPECT_EQ(row.Cell(1), "");
  EXPECT_EQ(row.Cell(2), "three");
}

TEST(PackedRow, SettingACellPastTheStoredOnesFillsTheGapWithEmptyCells) {
  PackedRow row;
  row.SetCell(3, u"d");
  EXPECT_EQ(row.Cell(0), "");
  EXPECT_EQ(row.Cell(2), "");
  EXPECT_EQ(row.Cell(3), "d");
  row.SetCell(0, u"a\tb");  // a TAB set directly is text, not a split
  EXPECT_EQ(row.Cell(0), "a\tb");
  EXPECT_EQ(row.Cell(3), "d");
}

TEST(PackedRow, TruncateDropsTheCellsFromThatColumnOn) {
  PackedRow row = PackedRow::FromTabText(u"a\tb\tc", 3);
  row.Truncate(1);
  EXPECT_EQ(row.Cell(0), "a");
  EXPECT_EQ(row.Cell(1), "");
  row.SetCell(2, u"z");
  EXPECT_EQ(row.Cell(1), "");
  EXPECT_EQ(row.Cell(2), "z");
}

}  // namespace
