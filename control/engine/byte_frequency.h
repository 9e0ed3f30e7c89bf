// How common each byte value is in ordinary text and source code, on a scale from 0 (rare) to 255
// (frequent). Used to pick the bytes of a search string that produce the fewest false candidates.
#pragma once

#include <cstdint>

namespace zarn {

std::uint8_t ByteCommonness(unsigned char byte);

}  // namespace zarn
