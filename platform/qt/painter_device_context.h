// A device context that draws through a QPainter: what a Qt container hands a control that draws itself.
#pragma once

#include <QPainter>

#include "platform/window/device_context.h"

namespace qtplatform {

class PainterDeviceContext : public win::DeviceContext {
 public:
  explicit PainterDeviceContext(QPainter& painter) : painter_(painter) {}

  void FillRect(int left, int top, int right, int bottom, win::COLORREF colour) override;
  void DrawImage(int x, int y, const win::Image& image) override;

 private:
  QPainter& painter_;
};

}  // namespace qtplatform
