// The control library's exports: the four entry points of a self-registering in-process server, the
// description of its type library, and its version block. Nothing else of the library is visible from
// outside.
#include <string>

#include "kestrix_version.h"

#include "control/automation/zarn_automation.h"
#include "control/automation/zarn_identities.h"
#include "control/automation/zarn_registration.h"
#include "control/automation/zarn_type_library.h"
#include "control/dialogs/zarn_property_pages.h"
#include "control/engine/search_job.h"
#include "platform/ole/server_library.h"

#define ZARN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The file this library was loaded from, as an absolute path.
std::string LibraryPath() {
  return ole::LibraryPathOf(reinterpret_cast<const void*>(&LibraryPath));
}

}  // namespace

// What the library's version resource holds.
struct ZarnVersionBlock {
  const char* file_name;
  const char* description;
  const char* file_version;
  const char* product_version;
  bool self_registering;
};

ZARN_EXPORT const ZarnVersionBlock kZarnVersionBlock = {"libzarn.so", "Kestrix ActiveX", KX_VERSION ".0",
                                                        KX_VERSION ".0", true};

ZARN_EXPORT ole::HRESULT DllGetClassObject(const ole::CLSID& clsid, const ole::IID& iid, void** object) {
  if (!object) return ole::E_POINTER;
  *object = nullptr;
  if (clsid == zarn::CLSID_Zarn) return ole::ClassFactoryOf<zarn::ZarnAutomation>(iid, object);
  if (clsid == zarn::CLSID_ZarnPropPage) return ole::ClassFactoryOf<zarn::CZarnPropPage>(iid, object);
  if (clsid == zarn::CLSID_ZarnAboutPage)
    return ole::ClassFactoryOf<zarn::CZarnPropertyPageAboutBox>(iid, object);
  return ole::CLASS_E_CLASSNOTAVAILABLE;
}

// No object of the library lives and no thread runs its code: every search worker's thread has exited.
ZARN_EXPORT ole::HRESULT DllCanUnloadNow() {
  return ole::ModuleLife::CanUnload() && zarn::SearchWorkersHaveExited() ? ole::S_OK : ole::S_FALSE;
}

ZARN_EXPORT ole::HRESULT DllRegisterServer() {
  return zarn::RegisterZarnLibrary(LibraryPath());
}

ZARN_EXPORT ole::HRESULT DllUnregisterServer() {
  return zarn::UnregisterZarnLibrary();
}

// The type library ZARNLib as hosts and tools read it.
ZARN_EXPORT const ole::TypeLibraryDescription* DllGetTypeLibraryDescription() {
  return &zarn::ZarnTypeLibrary();
}
