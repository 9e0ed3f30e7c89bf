// The copy of findings into the results grid: every finding once and in record order, the count on
// status panel 2 while the copy runs, and an abort or a new search in the middle of a long copy.
#include <QElapsedTimer>
#include <functional>

#include "desktop/search/zarn_control.h"
#include "tests/desktop/search/search_window_fixture.h"

namespace kestrix::test {
namespace {

class SearchWindowCopy : public SearchWindowTest {
 protected:
  // `files` files of `lines` lines, every line holding "needle" once after a text of its own.
  std::string MakeTree(int files, int lines) {
    const std::string root = folder_.MakeFolder("tree");
    for (int file = 0; file < files; ++file) {
      std::string body;
      for (int line = 1; line <= lines; ++line)
        body += "f" + std::to_string(file) + " l" + std::to_string(line) + " needle " + std::to_string(line) +
                "\n";
      folder_.Write("tree/f" + std::to_string(file) + ".txt", body);
    }
    return root;
  }

  // The rows after the header are the control's records 0, 1, 2, ..., each once, all four columns.
  void ExpectRowsAreTheRecordsInOrder(int records) {
    ZarnControl& control = Named<ZarnControl>("Zarn1");
    ASSERT_EQ(Results().Rows(), records + 1);
    Finding finding;
    for (int record = 0; record < records; ++record) {
      ASSERT_TRUE(control.GetFileData(record, finding));
      const int row = record + 1;
      ASSERT_EQ(Results().TextMatrix(row, 0), finding.path) << "row " << row;
      ASSERT_EQ(Results().TextMatrix(row, 1), QString::number(finding.line)) << "row " << row;
      ASSERT_EQ(Results().TextMatrix(row, 2), QString::number(finding.column)) << "row " << row;
      ASSERT_EQ(Results().TextMatrix(row, 3), finding.text) << "row " << row;
    }
  }

  // Runs `act` from the event loop once, in the first pass where the copy after the scan (Show all
  // findings at end: Timer1 already stopped) has counted at least `shown` findings.
  void DuringTheCopyAfterTheScan(int shown, std::function<void()> act) {
    auto* watch = new QTimer(window_);
    QObject::connect(watch, &QTimer::timeout, watch, [this, watch, shown, act] {
      if (Named<QTimer>("Timer1").isActive() || Panel(kHitCountPanel).toInt() < shown) return;
      watch->stop();
      act();
    });
    watch->start(0);
  }
};

TEST_F(SearchWindowCopy, AStreamedSearchShowsEveryFindingOnceInRecordOrder) {
  const std::string root = MakeTree(4, 150);
  RunSearch({.folder = QString::fromStdString(root), .text = "needle"});
  ExpectRowsAreTheRecordsInOrder(600);
  EXPECT_EQ(Panel(kHitCountPanel), "600");
}

// Panel 2 shows 1, 26, 51, ... while the copy runs, and the grid never holds more rows than it counts.
TEST_F(SearchWindowCopy, PanelTwoCountsEveryTwentyFifthFindingWhileTheCopyRuns) {
  const std::string root = MakeTree(2, 150);
  QStringList counts;
  bool grid_ahead = false;
  QTimer watch;  // runs in every pass of the event loop, so also in each pass the copy lets run
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const QString count = Panel(kHitCountPanel);
    if (counts.isEmpty() || counts.back() != count) counts << count;
    if (window_ && Results().Rows() - 1 > count.toInt()) grid_ahead = true;
  });
  watch.start(0);
  RunSearch({.folder = QString::fromStdString(root), .text = "needle", .stream = false});
  watch.stop();
  EXPECT_FALSE(grid_ahead);
  QStringList expected{"0"};
  for (int count = 1; count <= 300; count += 25) expected << QString::number(count);
  expected << "300";
  EXPECT_EQ(counts.mid(counts.indexOf("0")), expected);
  ExpectRowsAreTheRecordsInOrder(300);
}

// Aborting in the middle of the copy keeps what was copied, all of it in the grid and in order.
TEST_F(SearchWindowCopy, AnAbortDuringALongCopyKeepsTheFindingsCountedSoFar) {
  const std::string root = MakeTree(4, 150);
  DuringTheCopyAfterTheScan(100, [this] {
    QTest::mouseClick(Named<qtplatform::StatusBar>("sbStatus").Panel(kStatePanel), Qt::LeftButton);
  });
  FindText({.folder = QString::fromStdString(root), .text = "needle", .stream = false});
  ASSERT_TRUE(WaitUntil([this] { return Panel(kStatePanel) == kScanAbortedText; }));
  const int counted = Panel(kHitCountPanel).toInt();
  EXPECT_GE(counted, 100);
  EXPECT_LT(counted, 600);
  ExpectRowsAreTheRecordsInOrder(counted);
  EXPECT_EQ(Panel(kScanTimePanel), kElapsedPendingText);
}

// A new search started in the middle of the copy gets a grid of its own findings only, each once.
TEST_F(SearchWindowCopy, ANewSearchDuringALongCopyFillsItsOwnGrid) {
  const std::string root = MakeTree(4, 150);
  DuringTheCopyAfterTheScan(100, [this] { window_->Refresh_View(); });
  FindText({.folder = QString::fromStdString(root), .text = "needle", .stream = false});
  ASSERT_TRUE(WaitUntil([this] { return Panel(kScanTimePanel).endsWith(" (Sec)"); }));
  EXPECT_EQ(Errors(), QStringList{kErrorListHeader});
  ExpectRowsAreTheRecordsInOrder(600);
  EXPECT_EQ(Panel(kHitCountPanel), "600");
}

}  // namespace
}  // namespace kestrix::test
