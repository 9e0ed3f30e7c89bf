// A device context: where a control draws itself when its container asks (at design time). The
// container hands one over for the length of the call; the Qt side paints through QPainter.
#pragma once

#include <cstdint>

#include "platform/window/dialog_template.h"

namespace win {

using COLORREF = std::uint32_t;  // 0x00BBGGRR

inline constexpr COLORREF RGB(unsigned red, unsigned green, unsigned blue) {
  return red | (green << 8) | (blue << 16);
}

class DeviceContext {
 public:
  virtual ~DeviceContext() = default;
  // Pixels, `right` and `bottom` excluded.
  virtual void FillRect(int left, int top, int right, int bottom, COLORREF colour) = 0;
  virtual void DrawImage(int x, int y, const Image& image) = 0;
};

using HDC = DeviceContext*;

}  // namespace win
