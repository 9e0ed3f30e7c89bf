// Office document conversion: has the Word or Excel application save a document as plain text.
#pragma once

#include <string>

namespace zarn {

// True when the application could be created and every step of the conversion succeeded: `text_file`
// then holds the document's text. False when the application cannot be created (nothing is shown) or a
// step failed (a message box has said which).
bool ConvertWordDocument(const std::string& document, const std::string& text_file);
bool ConvertExcelWorkbook(const std::string& document, const std::string& text_file);

}  // namespace zarn
