// Writing a document's text to the file a SaveAs names.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace office {

// Creates or overwrites `path` with `text`; "" on success, otherwise why it failed.
std::string WriteTextFile(const std::string& path, std::string_view text);

// Creates or overwrites `path` with the first `size` bytes of the file open on `source` (fewer when it
// has shrunk since), copied a block at a time; "" on success, otherwise why it failed.
std::string CopyToTextFile(const std::string& path, int source, off_t size);

}  // namespace office
