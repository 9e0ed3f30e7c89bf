// How the desktop program asks for memory: blocks of a megabyte or more come straight from the system.
// A list of millions of grid rows then grows by remapping its pages rather than by copying tens of
// megabytes within one pass of the event loop, and its old blocks go back to the system at once.
#pragma once

#include <malloc.h>

namespace kestrix {

inline void ServeLargeBlocksFromTheSystem() {
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
}

}  // namespace kestrix
