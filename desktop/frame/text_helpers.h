// Text helpers the desktop program's windows share: cutting a text at its first NUL character, rendering
// a line of a file as a quoted literal with its control characters named, and the status bar's text that
// types itself out while a search runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrix {

// The text before its first NUL character (the whole text when it has none).
std::string TrimAtNull(std::string_view text);

// One line of a file as the hit viewer shows it: runs of printable characters in double quotes (a quote
// doubled), control characters by name ("vbNullChar", "<LF>", "<CR>", "Chr$(n)", a tab as two blanks),
// joined by " & "; an empty line as "".
std::string MakeDisplayLiteral(std::string_view line);

// The most characters of a display form a viewer row shows: about seven wrapped lines of a wide viewer,
// and cheap to measure and paint however long the line in the file is.
inline constexpr std::size_t kDisplayLiteralLimit = 1000;

// The display form of a line of `line_bytes` bytes whose first bytes are `start` (all of them, or at least
// kDisplayLiteralLimit). When its whole display form is longer than kDisplayLiteralLimit, it shows the
// display form of the longest beginning that fits (no UTF-8 character split) followed by the cut mark
// " … (N bytes more)", N counting the bytes of the line not shown.
std::string MakeCutDisplayLiteral(std::string_view start, std::uint64_t line_bytes);

// The next prefix of `text` in a cycle of 81 calls shared by the whole program: lengths 0, 1, ... 80,
// then 0 again.
std::string NextMarqueeText(std::string_view text);

}  // namespace kestrix
