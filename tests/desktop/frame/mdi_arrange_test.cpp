// Arranging child windows: cascading, tiling one above the other, tiling side by side.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>

#include "platform/qt/mdi_arrange.h"

namespace kestrix {
namespace {

class MdiArrange : public ::testing::Test {
 protected:
  void SetUp() override {
    area_.resize(600, 401);
    area_.show();
    for (int i = 0; i < 3; ++i) {
      windows_[i] = area_.addSubWindow(new QWidget);
      windows_[i]->setGeometry(10 * i, 10 * i, 200, 150);
      windows_[i]->show();
    }
  }
  QRect Client() const { return area_.viewport()->rect(); }

  QMdiArea area_;
  QMdiSubWindow* windows_[3] = {};
};

TEST_F(MdiArrange, TileHorizontalStacksThemAtFullWidthCoveringTheArea) {
  qtplatform::ArrangeMdiWindows(area_, qtplatform::kArrangeTileHorizontal);
  int covered = 0;
  for (QMdiSubWindow* window : windows_) {
    EXPECT_EQ(window->x(), 0);
    EXPECT_EQ(window->width(), Client().width());
    covered += window->height();
  }
  EXPECT_EQ(covered, Client().height());
  // No two overlap: the tops differ by at least the height above.
  QList<QRect> rects = {windows_[0]->geometry(), windows_[1]->geometry(), windows_[2]->geometry()};
  std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) { return a.top() < b.top(); });
  EXPECT_EQ(rects[0].top(), 0);
  EXPECT_EQ(rects[1].top(), rects[0].bottom() + 1);
  EXPECT_EQ(rects[2].top(), rects[1].bottom() + 1);
}

TEST_F(MdiArrange, TileVerticalPutsThemSideBySideAtFullHeight) {
  qtplatform::ArrangeMdiWindows(area_, qtplatform::kArrangeTileVertical);
  QList<QRect> rects = {windows_[0]->geometry(), windows_[1]->geometry(), windows_[2]->geometry()};
  std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) { return a.left() < b.left(); });
  EXPECT_EQ(rects[0].left(), 0);
  EXPECT_EQ(rects[1].left(), rects[0].right() + 1);
  EXPECT_EQ(rects[2].left(), rects[1].right() + 1);
  EXPECT_EQ(rects[2].right(), Client().right());
  for (const QRect& rect : rects) {
    EXPECT_EQ(rect.top(), 0);
    EXPECT_EQ(rect.height(), Client().height());
  }
}

TEST_F(MdiArrange, HiddenAndMinimisedWindowsAreLeftOutAndAMaximisedOneIsRestored) {
  windows_[0]->hide();
  windows_[1]->showMinimized();
  const QRect minimised = windows_[1]->geometry();
  windows_[2]->showMaximized();
  qtplatform::ArrangeMdiWindows(area_, qtplatform::kArrangeTileVertical);
  EXPECT_FALSE(windows_[2]->isMaximized());
  EXPECT_EQ(windows_[2]->geometry(), Client());
  EXPECT_EQ(windows_[1]->geometry(), minimised);
  EXPECT_TRUE(windows_[1]->isMinimized());
}

TEST_F(MdiArrange, CascadeStaggersThemAndOtherCodesDoNothing) {
  for (QMdiSubWindow* window : windows_) window->move(0, 0);
  qtplatform::ArrangeMdiWindows(area_, 7);
  for (QMdiSubWindow* window : windows_) EXPECT_EQ(window->pos(), QPoint(0, 0));
  qtplatform::ArrangeMdiWindows(area_, qtplatform::kArrangeCascade);
  QList<QPoint> corners;
  for (QMdiSubWindow* window : windows_) corners << window->pos();
  std::sort(corners.begin(), corners.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
  EXPECT_LT(corners[0].y(), corners[1].y());
  EXPECT_LT(corners[1].y(), corners[2].y());
  EXPECT_LT(corners[0].x(), corners[2].x());
}

}  // namespace
}  // namespace kestrix
