// Office document conversion: has the Word or Excel application save a document as plain text.
#pragma once

#include <string>

namespace zarn {

// True when the application could be created and ran the conversion; the text is then in `text_file`.
bool ConvertWordDocument(const std::string& document, const std::string& text_file);
bool ConvertExcelWorkbook(const std::string& document, const std::string& text_file);

}  // namespace zarn
