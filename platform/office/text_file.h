// Writing a converted document's text to the file a SaveAs names.
#pragma once

#include <string>
#include <string_view>

namespace office {

// Creates or overwrites `path` with `text`; "" on success, otherwise why it failed.
std::string WriteTextFile(const std::string& path, std::string_view text);

}  // namespace office
