// The documents the servers open, as the real applications open them:
//
//   Word   a word-processor document (.doc, a compound file)   catdoc -w -d utf-8 FILE
//          rich text                                           catdoc -w -d utf-8 FILE
//          plain text                                          the file itself
//   Excel  a workbook (.xls, a compound file with a workbook   xls2csv -q 0 -c TAB -d utf-8 FILE,
//          stream)                                             its first sheet
//          plain text (CSV, rich text as it is)                the file itself
//
// catdoc paragraphs on one line each; xls2csv cells unquoted, TAB between. Anything else (bytes that are
// no text, a compound file of another kind, a special file) is refused before any converter runs.
// $KESTRIX_DOC_CONVERTER and $KESTRIX_XLS_CONVERTER name another program to run with the same arguments;
// $KESTRIX_OFFICE_TIMEOUT_MS sets the time limit of one conversion (20 s when unset or not a positive
// number).
#pragma once

#include <optional>
#include <string>

#include "platform/office/opened_file.h"

namespace office {

// A document as an application holds it: the file it was opened from, kept open, and its text, which is
// a converter's output or the file itself (copied when saved, never held in memory).
class DocumentText {
 public:
  DocumentText() = default;
  DocumentText(OpenedFile file, std::optional<std::string> converted)
      : file_(std::move(file)), converted_(std::move(converted)) {}

  // Writes the text to `path`; "" on success, otherwise why not. Never writes over the opened file.
  std::string SaveTo(const std::string& path) const;

 private:
  OpenedFile file_;
  std::optional<std::string> converted_;  // nullopt: the file is its own text
};

struct OpenedDocument {
  bool read = false;
  DocumentText text;    // when read: UTF-8 lines ending with "\n", or the text file as it is
  std::string failure;  // otherwise: why not, as a phrase for the user
};

OpenedDocument ReadWordDocument(const std::string& path);
// The first sheet of the workbook: cells separated by TAB, rows ending with "\n".
OpenedDocument ReadWorkbookFirstSheet(const std::string& path);

}  // namespace office
