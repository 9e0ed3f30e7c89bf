// What a file holds, as its first bytes tell: a compound file (the container of Word documents and Excel
// workbooks), rich text, plain text, or something else.
#pragma once

#include <string_view>

namespace office {

enum class FileContent {
  kCompoundFile,  // starts with the compound-file signature
  kRichText,      // starts with "{\rtf"
  // Only bytes that plain text holds: printable ASCII, the layout controls BEL, BS, TAB, LF, VT, FF, CR
  // and ESC, and every byte from 0x80 on (UTF-8 or any 8-bit code page). An empty file is text too.
  kText,
  kOther,  // NUL or another control byte: no text
};

// `head` is the file's first bytes (as many as there are, up to a block).
FileContent ContentOf(std::string_view head);

}  // namespace office
