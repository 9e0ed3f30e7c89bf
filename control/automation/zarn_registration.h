// What the control library writes into the registry when it is registered, and removes when it is
// unregistered: its type library, and its control class with ProgID, name, flags and status bits.
#pragma once

#include <string>

#include "platform/ole/result_codes.h"

namespace zarn {

// `library_path` is the library's own file. S_OK, SELFREG_E_TYPELIB (nothing written) or SELFREG_E_CLASS.
ole::HRESULT RegisterZarnLibrary(const std::string& library_path);
ole::HRESULT UnregisterZarnLibrary();

}  // namespace zarn
