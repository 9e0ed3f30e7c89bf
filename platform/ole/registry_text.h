// The registry file's text: one section per key, in tree order, each listing the key's values.
//
//   ; Kestrix registry
//
//   [CLSID\{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}\InprocServer32]
//   @="/opt/kestrix/finder.so"
//   "ThreadingModel"="Both"
//   "Version"=dword:00000002
//
// "@" is the default value (the one named ""). In quoted names and text, "\\", "\"", "\n", "\r", "\t"
// and "\xHH" (for the other control bytes and every byte from 0x7F up) stand for single bytes, so any
// byte string survives the trip. Key names in a section line write "%", control bytes and bytes from
// 0x7F up as "%HH" ("\" cannot occur in a key name: it separates them). Values before the first
// section belong to the root. Blank lines and lines starting with ";" or "#" are comments; blanks
// around a line are ignored; a line that cannot be understood is skipped (the values after a section
// line that cannot be understood go with it), so a damaged file still yields what it can. A section
// nested deeper than kMaxRegistryKeyDepth is one that cannot be understood.
#pragma once

#include <string>
#include <string_view>

#include "platform/ole/registry_key.h"

namespace ole {

std::string WriteRegistryText(const RegistryKey& root);
RegistryKey ReadRegistryText(std::string_view text);

}  // namespace ole
