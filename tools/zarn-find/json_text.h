// Texts as JSON values. A text arrives as the control hands it out: UTF-16 in which every byte that is not
// part of valid UTF-8 stands as a lone surrogate U+DC80..U+DCFF. A text that is valid UTF-8 becomes a JSON
// string (quotes, backslashes and control characters escaped); any other becomes {"bytes":"BASE64"}, its
// bytes in standard base64 with padding, so that no byte is lost.
#pragma once

#include <cstddef>
#include <string_view>

namespace zarn_find {

// The most bytes WriteJsonText writes for a text of `units` UTF-16 units.
constexpr std::size_t JsonTextRoom(std::size_t units) {
  return 6 * units + 16;
}

// Writes `text` as a JSON value at `out`, which has JsonTextRoom(text.size()) bytes of room; returns the
// end of what it wrote.
char* WriteJsonText(std::u16string_view text, char* out);

}  // namespace zarn_find
