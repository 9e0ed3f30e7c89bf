// The texts of a grid's rows in one arena: splitting at TABs, lengths that need more than one byte,
// non-ASCII text, rewriting one cell among others, texts shared between rows, and records left behind.
#include "platform/qt/row_arena.h"

#include <gtest/gtest.h>

namespace {

using qtplatform::RowArena;

// An arena holding one row made from `tab_text`.
RowArena OneRow(QStringView tab_text, int cols) {
  RowArena arena;
  arena.InsertTabTexts(0, {tab_text.toString()}, cols);
  return arena;
}

TEST(RowArena, SplitsAtTabsDropsExtraFieldsAndLeavesMissingOnesEmpty) {
  const RowArena extra = OneRow(u"a\tb\tc\td\te", 3);
  EXPECT_EQ(extra.Cell(0, 0), "a");
  EXPECT_EQ(extra.Cell(0, 2), "c");
  EXPECT_EQ(extra.Cell(0, 3), "");

  const RowArena fewer = OneRow(u"a\t\tc", 5);
  EXPECT_EQ(fewer.Cell(0, 0), "a");
  EXPECT_EQ(fewer.Cell(0, 1), "");
  EXPECT_EQ(fewer.Cell(0, 2), "c");
  EXPECT_EQ(fewer.Cell(0, 4), "");

  const RowArena trailing = OneRow(u"a\t", 3);
  EXPECT_EQ(trailing.Cell(0, 0), "a");
  EXPECT_EQ(trailing.Cell(0, 1), "");
}

TEST(RowArena, KeepsLongAndNonAsciiCellsWhole) {
  const QString long_text(300, QChar(u'x'));  // its length takes two bytes
  const QString wide = QString::fromUtf8("Grüße \xF0\x9F\x98\x80 end");
  const RowArena row = OneRow(QString(long_text + "\t" + wide + "\tlast"), 3);
  EXPECT_EQ(row.Cell(0, 0), long_text);
  EXPECT_EQ(row.Cell(0, 1), wide);
  EXPECT_EQ(row.Cell(0, 2), "last");
}

TEST(RowArena, SettingOneCellKeepsTheOthers) {
  RowArena row = OneRow(u"one\ttwo\tthree", 3);
  row.SetCell(0, 1, QString(200, QChar(u'y')));
  EXPECT_EQ(row.Cell(0, 0), "one");
  EXPECT_EQ(row.Cell(0, 1), QString(200, QChar(u'y')));
  EXPECT_EQ(row.Cell(0, 2), "three");

  row.SetCell(0, 1, u"");
  EXPECT_EQ(row.Cell(0, 1), "");
  EXPECT_EQ(row.Cell(0, 2), "three");
}

TEST(RowArena, SettingACellPastTheStoredOnesFillsTheGapWithEmptyCells) {
  RowArena row;
  row.Resize(1);
  row.SetCell(0, 3, u"d");
  EXPECT_EQ(row.Cell(0, 0), "");
  EXPECT_EQ(row.Cell(0, 2), "");
  EXPECT_EQ(row.Cell(0, 3), "d");
  row.SetCell(0, 0, u"a\tb");  // a TAB set directly is text, not a split
  EXPECT_EQ(row.Cell(0, 0), "a\tb");
  EXPECT_EQ(row.Cell(0, 3), "d");
}

TEST(RowArena, TruncateDropsTheCellsFromThatColumnOn) {
  RowArena row = OneRow(u"a\tb\tc", 3);
  row.Truncate(1);
  EXPECT_EQ(row.Cell(0, 0), "a");
  EXPECT_EQ(row.Cell(0, 1), "");
  row.SetCell(0, 2, u"z");
  EXPECT_EQ(row.Cell(0, 1), "");
  EXPECT_EQ(row.Cell(0, 2), "z");
}

// Rows of one long path: each row after the first refers to the path's bytes instead of holding them,
// and every row still reads back its own texts, also after rows go in before them.
TEST(RowArena, RowsWithTheSameTextInAColumnShareItsBytes) {
  const QString path = "/a/folder/deep/down/with/a/file/name.txt";
  QStringList texts;
  for (int line = 1; line <= 1000; ++line) texts << path + '\t' + QString::number(line);
  RowArena arena;
  arena.InsertTabTexts(0, texts, 2);
  arena.InsertTabTexts(500, {"other\tx", path + "\ty"}, 2);
  ASSERT_EQ(arena.Rows(), 1002);
  EXPECT_LT(arena.UsedBytes(), std::size_t{1002} * 16);
  EXPECT_EQ(arena.Cell(0, 0), path);
  EXPECT_EQ(arena.Cell(0, 1), "1");
  EXPECT_EQ(arena.Cell(500, 0), "other");
  EXPECT_EQ(arena.Cell(501, 1), "y");
  EXPECT_EQ(arena.Cell(1001, 0), path);
  EXPECT_EQ(arena.Cell(1001, 1), "1000");
}

// A cell written again and again leaves records behind, which are reclaimed: the arena stays near the
// size of what its rows hold, the other rows' texts intact.
TEST(RowArena, RecordsLeftBehindAreReclaimed) {
  RowArena arena;
  arena.InsertTabTexts(0, {"kept text of the first row\tsecond", "row two"}, 2);
  for (int i = 0; i < 20000; ++i) arena.SetCell(1, 1, QString(100, QChar(u'a' + i % 26)));
  EXPECT_LT(arena.UsedBytes(), std::size_t{300} * 1024);
  EXPECT_EQ(arena.Cell(0, 0), "kept text of the first row");
  EXPECT_EQ(arena.Cell(0, 1), "second");
  EXPECT_EQ(arena.Cell(1, 0), "row two");
  EXPECT_EQ(arena.Cell(1, 1), QString(100, QChar(u'a' + 19999 % 26)));
  arena.Resize(0);
  EXPECT_EQ(arena.UsedBytes(), 0u);
}

}  // namespace
