#include "control/engine/office_document.h"

#include "control/engine/extension_filter.h"

namespace zarn {

std::optional<OfficeApplication> OfficeApplicationOf(std::string_view file_name) {
  if (ExtensionFilter(file_name, "*.DOC")) return OfficeApplication::kWord;
  if (ExtensionFilter(file_name, "*.XLS")) return OfficeApplication::kExcel;
  return std::nullopt;
}

}  // namespace zarn
