// What the user sees around the findings: the viewer after a double click, the report, the font, the
// layout of the three areas, and the settings the window keeps from one opening to the next.
#include <sys/stat.h>

#include <QToolBar>

#include "desktop/frame/text_helpers.h"
#include "platform/qt/font_dialog.h"
#include "platform/qt/message_box.h"
#include "platform/qt/twips.h"
#include "tests/desktop/search/search_window_fixture.h"

namespace kestrix::test {
namespace {

class SearchWindowView : public SearchWindowTest {
 protected:
  // Double-clicks grid row `row` with the mouse.
  void DoubleClickRow(int row) {
    qtplatform::FlexGrid& grid = Results();
    grid.scrollTo(grid.model()->index(row - 1, 0));
    const QPoint where = grid.visualRect(grid.model()->index(row - 1, 0)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, where);
  }
  qtplatform::FlexGrid& Viewer() const { return Named<qtplatform::FlexGrid>("msfgFileWithHit"); }
};

std::string NumberedLines(int count, int hit_line, const std::string& hit_text) {
  std::string body;
  for (int line = 1; line <= count; ++line)
    body += line == hit_line ? hit_text + "\n" : "plain line " + std::to_string(line) + "\n";
  return body;
}

TEST_F(SearchWindowView, DoubleClickingAFindingShowsTheFileAroundItsLine) {
  folder_.Write("view/a.txt", NumberedLines(300, 150, "the\tmarked needle"));
  RunSearch({.folder = QString::fromStdString(folder_ / "view"), .text = "needle"});
  ASSERT_EQ(Results().Rows(), 2);
  DoubleClickRow(1);
  EXPECT_EQ(window_->windowTitle().toStdString(),
            "FILE: " + folder_ / "view/a.txt" + " LINE: 150 COL: 12 ITEM: needle");
  ASSERT_EQ(Viewer().Rows(), 199);  // lines 51 to 249
  EXPECT_EQ(Viewer().Row(), 99);
  EXPECT_EQ(Viewer().TopRow(), 96);
  EXPECT_EQ(Viewer().TextMatrix(99, 0).toStdString(), MakeDisplayLiteral("the\tmarked needle"));
  EXPECT_TRUE(Viewer().CellFontBold());
}

TEST_F(SearchWindowView, DoubleClickingTheHeaderDoesNothing) {
  folder_.Write("view/a.txt", "a needle\n");
  RunSearch({.folder = QString::fromStdString(folder_ / "view"), .text = "needle"});
  const QString title = window_->windowTitle();
  Results().SetRow(0);
  emit Results().DblClick();
  EXPECT_EQ(window_->windowTitle(), title);
  EXPECT_EQ(Viewer().Rows(), 0);
}

TEST_F(SearchWindowView, AFileWhoseNameIsNotValidTextOpensInTheViewer) {
  const std::string odd = folder_.Write("odd/na\xE9me.txt", "first\nsecond needle\n");
  RunSearch({.folder = QString::fromStdString(folder_ / "odd"), .text = "needle"});
  ASSERT_EQ(Results().Rows(), 2);
  DoubleClickRow(1);
  ASSERT_EQ(Viewer().Rows(), 2);
  EXPECT_EQ(Viewer().Row(), 1);
  EXPECT_EQ(Viewer().TextMatrix(1, 0), R"("second needle")");
}

TEST_F(SearchWindowView, AFileGoneSinceTheSearchIsReportedInAMessageBox) {
  const std::string path = folder_.Write("gone/a.txt", "needle\n");
  RunSearch({.folder = QString::fromStdString(folder_ / "gone"), .text = "needle"});
  std::remove(path.c_str());
  QString shown;
  const qtplatform::ScopedMessagePresenter presenter(
      [&](QWidget*, const QString& text, const QString&, qtplatform::MessageButtons) {
        shown = text;
        return qtplatform::MessageAnswer::kOk;
      });
  DoubleClickRow(1);
  EXPECT_EQ(shown.toStdString(), "File Name:  " + path + "  Not Found or can't open!");
}

TEST_F(SearchWindowView, TheReportIsWrittenAndOpenedInTheEditor) {
  folder_.Write("report/a.txt", "one needle\ntwo needles\n");
  const std::string log = folder_ / "editor.log";
  const std::string editor = folder_.Write("editor.sh", "#!/bin/sh\necho \"$@\" >> '" + log + "'\n");
  chmod(editor.c_str(), 0755);
  kx::test::ScopedEnv visual("VISUAL", editor);
  RunSearch({.folder = QString::fromStdString(folder_ / "report"), .text = "needle"});
  ASSERT_TRUE(WaitUntil([this] { return Named<QPushButton>("cmdViewReport").isVisibleTo(window_); }));
  QTest::mouseClick(&Named<QPushButton>("cmdViewReport"), Qt::LeftButton);
  ASSERT_TRUE(WaitUntil([&] { return kx::test::ReadFile(log).value_or("").ends_with('\n'); }));
  const std::string report = QCoreApplication::applicationDirPath().toStdString() + "/FindTextReport.CSV";
  EXPECT_EQ(*kx::test::ReadFile(log), report + "\n");
  const std::optional<std::string> text = kx::test::ReadFile(report);
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find(folder_ / "report/a.txt" + "\t2\t5\tneedles"), std::string::npos) << *text;
}

TEST_F(SearchWindowView, TheThreeAreasShareTheHeightBetweenToolbarAndStatusBar) {
  const int top = Named<QToolBar>("Toolbar1").height();
  const int free_height = window_->height() - top - Named<qtplatform::StatusBar>("sbStatus").height();
  EXPECT_EQ(Viewer().y(), top);
  EXPECT_NEAR(Viewer().height(), free_height / 2.0, 1);
  EXPECT_EQ(Results().y(), top + Viewer().height());
  EXPECT_NEAR(Results().height(), free_height * 7 / 20.0, 1);
  EXPECT_EQ(Named<QListWidget>("lstErrorMessages").y(), Results().y() + Results().height());
  EXPECT_NEAR(Named<QListWidget>("lstErrorMessages").height(), free_height * 3 / 20.0, 1);
  EXPECT_EQ(Viewer().ColWidth(1), 260);
  // Squeezed to the bars alone, the areas get no height and nothing fails.
  window_->resize(window_->width(), top + Named<qtplatform::StatusBar>("sbStatus").height());
  EXPECT_EQ(Viewer().height() + Results().height() + Named<QListWidget>("lstErrorMessages").height(), 0);
}

TEST_F(SearchWindowView, ViewerRowsWiderThanTheColumnGetTheLinesTheyNeed) {
  qtplatform::FlexGrid& viewer = Viewer();
  const QFontMetrics metrics(viewer.font());
  const int column = viewer.ColWidth(0);
  QString wide, exact;
  while (qtplatform::PixelsToTwipsX(metrics.horizontalAdvance(wide), window_) <= column * 2.5) wide += "x";
  while (qtplatform::PixelsToTwipsX(metrics.horizontalAdvance(exact + "x"), window_) <= column) exact += "x";
  viewer.AddItem(wide);
  viewer.AddItem(exact);
  const int plain_height = viewer.RowHeight(1);
  window_->SizeRowsOfMSFlexGrid(viewer, 0);
  // Three lines and the cell's padding (heights are kept in whole pixels).
  const int three_lines = (qtplatform::PixelsToTwipsY(metrics.height(), window_) + 1) * 3;
  EXPECT_GE(viewer.RowHeight(0), three_lines - 15);
  EXPECT_LE(viewer.RowHeight(0), three_lines + qtplatform::PixelsToTwipsY(4, window_) + 15);
  EXPECT_EQ(viewer.RowHeight(1), plain_height);
}

TEST_F(SearchWindowView, ChangeFontAppliesTheChosenFontAndACancelKeepsIt) {
  qtplatform::FontSettings offered;
  std::optional<qtplatform::FontSettings> answer = qtplatform::FontSettings{"DejaVu Sans", 13, true, false};
  const qtplatform::ScopedFontPresenter presenter([&](QWidget*, const qtplatform::FontSettings& current) {
    offered = current;
    return answer;
  });
  window_->Change_Font(true);
  EXPECT_EQ(offered.FontName, "Courier New");
  EXPECT_EQ(offered.FontSize, 9);
  EXPECT_EQ(Results().font().pointSizeF(), 13);
  EXPECT_TRUE(Viewer().font().bold());
  EXPECT_EQ(Named<QListWidget>("lstErrorMessages").font().pointSizeF(), 13);
  answer = std::nullopt;  // cancelled
  window_->Change_Font(true);
  EXPECT_EQ(window_->Settings().CommonDialog1, (qtplatform::FontSettings{"DejaVu Sans", 13, true, false}));
  EXPECT_EQ(Results().font().pointSizeF(), 13);
}

TEST_F(SearchWindowView, TheWindowsSettingsSurviveClosingAndOpeningIt) {
  {
    const qtplatform::ScopedFontPresenter presenter([](QWidget*, const qtplatform::FontSettings&) {
      return qtplatform::FontSettings{"DejaVu Sans", 11.5, false, true};
    });
    window_->Change_Font(true);
  }
  folder_.Write("s/a.txt", "needle\n");
  RunSearch(
      {.folder = QString::fromStdString(folder_ / "s"), .text = "needle", .stream = false, .beep = false});
  Results().SetColWidth(0, 3000);  // as if the user dragged the column wider
  window_->Refresh_View();         // the next search's grid keeps the width
  EXPECT_EQ(Results().ColWidth(0), 3000);
  QTest::keyClick(&Named<QListWidget>("lstErrorMessages"), Qt::Key_Escape);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(window_.isNull());
  EXPECT_EQ(frame_.toolbar_updates, 1);
  EXPECT_EQ(Setting("CompareDir", "FontSize"), "11.5");

  Open();
  EXPECT_FALSE(window_->Settings().mbStreamFindings);
  EXPECT_FALSE(window_->Settings().mbBeepWhenDone);
  EXPECT_EQ(window_->Settings().mlColWidth[0], 3000);
  EXPECT_EQ(window_->Settings().CommonDialog1,
            (qtplatform::FontSettings{"DejaVu Sans", 12, false, true}));  // sizes come back whole
  EXPECT_EQ(Results().ColWidth(0), 3000);
}

TEST_F(SearchWindowView, ActivatingTheWindowTellsTheMainWindow) {
  const int before = frame_.activations;
  area_.setActiveSubWindow(nullptr);
  area_.setActiveSubWindow(window_->SubWindow());
  EXPECT_GT(frame_.activations, before);
}

}  // namespace
}  // namespace kestrix::test
