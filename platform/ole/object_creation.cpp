#include "platform/ole/object_creation.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

#include "platform/ole/class_lookup.h"

namespace ole {

namespace {

using GetClassObjectFunction = HRESULT (*)(const CLSID&, const IID&, void**);
using CanUnloadNowFunction = HRESULT (*)();

// The libraries this process loaded, by file; each stays loaded until it says it may be unloaded.
struct LoadedLibraries {
  std::mutex mutex;
  std::map<std::string, void*> handles;
};

LoadedLibraries& Libraries() {
  static LoadedLibraries* libraries = new LoadedLibraries;  // outlives every static object that may use it
  return *libraries;
}

void* LoadLibrary(const std::string& path) {
  LoadedLibraries& libraries = Libraries();
  std::lock_guard lock(libraries.mutex);
  if (const auto found = libraries.handles.find(path); found != libraries.handles.end()) return found->second;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle) libraries.handles.emplace(path, handle);
  return handle;
}

}  // namespace

HRESULT CoInitialize(void*) {
  return S_OK;
}
void CoUninitialize() {}

HRESULT CoGetClassObject(const CLSID& clsid, const IID& iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  const std::optional<std::string> path = InprocServerPath(clsid);
  if (!path) return REGDB_E_CLASSNOTREG;
  void* library = LoadLibrary(*path);
  if (!library) return E_FAIL;
  const auto get_class_object = reinterpret_cast<GetClassObjectFunction>(dlsym(library, "DllGetClassObject"));
  if (!get_class_object) return E_FAIL;
  return get_class_object(clsid, iid, object);
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, const IID& iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  ComPtr<IClassFactory> factory;
  if (const HRESULT result = CoGetClassObject(clsid, IID_IClassFactory, factory.OutVoid()); FAILED(result))
    return result;
  return factory->CreateInstance(outer, iid, object);
}

HRESULT CLSIDFromProgID(std::string_view prog_id, CLSID* clsid) {
  if (!clsid) return E_POINTER;
  const std::optional<CLSID> found = CLSIDFromProgID(prog_id);
  if (!found) return CO_E_CLASSSTRING;
  *clsid = *found;
  return S_OK;
}

const TypeLibraryDescription* TypeLibraryOfClass(const CLSID& clsid) {
  using DescribeFunction = const TypeLibraryDescription* (*)();
  const std::optional<std::string> path = InprocServerPath(clsid);
  void* library = path ? LoadLibrary(*path) : nullptr;
  if (!library) return nullptr;
  const auto describe = reinterpret_cast<DescribeFunction>(dlsym(library, "DllGetTypeLibraryDescription"));
  return describe ? describe() : nullptr;
}

void CoFreeUnusedLibraries() {
  LoadedLibraries& libraries = Libraries();
  std::lock_guard lock(libraries.mutex);
  for (auto it = libraries.handles.begin(); it != libraries.handles.end();) {
    const auto can_unload = reinterpret_cast<CanUnloadNowFunction>(dlsym(it->second, "DllCanUnloadNow"));
    if (can_unload && can_unload() == S_OK) {
      dlclose(it->second);
      it = libraries.handles.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace ole
