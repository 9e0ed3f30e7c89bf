// The library's exports: the four entry points of a self-registering in-process server. Nothing else of
// the library is visible from outside.
#include <string>

#include "platform/office/excel_server.h"
#include "platform/office/office_identities.h"
#include "platform/office/office_registration.h"
#include "platform/office/word_server.h"
#include "platform/ole/server_library.h"

#define OFFICE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The file this library was loaded from, as an absolute path.
std::string LibraryPath() {
  return ole::LibraryPathOf(reinterpret_cast<const void*>(&LibraryPath));
}

}  // namespace

OFFICE_EXPORT ole::HRESULT DllGetClassObject(const ole::CLSID& clsid, const ole::IID& iid, void** object) {
  if (!object) return ole::E_POINTER;
  *object = nullptr;
  if (clsid == office::CLSID_WordApplication)
    return ole::ClassFactoryOf<office::WordApplication>(iid, object);
  if (clsid == office::CLSID_ExcelApplication)
    return ole::ClassFactoryOf<office::ExcelApplication>(iid, object);
  return ole::CLASS_E_CLASSNOTAVAILABLE;
}

OFFICE_EXPORT ole::HRESULT DllCanUnloadNow() {
  return ole::ModuleLife::CanUnload() ? ole::S_OK : ole::S_FALSE;
}

OFFICE_EXPORT ole::HRESULT DllRegisterServer() {
  const std::string path = LibraryPath();
  return path.empty() ? ole::SELFREG_E_CLASS : office::RegisterOfficeServers(path);
}

OFFICE_EXPORT ole::HRESULT DllUnregisterServer() {
  return office::UnregisterOfficeServers();
}
