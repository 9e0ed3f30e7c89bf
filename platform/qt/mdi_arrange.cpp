#include "platform/qt/mdi_arrange.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>

namespace qtplatform {

namespace {

// The windows to tile, the topmost (the active one) first.
QList<QMdiSubWindow*> TiledWindows(const QMdiArea& area) {
  QList<QMdiSubWindow*> windows;
  const QList<QMdiSubWindow*> stacking = area.subWindowList(QMdiArea::StackingOrder);
  for (auto it = stacking.rbegin(); it != stacking.rend(); ++it)
    if ((*it)->isVisibleTo(area.viewport()) && !(*it)->isMinimized()) windows.append(*it);
  return windows;
}

// Shares `total` pixels among `count` windows: where window `index` starts and how much it gets.
struct Share {
  int start;
  int length;
};
Share ShareOf(int total, int count, int index) {
  const int each = total / count;
  const int start = each * index;
  return {start, index == count - 1 ? total - start : each};
}

// Cascading staggers the windows by one title bar each, the topmost last (in front, lowest and furthest
// right); each gets the client part less the room the stagger takes, so that every one stays as large as
// the area allows and the last one ends at the area's corner.
void Cascade(QMdiArea& area) {
  QList<QMdiSubWindow*> windows = TiledWindows(area);
  std::reverse(windows.begin(), windows.end());
  if (windows.isEmpty()) return;
  const QRect client = area.viewport()->rect();
  const QStyle& style = *windows.first()->style();
  const int step = style.pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.first()) +
                   style.pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, windows.first());
  const int count = static_cast<int>(windows.size());
  const QSize size(client.width() - step * (count - 1), client.height() - step * (count - 1));
  for (int i = 0; i < count; ++i) {
    QMdiSubWindow* window = windows[i];
    if (window->isMaximized()) window->showNormal();
    window->setGeometry(
        QRect(client.topLeft() + QPoint(step * i, step * i), size.expandedTo(window->minimumSizeHint())));
    window->raise();
  }
}

void Tile(QMdiArea& area, bool stacked) {
  const QList<QMdiSubWindow*> windows = TiledWindows(area);
  const QRect client = area.viewport()->rect();
  const int count = static_cast<int>(windows.size());
  for (int i = 0; i < count; ++i) {
    QMdiSubWindow* window = windows[i];
    if (window->isMaximized()) window->showNormal();
    if (stacked) {
      const Share share = ShareOf(client.height(), count, i);
      window->setGeometry(client.left(), client.top() + share.start, client.width(), share.length);
    } else {
      const Share share = ShareOf(client.width(), count, i);
      window->setGeometry(client.left() + share.start, client.top(), share.length, client.height());
    }
  }
}

}  // namespace

void ArrangeMdiWindows(QMdiArea& area, int code) {
  switch (code) {
    case kArrangeCascade:
      Cascade(area);
      break;
    case kArrangeTileHorizontal:
      Tile(area, true);
      break;
    case kArrangeTileVertical:
      Tile(area, false);
      break;
    default:
      break;
  }
}

}  // namespace qtplatform
