// ExtensionFilter: whether a file name belongs to a list of file types.
//
// The list needs no syntax: the name's last extension (from its last "." on), upper-cased, must occur in
// the upper-cased list as a substring ("*.TXT;*.HTM", "*.TXT *.HTM" and "*.TXT,*.HTM" all select .txt
// and .htm files). A list containing ".*" selects every name, also names without a dot.
#pragma once

#include <string_view>

namespace zarn {

bool ExtensionFilter(std::string_view name, std::string_view list);

}  // namespace zarn
