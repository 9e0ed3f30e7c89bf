// The hit viewer with a file that gained lines of megabytes after the search: a double click shows the
// lines around the finding as for any file, each long line cut with a mark that says so, in rows of a
// bounded height, and a maximised window lays them out again the same way.
#include "platform/qt/twips.h"
#include "tests/desktop/search/search_window_fixture.h"

namespace kestrix::test {
namespace {

constexpr qsizetype kMostShown = 1030;  // the characters a row shows of a line, its cut mark included

class HitViewer : public SearchWindowTest {
 protected:
  void DoubleClickRow(int row) {
    qtplatform::FlexGrid& grid = Results();
    const QPoint where = grid.visualRect(grid.model()->index(row - 1, 0)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, where);
  }
  qtplatform::FlexGrid& Viewer() const { return Named<qtplatform::FlexGrid>("msfgFileWithHit"); }

  // The viewer shows lines 51 to 249 with line 150 marked; rows 98 and 99 (lines 149 and 150) are cut,
  // each no higher than the viewer.
  void ExpectCutLinesAroundTheMark() {
    ASSERT_EQ(Viewer().Rows(), 199);
    EXPECT_EQ(Viewer().Row(), 99);
    EXPECT_TRUE(Viewer().CellFontBold());
    EXPECT_EQ(Viewer().TextMatrix(0, 0), "\"plain line 51\"");
    EXPECT_TRUE(Viewer().TextMatrix(99, 0).startsWith("\"the needle xxx"));
    const int viewer_height = qtplatform::PixelsToTwipsY(Viewer().viewport()->height(), &Viewer());
    for (const int row : {98, 99}) {
      const QString text = Viewer().TextMatrix(row, 0);
      EXPECT_TRUE(text.endsWith(" bytes more)")) << row;
      EXPECT_LE(text.size(), kMostShown) << row;
      EXPECT_GT(Viewer().RowHeight(row), Viewer().RowHeight(0)) << row;  // wrapped
      EXPECT_LT(Viewer().RowHeight(row), viewer_height) << row;
    }
  }
};

std::string Lines(int from, int to) {
  std::string body;
  for (int line = from; line <= to; ++line) body += "plain line " + std::to_string(line) + "\n";
  return body;
}

TEST_F(HitViewer, LinesOfMegabytesAreCutAndMarkedAtEverySize) {
  const std::string path = folder_.Write("huge/a.txt", Lines(1, 149) + "the needle\n" + Lines(151, 300));
  RunSearch({.folder = QString::fromStdString(folder_ / "huge"), .text = "needle"});
  ASSERT_EQ(Results().Rows(), 2);
  folder_.Write("huge/a.txt", Lines(1, 148) + std::string(200'000, '\t') + "\n" + "the needle " +
                                  std::string(3 << 20, 'x') + "\n" + Lines(151, 300));
  DoubleClickRow(1);
  EXPECT_EQ(Viewer().TopRow(), 96);
  ExpectCutLinesAroundTheMark();
  window_->SubWindow()->showMaximized();
  ASSERT_TRUE(WaitUntil([this] { return window_->SubWindow()->size() == area_.viewport()->size(); }));
  ExpectCutLinesAroundTheMark();
}

}  // namespace
}  // namespace kestrix::test
