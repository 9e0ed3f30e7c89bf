// The colours of zarn-find's lines on a terminal, as grep shows them: the path magenta, line and column
// green, the matched text bold red, the separators cyan. Each field is one SGR sequence followed by a reset.
#pragma once

#include <cstddef>
#include <string_view>

namespace zarn_find {

enum class ColorChoice { kAuto, kAlways, kNever };

// The sequence that starts each field, and the reset that ends it; all empty when nothing is coloured.
struct TerminalColors {
  std::string_view path;
  std::string_view number;
  std::string_view match;
  std::string_view separator;
  std::string_view reset;
};

// The most bytes the colours add to one field: its sequence and the reset after it.
inline constexpr std::size_t kColorFieldRoom = 16;

// Whether output to `fd` is coloured: always, never, or (auto) when `fd` is a terminal and the
// environment variable NO_COLOR is unset or empty.
bool UseColors(ColorChoice choice, int fd);

// The colours when `on`, otherwise the empty sequences.
TerminalColors ColorsFor(bool on);

}  // namespace zarn_find
