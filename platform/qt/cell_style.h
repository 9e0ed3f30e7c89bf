// How one grid cell is drawn when it differs from the grid's own look: bold text, background and text
// colours. Colours come in as Windows colour values, 0x00BBGGRR.
#pragma once

#include <QColor>
#include <cstdint>
#include <optional>

namespace qtplatform {

struct CellStyle {
  bool bold = false;
  std::optional<QColor> back;
  std::optional<QColor> fore;

  bool IsPlain() const { return !bold && !back && !fore; }
};

// 0x00BBGGRR as a colour. Values with the high bit set name system colours, which the grid does not
// keep per cell: they give no colour, so the cell falls back to the grid's own.
std::optional<QColor> ColorFromBgr(std::uint32_t bgr);

}  // namespace qtplatform
