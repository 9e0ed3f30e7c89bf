// Which Office application converts a file, by its name: the ExtensionFilter against "*.DOC" first (Word),
// then "*.XLS" (Excel). By the filter's substring rule names ending in .D or .DO count as Word documents,
// .X or .XL as Excel workbooks; .docx and .xlsx as neither.
#pragma once

#include <optional>
#include <string_view>

#include "control/engine/search_control.h"

namespace zarn {

std::optional<OfficeApplication> OfficeApplicationOf(std::string_view file_name);

}  // namespace zarn
