#include "control/engine/whole_word.h"

#include "platform/win/ascii_text.h"

namespace zarn {

bool IsWordBoundaryByte(unsigned char byte) {
  if ((byte >= 9 && byte <= 13) || byte == ' ') return true;
  if (byte < 33 || byte > 126) return false;
  const bool digit = byte >= '0' && byte <= '9';
  return !digit && !win::ascii::IsLetter(byte);
}

bool IsWholeWord(const unsigned char* line, std::size_t length, std::size_t offset,
                 std::size_t occurrence_length) {
  if (offset > 0 && !IsWordBoundaryByte(line[offset - 1])) return false;
  const std::size_t end = offset + occurrence_length;
  if (end == length) return true;
  if (end > length) return false;
  return IsWordBoundaryByte(line[end]);
}

}  // namespace zarn
