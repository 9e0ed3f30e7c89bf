#include "control/surface/office_conversion.h"

namespace zarn {

namespace {
// Creating "Word.Application" or "Excel.Application": no automation server is registered on this
// platform, so creation fails and the caller reads the document's own bytes.
bool CreateOfficeApplication(const char* /*prog_id*/) {
  return false;
}
}  // namespace

bool ConvertWordDocument(const std::string& /*document*/, const std::string& /*text_file*/) {
  return CreateOfficeApplication("Word.Application");
}

bool ConvertExcelWorkbook(const std::string& /*document*/, const std::string& /*text_file*/) {
  return CreateOfficeApplication("Excel.Application");
}

}  // namespace zarn
