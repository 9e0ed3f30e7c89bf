// The identities of the two automation servers this library serves: the word-processor application and
// the spreadsheet application, each created by its class identity or its ProgID.
#pragma once

#include "platform/ole/guid.h"

namespace office {

inline constexpr ole::CLSID CLSID_WordApplication = ole::MakeGuid("3A8A4FCF-7D63-4407-BA38-408A65A7F4B5");
inline constexpr ole::CLSID CLSID_ExcelApplication = ole::MakeGuid("6D4AF14A-243B-48A7-A139-9DDB11399440");
inline constexpr const char* kWordProgId = "Word.Application";
inline constexpr const char* kExcelProgId = "Excel.Application";

}  // namespace office
