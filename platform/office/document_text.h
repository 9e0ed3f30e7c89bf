// The text of the documents the servers open, read by converter programs from Debian's packages:
//
//   word-processor documents (.doc)   catdoc -w -d utf-8 FILE           (paragraphs on one line each)
//   workbooks (.xls)                  xls2csv -q 0 -c TAB -d utf-8 FILE (cells unquoted, TAB between)
//
// $KESTRIX_DOC_CONVERTER and $KESTRIX_XLS_CONVERTER name another program to run with the same arguments;
// $KESTRIX_OFFICE_TIMEOUT_MS sets the time limit of one conversion (20 s when unset or not a positive
// number). Both formats are compound files; a file that does not start with the compound-file signature
// is refused before any converter runs (catdoc would pass it through as plain text).
#pragma once

#include <string>

namespace office {

struct DocumentText {
  bool read = false;
  std::string text;     // when read: UTF-8, lines ending with "\n"
  std::string failure;  // otherwise: why not, as a phrase for the user
};

DocumentText ReadWordDocument(const std::string& path);
// The first sheet of the workbook: cells separated by TAB, rows ending with "\n".
DocumentText ReadWorkbookFirstSheet(const std::string& path);

}  // namespace office
