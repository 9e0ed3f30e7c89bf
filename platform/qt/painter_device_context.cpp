#include "platform/qt/painter_device_context.h"

#include "platform/qt/dialog_items.h"

namespace qtplatform {

void PainterDeviceContext::FillRect(int left, int top, int right, int bottom, win::COLORREF colour) {
  painter_.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)),
                    QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                           static_cast<int>((colour >> 16) & 0xFF)));
}

void PainterDeviceContext::DrawImage(int x, int y, const win::Image& image) {
  painter_.drawPixmap(x, y, PixmapOf(image));
}

}  // namespace qtplatform
