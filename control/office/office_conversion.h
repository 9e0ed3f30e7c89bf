// Office document conversion: has the Word or Excel application save a document as plain text.
#pragma once

#include <string>

namespace zarn {

// True when the application could be created and every step of the conversion succeeded: `text_file`
// then holds the document's text. False when the application cannot be created (nothing is shown) or a
// step failed (a message box has said which), and false at once, with nothing done, when `text_file`
// names the document itself (the same path or a link to it).
bool ConvertWordDocument(const std::string& document, const std::string& text_file);
bool ConvertExcelWorkbook(const std::string& document, const std::string& text_file);

}  // namespace zarn
