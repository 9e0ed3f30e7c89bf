// The whole-word rule: an occurrence counts as a whole word when the byte before it (if any) and the byte
// after it (if any) are boundary bytes. Boundary bytes are white space (9 to 13 and 32) and ASCII
// punctuation (33 to 126 except letters and digits, the underscore included). Every other byte (letters,
// digits, other control bytes and all bytes from 128 on) belongs to a word.
#pragma once

#include <cstddef>

namespace zarn {

bool IsWordBoundaryByte(unsigned char byte);

// `line` holds `length` searchable bytes; the occurrence starts at `offset` and is `occurrence_length`
// bytes long, which may run past the line's end (then the end fails).
bool IsWholeWord(const unsigned char* line, std::size_t length, std::size_t offset,
                 std::size_t occurrence_length);

}  // namespace zarn
