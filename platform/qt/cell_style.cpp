#include "platform/qt/cell_style.h"

namespace qtplatform {

std::optional<QColor> ColorFromBgr(std::uint32_t bgr) {
  if (bgr & 0x80000000u) return std::nullopt;
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace qtplatform
