// The Window menu's arrangements and the search window's own maximise, on a real X server with a window
// manager: every arrangement leaves the search window at a usable size, and every change of its size lays
// it out again, the viewer's rows included.
#include <QComboBox>
#include <QMdiSubWindow>
#include <QStyle>

#include "platform/qt/flex_grid.h"
#include "tests/desktop/program/program_fixture.h"

namespace kestrix {
namespace {

// A line far wider than the viewer at any size, so that its row's height follows every width.
std::string LongLine() {
  std::string line = "kestrel";
  for (int word = 0; line.size() < 3000; ++word) line += " word" + std::to_string(word);
  return line + "\n";
}

// What the layout decides: where the three areas are, the viewer's column widths and row heights.
struct Layout {
  QList<QRect> areas;
  QList<int> widths;
  QList<int> heights;
  bool operator==(const Layout&) const = default;
};

Layout LayoutOf(const frmFindTextInFiles& search) {
  Layout layout;
  const auto& viewer = test::NamedChild<qtplatform::FlexGrid>(search, "msfgFileWithHit");
  layout.areas = {viewer.geometry(), test::NamedChild<qtplatform::FlexGrid>(search, "fgFiles").geometry(),
                  search.findChild<QWidget*>("lstErrorMessages")->geometry()};
  for (int col = 0; col < viewer.Cols(); ++col) layout.widths << viewer.ColWidth(col);
  for (int row = 0; row < viewer.Rows(); ++row) layout.heights << viewer.RowHeight(row);
  return layout;
}

class Arrangement : public ProgramTest {
 protected:
  // Opens the search window with Ctrl+I, searches the folder and shows the first finding in the viewer.
  frmFindTextInFiles* SearchAndView(frmMainMDI& window) {
    folder_.Write("files/long.txt", "a short line\n" + LongLine() + "another short line\n");
    WhenDialogShows(window, [this](QDialog& dialog) {
      dialog.findChild<QComboBox*>("cbDirectory")->setEditText(QString::fromStdString(folder_ / "files"));
      dialog.findChild<QComboBox*>("cbFileExt")->setEditText("*.txt");
      QComboBox* text = dialog.findChild<QComboBox*>("cbSearchFor");
      text->setEditText("kestrel");
      QTest::keyClick(text, Qt::Key_Return);
    });
    QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
    frmFindTextInFiles* search = Search(window);
    EXPECT_TRUE(WaitUntil([&] {
      return test::NamedChild<qtplatform::FlexGrid>(*search, "fgFiles").Rows() == 2 &&
             !test::NamedChild<QTimer>(*search, "Timer1").isActive();
    }));
    auto& results = test::NamedChild<qtplatform::FlexGrid>(*search, "fgFiles");
    const QPoint cell = results.visualRect(results.model()->index(0, 0)).center();
    QTest::mouseClick(results.viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(results.viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(test::NamedChild<qtplatform::FlexGrid>(*search, "msfgFileWithHit").Rows(), 3);
    return search;
  }

  // The search window is big enough to work in: at least half the client area each way.
  static void ExpectUsable(const frmMainMDI& window, const frmFindTextInFiles& search) {
    const QSize area = window.Area().viewport()->size();
    const QSize child = search.SubWindow()->size();
    EXPECT_GE(child.width(), area.width() / 2) << "area " << area.width() << ", window " << child.width();
    EXPECT_GE(child.height(), area.height() / 2) << "area " << area.height() << ", window " << child.height();
  }
  // The layout is that of the window's present size: laying it out again changes nothing.
  static void ExpectLaidOut(frmFindTextInFiles& search) {
    QApplication::processEvents();
    const Layout shown = LayoutOf(search);
    search.Form_Resize();
    EXPECT_EQ(shown.areas, LayoutOf(search).areas);
    EXPECT_EQ(shown.widths, LayoutOf(search).widths);
    EXPECT_EQ(shown.heights, LayoutOf(search).heights);
  }
  // Waits until the search window has a new size.
  static bool Resized(const frmFindTextInFiles& search, QSize before) {
    return WaitUntil([&] { return search.size() != before; });
  }
};

TEST_F(Arrangement, EveryArrangementLeavesTheSearchWindowUsableAndLaidOut) {
  auto window = Start();
  frmFindTextInFiles* search = SearchAndView(*window);
  ASSERT_NE(search, nullptr);
  QMdiSubWindow* frame = search->SubWindow();
  ASSERT_TRUE(frame->isMaximized());

  QSize before = search->size();
  ChooseFromMenu(*window, Qt::Key_W, Qt::Key_C);  // Window › Cascade
  ASSERT_TRUE(Resized(*search, before));
  EXPECT_FALSE(frame->isMaximized());
  ExpectUsable(*window, *search);
  ExpectLaidOut(*search);

  ChooseFromMenu(*window, Qt::Key_W, Qt::Key_H);  // Window › Tile Horizontal
  QApplication::processEvents();
  ExpectUsable(*window, *search);
  ExpectLaidOut(*search);

  // Maximised by a double click on its title bar.
  before = search->size();
  const int title_height = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame);
  const QPoint title(frame->width() / 2, title_height / 2);
  QTest::mouseMove(frame, title);
  QTest::mouseClick(frame, Qt::LeftButton, {}, title);  // a double click's first press and release
  QTest::mouseDClick(frame, Qt::LeftButton, {}, title);
  ASSERT_TRUE(Resized(*search, before));
  EXPECT_TRUE(frame->isMaximized());
  ExpectLaidOut(*search);

  ChooseFromMenu(*window, Qt::Key_W, Qt::Key_T);  // Window › Tile Vertical
  QApplication::processEvents();
  EXPECT_FALSE(frame->isMaximized());
  ExpectUsable(*window, *search);
  ExpectLaidOut(*search);
  Quit(window);
}

}  // namespace
}  // namespace kestrix
