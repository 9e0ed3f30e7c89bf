// Line ends as the scanner counts them: a line ends at CR LF, at LF alone or at CR alone; a CR directly
// followed by LF is one line end. When a block holds no CR at all, LF alone is looked for, which lets the
// C library's and our vector scans run without a second byte to compare.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zarn {

class LineEnds {
 public:
  explicit LineEnds(bool block_has_cr) : has_cr_(block_has_cr) {}

  // Whether [begin, end) holds a CR at all.
  static bool AnyCarriageReturn(const unsigned char* begin, const unsigned char* end);

  // The first CR or LF in [from, end), or nullptr.
  const unsigned char* FindNext(const unsigned char* from, const unsigned char* end) const;
  // The last CR or LF in [begin, end), or nullptr.
  const unsigned char* FindLast(const unsigned char* begin, const unsigned char* end) const;
  // The start of the line holding `at`: just after the last CR or LF in [floor, at), else `floor`.
  const unsigned char* LineStart(const unsigned char* floor, const unsigned char* at) const;
  // Given `at` pointing to a CR or LF, the position after that line end (a CR LF pair counts as one).
  static const unsigned char* Skip(const unsigned char* at, const unsigned char* end);
  // The number of line ends in [begin, end); `end` must be a line start, so no CR LF pair is split.
  std::int64_t Count(const unsigned char* begin, const unsigned char* end) const;

 private:
  bool has_cr_;
};

}  // namespace zarn
