// The hit viewer's grid filled with the lines around a finding, from real files.
#include <gtest/gtest.h>

#include "desktop/frame/text_helpers.h"
#include "desktop/search/file_around_line.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrix {
namespace {

class Viewer : public ::testing::Test {
 protected:
  Viewer() {
    grid_.SetFixedRows(0);
    grid_.SetFixedCols(0);
    grid_.SetCols(1);
    grid_.resize(400, 300);
  }

  // A file of `count` lines "line 1" ... joined by `end`.
  std::string Lines(int count, const std::string& end = "\n") {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + end;
    return folder_.Write("lines.txt", text);
  }

  kx::test::TempFolder folder_;
  qtplatform::FlexGrid grid_;
  QStringList messages_;
  const qtplatform::ScopedMessagePresenter presenter_{
      [this](QWidget*, const QString& text, const QString&, qtplatform::MessageButtons) {
        messages_ << text;
        return qtplatform::MessageAnswer::kOk;
      }};
};

TEST_F(Viewer, TheFirstLineShowsTheFirstHundredLinesFromTheTop) {
  LoadFileAroundLine(grid_, Lines(1000), 1);
  EXPECT_EQ(grid_.Rows(), 100);
  EXPECT_EQ(grid_.TextMatrix(0, 0), "\"line 1\"");
  EXPECT_EQ(grid_.TopRow(), 0);
  EXPECT_EQ(grid_.Row(), 0);
  EXPECT_TRUE(grid_.CellFontBold());
}

TEST_F(Viewer, ALineInTheMiddleShowsNinetyNineLinesEitherSide) {
  LoadFileAroundLine(grid_, Lines(1000), 500);
  EXPECT_EQ(grid_.Rows(), 199);
  EXPECT_EQ(grid_.TextMatrix(0, 0), "\"line 401\"");
  EXPECT_EQ(grid_.TextMatrix(198, 0), "\"line 599\"");
  EXPECT_EQ(grid_.Row(), 99);
  EXPECT_EQ(grid_.TextMatrix(99, 0), "\"line 500\"");
  EXPECT_EQ(grid_.TopRow(), 96);
}

TEST_F(Viewer, LinesAreCountedAsTheSearchCountsThem) {
  for (const std::string end : {"\r\n", "\r", "\n"}) {
    LoadFileAroundLine(grid_, Lines(300, end), 150);
    EXPECT_EQ(grid_.TextMatrix(grid_.Row(), 0), "\"line 150\"") << int(end[0]);
  }
  folder_.Write("mixed.txt", "a\n\nb\r\rc\r\nd");
  LoadFileAroundLine(grid_, folder_ / "mixed.txt", 6);
  EXPECT_EQ(grid_.Rows(), 6);
  EXPECT_EQ(grid_.TextMatrix(grid_.Row(), 0), "\"d\"");
  EXPECT_EQ(grid_.TextMatrix(1, 0), "\"\"");
}

// Lines longer than a read block, each end falling on a block's edge, are counted right and cut.
TEST_F(Viewer, LongLinesAreCutAndCountedAcrossReadBlocks) {
  const std::string first(65535, 'x'), second(200000, 'y');
  for (const std::string end : {"\r\n", "\r", "\n"}) {
    folder_.Write("long.txt", first + end + second + end + "z" + end);
    LoadFileAroundLine(grid_, folder_ / "long.txt", 3);
    ASSERT_EQ(grid_.Rows(), 3) << int(end[0]);
    EXPECT_EQ(grid_.Row(), 2);
    EXPECT_EQ(grid_.TextMatrix(2, 0), "\"z\"");
    EXPECT_EQ(grid_.TextMatrix(0, 0).toStdString(), MakeCutDisplayLiteral(first, first.size()));
    EXPECT_EQ(grid_.TextMatrix(1, 0).toStdString(), MakeCutDisplayLiteral(second, second.size()));
  }
}

TEST_F(Viewer, ALinePastTheEndMarksNoLineAndShowsTheTop) {
  LoadFileAroundLine(grid_, Lines(50), 120);
  EXPECT_EQ(grid_.Rows(), 30);  // lines 21 to 50
  EXPECT_EQ(grid_.TopRow(), 0);
  EXPECT_EQ(grid_.Row(), 3);
  LoadFileAroundLine(grid_, Lines(2), 40);  // no row 3 at all: nothing is marked
  EXPECT_EQ(grid_.Rows(), 2);
  EXPECT_FALSE(grid_.CellFontBold());
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(Viewer, AMissingFileIsReportedAndLeavesTheGridEmpty) {
  Lines(10);
  LoadFileAroundLine(grid_, Lines(10), 5);
  LoadFileAroundLine(grid_, folder_ / "gone.txt", 5);
  EXPECT_EQ(grid_.Rows(), 0);
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_EQ(messages_[0],
            QString::fromStdString("File Name:  " + folder_ / "gone.txt" + "  Not Found or can't open!"));
}

TEST_F(Viewer, ControlCharactersAreShownByName) {
  folder_.Write("odd.txt", std::string("a\tb\0c\n", 6));
  LoadFileAroundLine(grid_, folder_ / "odd.txt", 1);
  EXPECT_EQ(grid_.TextMatrix(0, 0), "\"a\" &   \"b\" & vbNullChar & \"c\"");
}

}  // namespace
}  // namespace kestrix
