#include "platform/ole/server_library.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>

namespace ole {

std::string LibraryPathOf(const void* address) {
  Dl_info info{};
  if (!dladdr(address, &info) || !info.dli_fname) return {};
  char resolved[PATH_MAX];
  return realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
}

}  // namespace ole
