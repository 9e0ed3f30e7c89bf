#include "platform/qt/mdi_arrange.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace kestrix {

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
      area.cascadeSubWindows();
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

}  // namespace kestrix
