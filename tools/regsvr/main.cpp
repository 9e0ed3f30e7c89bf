// kestrix-regsvr: registers or unregisters a self-registering library.
//   kestrix-regsvr LIBRARY       calls its DllRegisterServer
//   kestrix-regsvr /u LIBRARY    calls its DllUnregisterServer
// and says what came of it. Exit status 0 on success, 1 when the library failed, 2 for bad arguments or
// a library that cannot be loaded or has no such entry point.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/ole/result_codes.h"

namespace {

using EntryPoint = ole::HRESULT (*)();

int Usage() {
  std::fputs(
      "Usage: kestrix-regsvr [/u] LIBRARY\n"
      "Registers the classes of a self-registering library (with /u: removes them again).\n",
      stderr);
  return 2;
}

// A path without a "/" would be searched for along the library path; a file in the current folder is
// meant.
std::string AsPath(const char* library) {
  return std::strchr(library, '/') ? library : std::string("./") + library;
}

}  // namespace

int main(int argc, char** argv) {
  const bool unregister = argc == 3 && (std::strcmp(argv[1], "/u") == 0 || std::strcmp(argv[1], "-u") == 0);
  if (argc != 2 + (unregister ? 1 : 0) || argv[argc - 1][0] == '\0') return Usage();
  const char* library = argv[argc - 1];
  const char* entry_name = unregister ? "DllUnregisterServer" : "DllRegisterServer";

  void* handle = dlopen(AsPath(library).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    std::fprintf(stderr, "kestrix-regsvr: cannot load %s: %s\n", library, dlerror());
    return 2;
  }
  const auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, entry_name));
  if (!entry) {
    std::fprintf(stderr, "kestrix-regsvr: %s has no entry point %s\n", library, entry_name);
    dlclose(handle);
    return 2;
  }
  const ole::HRESULT result = entry();
  dlclose(handle);
  if (ole::FAILED(result)) {
    std::fprintf(stderr, "kestrix-regsvr: %s in %s failed with code 0x%08X\n", entry_name, library,
                 static_cast<unsigned>(result));
    return 1;
  }
  std::printf("%s in %s succeeded.\n", entry_name, library);
  return 0;
}
