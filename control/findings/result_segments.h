// Where the ResultStore keeps record `number`: segments that double in size, one after the other, segment
// k holding kFirstSegmentSize << k records. Every number from 0 to INT32_MAX - 1 lies in one of the first
// kSegmentCount segments, at an index below that segment's size.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace zarn::result_segments {

inline constexpr std::int32_t kFirstSegmentSize = 1024;
inline constexpr int kSegmentCount = 32;

// The number of records segment `segment` holds.
constexpr std::size_t SegmentSize(int segment) {
  return static_cast<std::size_t>(kFirstSegmentSize) << segment;
}

// The number of the first record of segment `segment`.
constexpr std::int32_t SegmentStart(int segment) {
  return kFirstSegmentSize * ((1 << segment) - 1);
}

// floor(log2(number / kFirstSegmentSize + 1)), written so that it is never negative.
constexpr int SegmentOf(std::int32_t number) {
  return static_cast<int>(std::bit_width(static_cast<std::uint32_t>(number / kFirstSegmentSize + 1) >> 1));
}

}  // namespace zarn::result_segments
