// Tick count and sleeping.
#pragma once

#include <cstdint>

namespace win {

// Milliseconds from a monotonic clock, as an unsigned 32-bit value that wraps (about every 49.7 days).
std::uint32_t GetTickCount();

// Suspends the calling thread for `milliseconds`.
void Sleep(std::uint32_t milliseconds);

}  // namespace win
