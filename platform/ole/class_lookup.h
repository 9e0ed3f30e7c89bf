// Finding a class: its identity from a ProgID and back, and the library that implements it. Three places
// are asked in turn, and the first that knows the class answers:
// 1. the program's own class manifest (class_manifest.h), so a program can carry classes without
//    registering them (a build's programs have one beside them);
// 2. the per-user registry, so that what a user registers overrides what is installed:
//
//      <ProgID>\CLSID                  default value "{...}"
//      CLSID\{...}\ProgID              default value "<ProgID>"
//      CLSID\{...}\InprocServer32      default value "/path/to/library.so"
//
//    An empty or numeric registry value counts as absent;
// 3. the installed class manifest, which the package puts beside its libraries, so that installed
//    programs find the control and the Office servers with nothing registered.
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
