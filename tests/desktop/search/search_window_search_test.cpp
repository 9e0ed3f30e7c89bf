// Searches run from the search window as the user runs them: the dialog, the grid filling, the status
// bar, the error list, aborting and starting again.
#include "tests/desktop/search/search_window_fixture.h"

namespace kestrix::test {
namespace {

class SearchWindowSearch : public SearchWindowTest {
 protected:
  // `files` files of `lines` lines each, every line holding the word "needle" once.
  std::string MakeTree(int files, int lines) {
    const std::string root = folder_.MakeFolder("tree");
    std::string body;
    for (int line = 1; line <= lines; ++line) body += "line " + std::to_string(line) + " has a needle\n";
    for (int file = 0; file < files; ++file)
      folder_.Write("tree/sub/f" + std::to_string(file) + ".txt", body);
    return root;
  }
};

TEST_F(SearchWindowSearch, AStreamedSearchFillsTheGridAndTheStatusBar) {
  const std::string root = MakeTree(3, 40);
  folder_.Write("tree/other.log", "needle in a file of another type\n");
  EXPECT_EQ(Panel(kStatePanel), kReadyText);
  EXPECT_FALSE(Named<QPushButton>("cmdViewReport").isVisibleTo(window_));
  RunSearch({.folder = QString::fromStdString(root), .text = "needle"});

  ASSERT_EQ(Results().Rows(), 121);
  EXPECT_EQ(Results().TextMatrix(0, 0), "File");
  EXPECT_EQ(Results().TextMatrix(0, 3), "Item Found");
  EXPECT_TRUE(Results().TextMatrix(1, 0).startsWith(QString::fromStdString(root) + "sub/f"))
      << Results().TextMatrix(1, 0).toStdString();
  EXPECT_EQ(Results().TextMatrix(1, 1), "1");
  EXPECT_EQ(Results().TextMatrix(1, 2), "14");
  EXPECT_EQ(Results().TextMatrix(1, 3), "needle");
  EXPECT_EQ(Panel(kHitCountPanel), "120");
  EXPECT_TRUE(Panel(kStatePanel) == kTransferCompletedText || Panel(kStatePanel) == kScanCompletedText);
  EXPECT_FALSE(Named<QTimer>("Timer1").isActive());
  EXPECT_EQ(Errors(), QStringList{kErrorListHeader});
  EXPECT_TRUE(WaitUntil([this] { return Named<QPushButton>("cmdViewReport").isVisibleTo(window_); }));
  // The histories are on disk as soon as the search starts.
  EXPECT_EQ(Setting("SearchPath", "SearchPath20"), root);
  EXPECT_EQ(Setting("FileExt", "FileExt20"), "*.txt");
  EXPECT_EQ(Setting("SearchFor", "SearchFor20"), "needle");
}

TEST_F(SearchWindowSearch, WithShowAllAtEndTheFindingsArriveInOnePassAfterTheScan) {
  const std::string root = MakeTree(5, 50);
  RunSearch({.folder = QString::fromStdString(root), .text = "needle", .stream = false});
  EXPECT_EQ(Results().Rows(), 251);
  EXPECT_EQ(Panel(kHitCountPanel), "250");
  EXPECT_EQ(Panel(kStatePanel), kTransferCompletedText);
  EXPECT_FALSE(window_->Settings().mbStreamFindings);
}

TEST_F(SearchWindowSearch, ASearchWithoutFindingsLeavesOnlyTheHeader) {
  const std::string root = MakeTree(2, 3);
  RunSearch({.folder = QString::fromStdString(root), .text = "absent"});
  EXPECT_EQ(Results().Rows(), 1);
  EXPECT_EQ(Panel(kHitCountPanel), "0");
}

TEST_F(SearchWindowSearch, AFoundTextWithATabShowsOnlyItsPartBeforeTheTab) {
  folder_.Write("tabs/a.txt", "key\tvalue after the tab\n");
  RunSearch({.folder = QString::fromStdString(folder_ / "tabs"), .text = "key"});
  ASSERT_EQ(Results().Rows(), 2);
  EXPECT_EQ(Results().TextMatrix(1, 3), "key");
}

TEST_F(SearchWindowSearch, TheControlsErrorsAreListedAndTheSearchStillEnds) {
  RunSearch({.folder = QString::fromStdString(folder_ / "missing"), .text = "needle"});
  const QStringList errors = Errors();
  ASSERT_EQ(errors.size(), 2) << errors.join("|").toStdString();
  EXPECT_EQ(errors[0], kErrorListHeader);
  EXPECT_TRUE(errors[1].startsWith(kErrorLinePrefix)) << errors[1].toStdString();
  EXPECT_TRUE(errors[1].contains("missing")) << errors[1].toStdString();
}

TEST_F(SearchWindowSearch, ACancelledDialogChangesNothing) {
  const std::string root = MakeTree(1, 5);
  RunSearch({.folder = QString::fromStdString(root), .text = "needle"});
  const QString state = Panel(kStatePanel), elapsed = Panel(kScanTimePanel);
  FindText({.folder = "/elsewhere", .types = "*.c", .text = "other", .stream = false, .cancel = true});
  EXPECT_EQ(Results().Rows(), 6);
  EXPECT_EQ(Panel(kStatePanel), state);
  EXPECT_EQ(Panel(kScanTimePanel), elapsed);
  EXPECT_TRUE(window_->Settings().mbStreamFindings);
  EXPECT_EQ(Setting("SearchFor", "SearchFor20"), "needle");
  EXPECT_EQ(Setting("SearchFor", "SearchFor19"), "(none)");
}

TEST_F(SearchWindowSearch, TheDialogOpensWithTheLastValuesAndTheHistoriesNewestFirst) {
  const std::string root = MakeTree(1, 2);
  RunSearch({.folder = QString::fromStdString(root), .text = "first", .beep = true});
  RunSearch({.folder = QString::fromStdString(root), .text = "needle", .stream = false, .beep = true});
  EXPECT_EQ(beeps_, 2);
  QTimer::singleShot(0, window_, [this, root] {
    auto* dialog = window_->findChild<frmFindTextInFilesOptions*>();
    EXPECT_EQ(dialog->cbSearchFor->currentText(), "needle");
    EXPECT_EQ(dialog->cbSearchFor->itemText(1), "first");
    EXPECT_EQ(dialog->cbDirectory->currentText().toStdString(), root);
    EXPECT_TRUE(dialog->cbDontStreamResults->isChecked());
    EXPECT_TRUE(dialog->cbBeepWhenDone->isChecked());
    EXPECT_TRUE(dialog->cbLookInSubfolders->isChecked());
    QTest::mouseClick(dialog->cbCancel, Qt::LeftButton);
  });
  window_->FindText();
}

// A search big enough to be caught running: many files, so that the worker is still busy when the test
// acts (the control's pause between entries keeps it going for a while).
class SearchWindowWhileRunning : public SearchWindowSearch {
 protected:
  void StartLongSearch() {
    root_ = MakeTree(200, 10);
    FindText({.folder = QString::fromStdString(root_), .text = "needle"});
    ASSERT_TRUE(WaitUntil([this] { return Named<QTimer>("Timer1").isActive(); }));
  }
  std::string root_;
};

TEST_F(SearchWindowWhileRunning, ClickingTheStatusBarAbortsTheSearch) {
  StartLongSearch();
  QTest::mouseClick(Named<qtplatform::StatusBar>("sbStatus").Panel(kStatePanel), Qt::LeftButton);
  EXPECT_EQ(Panel(kStatePanel), kScanAbortedText);
  EXPECT_FALSE(Named<QTimer>("Timer1").isActive());
  EXPECT_EQ(Panel(kScanTimePanel), kElapsedPendingText);
  const int rows = Results().Rows();
  QTest::qWait(100);  // nothing more is copied and no completion arrives
  EXPECT_EQ(Results().Rows(), rows);
  EXPECT_EQ(Panel(kStatePanel), kScanAbortedText);
  EXPECT_FALSE(Named<QPushButton>("cmdViewReport").isVisibleTo(window_));
}

TEST_F(SearchWindowWhileRunning, ASecondSearchIsRefusedAndTheRunningOneFillsTheNewGrid) {
  StartLongSearch();
  window_->Refresh_View();
  const QStringList errors = Errors();
  ASSERT_EQ(errors.size(), 2);
  EXPECT_TRUE(errors[1].startsWith(kErrorLinePrefix));
  ASSERT_TRUE(WaitUntil([this] { return Panel(kScanTimePanel).endsWith(" (Sec)"); }));
  EXPECT_EQ(Results().Rows(), 200 * 10 + 1);
  EXPECT_EQ(Panel(kHitCountPanel), "2000");
}

TEST_F(SearchWindowWhileRunning, ClosingTheWindowDuringASearchSavesItsSettings) {
  StartLongSearch();
  QTest::keyClick(&Results(), Qt::Key_Escape);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(window_.isNull());
  EXPECT_EQ(frame_.toolbar_updates, 1);
  EXPECT_EQ(Setting("General", "StreamFindings"), "TRUE");
  EXPECT_EQ(Setting("General", "Col1Width"), "2150");
}

TEST(ElapsedSecondsText, ShowsTheShortestDecimalForm) {
  EXPECT_EQ(ElapsedSecondsText(2000), "2 (Sec)");
  EXPECT_EQ(ElapsedSecondsText(12345), "12.345 (Sec)");
  EXPECT_EQ(ElapsedSecondsText(12340), "12.34 (Sec)");
  EXPECT_EQ(ElapsedSecondsText(5), "0.005 (Sec)");
  EXPECT_EQ(ElapsedSecondsText(0), "0 (Sec)");
}

}  // namespace
}  // namespace kestrix::test
