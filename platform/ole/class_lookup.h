// Finding a class: its identity from a ProgID and back, and the library that implements it. The class
// manifest (class_manifest.h) is asked first, so a program can carry classes without registering
// them; then the registry:
//
//   <ProgID>\CLSID                  default value "{...}"
//   CLSID\{...}\ProgID              default value "<ProgID>"
//   CLSID\{...}\InprocServer32      default value "/path/to/library.so"
//
// An empty or numeric registry value counts as absent.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/ole/guid.h"

namespace ole {

std::optional<CLSID> CLSIDFromProgID(std::string_view prog_id);
std::optional<std::string> ProgIDFromCLSID(const CLSID& clsid);
// The library file to load for the class.
std::optional<std::string> InprocServerPath(const CLSID& clsid);

}  // namespace ole
