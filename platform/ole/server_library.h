// What an in-process server library needs to serve its classes: the absolute path of the library itself
// (the registry must name it from anywhere) and a class factory for one of its classes.
#pragma once

#include <string>

#include "platform/ole/class_factory.h"

namespace ole {

// The absolute path of the shared library that holds `address` (a function of that library); "" when it
// cannot be found.
std::string LibraryPathOf(const void* address);

// Hands out a class factory for T, asked for as `iid`.
template <typename T>
HRESULT ClassFactoryOf(const IID& iid, void** object) {
  return MakeObject<ClassFactory<T>>()->QueryInterface(iid, object);
}

}  // namespace ole
