// What the library writes into the registry when it is registered, and removes when it is unregistered:
// its two classes, each with its ProgID, its library (the in-process server, ThreadingModel "Both") and
// the ProgID's way back to the class.
#pragma once

#include <string>

#include "platform/ole/result_codes.h"

namespace office {

// `library_path` is the library's own file, absolute. S_OK, or SELFREG_E_CLASS (nothing written).
ole::HRESULT RegisterOfficeServers(const std::string& library_path);
// Removes both classes, and each ProgID that still names one of them. S_OK or SELFREG_E_CLASS.
ole::HRESULT UnregisterOfficeServers();

}  // namespace office
