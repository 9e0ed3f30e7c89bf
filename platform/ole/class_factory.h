// Class factories: how a library hands out new objects of its classes, and how it knows whether it may be
// unloaded (no object and no lock alive).
#pragma once

#include <atomic>

#include "platform/ole/unknown.h"

namespace ole {

inline constexpr IID IID_IClassFactory = MakeGuid("00000001-0000-0000-C000-000000000046");

struct IClassFactory : IUnknown {
  virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) = 0;
  virtual HRESULT LockServer(bool lock) = 0;

 protected:
  ~IClassFactory() = default;
};

// Counts the objects and server locks alive in one library (each library that links this has its own
// count, because libraries keep their symbols to themselves).
class ModuleLife {
 public:
  static void ObjectCreated() { count_.fetch_add(1); }
  static void ObjectDestroyed() { count_.fetch_sub(1); }
  static bool CanUnload() { return count_.load() == 0; }

 private:
  static inline std::atomic<long> count_{0};
};

// A factory for objects of type T (a ComObject made by MakeObject), counted in ModuleLife. Aggregation is
// not supported.
template <typename T>
class ClassFactory final : public ComObject<ClassFactory<T>, IClassFactory> {
 public:
  void* Find(const IID& iid) {
    return iid == IID_IUnknown || iid == IID_IClassFactory ? static_cast<IClassFactory*>(this) : nullptr;
  }
  HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ComPtr<T> created = MakeObject<T>();
    return created->QueryInterface(iid, object);
  }
  HRESULT LockServer(bool lock) override {
    if (lock)
      ModuleLife::ObjectCreated();
    else
      ModuleLife::ObjectDestroyed();
    return S_OK;
  }
};

}  // namespace ole
