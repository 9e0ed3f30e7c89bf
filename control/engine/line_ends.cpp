#include "control/engine/line_ends.h"

#include <cstring>

#include "control/engine/simd_bytes.h"

namespace zarn {

namespace {
constexpr unsigned char kCr = '\r';
constexpr unsigned char kLf = '\n';
}  // namespace

bool LineEnds::AnyCarriageReturn(const unsigned char* begin, const unsigned char* end) {
  return begin < end && std::memchr(begin, kCr, static_cast<std::size_t>(end - begin)) != nullptr;
}

const unsigned char* LineEnds::FindNext(const unsigned char* from, const unsigned char* end) const {
  if (from >= end) return nullptr;
  if (!has_cr_)
    return static_cast<const unsigned char*>(std::memchr(from, kLf, static_cast<std::size_t>(end - from)));
  return simd::FindEitherByte(from, end, kCr, kLf);
}

const unsigned char* LineEnds::FindLast(const unsigned char* begin, const unsigned char* end) const {
  if (begin >= end) return nullptr;
  if (!has_cr_)
    return static_cast<const unsigned char*>(memrchr(begin, kLf, static_cast<std::size_t>(end - begin)));
  return simd::FindLastEitherByte(begin, end, kCr, kLf);
}

const unsigned char* LineEnds::LineStart(const unsigned char* floor, const unsigned char* at) const {
  const unsigned char* last = FindLast(floor, at);
  return last ? last + 1 : floor;
}

const unsigned char* LineEnds::Skip(const unsigned char* at, const unsigned char* end) {
  if (*at == kCr && at + 1 < end && at[1] == kLf) return at + 2;
  return at + 1;
}

std::int64_t LineEnds::Count(const unsigned char* begin, const unsigned char* end) const {
  if (begin >= end) return 0;
  if (!has_cr_) return static_cast<std::int64_t>(simd::CountByte(begin, end, kLf));
  std::int64_t count = 0;
  for (const unsigned char* p = begin; p < end; ++p) {
    if (*p == kLf) {
      ++count;
    } else if (*p == kCr) {
      ++count;
      if (p + 1 < end && p[1] == kLf) ++p;
    }
  }
  return count;
}

}  // namespace zarn
