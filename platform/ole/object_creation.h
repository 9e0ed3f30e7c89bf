// Creating objects by class identity or ProgID: the class's library is found (beside the program through
// its kestrix.classes manifest, else in the registry), loaded once per process, and asked for the class's
// factory through its DllGetClassObject export.
#pragma once

#include <string_view>

#include "platform/ole/class_factory.h"
#include "platform/ole/type_description.h"

namespace ole {

// Automation is ready on every thread here; these keep the calls hosts make and count nothing.
HRESULT CoInitialize(void* reserved);
void CoUninitialize();

// The factory of `clsid`: REGDB_E_CLASSNOTREG when no library is known for it, E_FAIL when the library
// cannot be loaded, CLASS_E_CLASSNOTAVAILABLE when the library does not serve it.
HRESULT CoGetClassObject(const CLSID& clsid, const IID& iid, void** object);

// A new object of `clsid`, asked for `iid`.
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, const IID& iid, void** object);

// The class identity registered for a ProgID (CO_E_CLASSSTRING when there is none).
HRESULT CLSIDFromProgID(std::string_view prog_id, CLSID* clsid);

// The description of the type library of `clsid`'s library (its DllGetTypeLibraryDescription export),
// for hosts and tools that list what an object offers; nullptr when there is none. The library stays
// loaded while the description is in use.
const TypeLibraryDescription* TypeLibraryOfClass(const CLSID& clsid);

// Unloads the loaded libraries whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();

}  // namespace ole
