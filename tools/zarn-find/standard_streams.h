// Writing to standard output and standard error as a command-line program must: every byte or a reason.
#pragma once

#include <cstddef>
#include <string_view>

namespace zarn_find {

// Writes all of `bytes` to `fd`. A write cut short by a signal is resumed, and a descriptor in
// non-blocking mode whose reader is slow is waited on until it takes more. Returns 0 when everything was
// written, otherwise the error (errno value) that stopped it: EPIPE when the reader has gone.
int WriteFully(int fd, std::string_view bytes);

// Gives each closed standard descriptor (0, 1, 2) a read-only /dev/null, so that writing to a closed
// standard output still fails (EBADF) and no file opened later takes its number and receives the output.
void ReserveStandardDescriptors();

}  // namespace zarn_find
