// The directory of a compound file (the container format of Word documents and Excel workbooks): the
// names of the streams its root storage holds, which tell what kind of document it is ("WordDocument",
// "Workbook", ...). Only the header, the sector allocation table and the directory are read.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace office {

// The names of the streams directly in the root storage of the compound file open on `fd`, as UTF-16;
// nullopt when its header or directory is damaged.
std::optional<std::vector<std::u16string>> RootStreamNames(int fd);

}  // namespace office
