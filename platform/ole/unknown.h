// IUnknown: reference counting and interface discovery, the base of every automation object; ComPtr, a
// smart pointer that holds one reference; ComObject, the base our objects are built on.
#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

#include "platform/ole/guid.h"
#include "platform/ole/result_codes.h"

namespace ole {

using ULONG = std::uint32_t;

inline constexpr IID IID_IUnknown = MakeGuid("00000000-0000-0000-C000-000000000046");

struct IUnknown {
  virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;  // objects end through Release
};

// Holds one reference to an interface.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference to `pointer`.
  explicit ComPtr(T* pointer) : pointer_(pointer) {
    if (pointer_) pointer_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.pointer_) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  // Adopts a reference the caller already owns.
  static ComPtr Adopt(T* pointer) {
    ComPtr result;
    result.pointer_ = pointer;
    return result;
  }

  void Reset() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }
  T* Get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // Releases the held reference and hands out the slot for a function that returns a new one.
  T** Out() {
    Reset();
    return &pointer_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  // Gives up the reference to the caller.
  T* Detach() { return std::exchange(pointer_, nullptr); }

  // Asks for another interface of the same object.
  template <typename U>
  ComPtr<U> As(const IID& iid) const {
    ComPtr<U> other;
    if (pointer_) pointer_->QueryInterface(iid, other.OutVoid());
    return other;
  }

 private:
  T* pointer_ = nullptr;
};

// The base of our objects: a reference count, QueryInterface through the derived class's Find(iid)
// (which returns the matching interface pointer or nullptr), and deletion at the last Release.
template <typename Derived, typename... Interfaces>
class ComObject : public Interfaces... {
 public:
  HRESULT QueryInterface(const IID& iid, void** object) override {
    if (!object) return E_POINTER;
    *object = static_cast<Derived*>(this)->Find(iid);
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return references_.fetch_add(1, std::memory_order_relaxed) + 1; }
  ULONG Release() override {
    const ULONG left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

  // For Find: `this` as interface I when `iid` names it.
  template <typename I>
  void* IfInterface(const IID& iid, const IID& wanted) {
    return iid == wanted ? static_cast<void*>(static_cast<I*>(static_cast<Derived*>(this))) : nullptr;
  }

 private:
  std::atomic<ULONG> references_{1};  // the creator's reference
};

// Creates an object of a ComObject type; the returned pointer holds the creator's reference.
template <typename T, typename... Args>
ComPtr<T> MakeObject(Args&&... args) {
  return ComPtr<T>::Adopt(new T(std::forward<Args>(args)...));
}

}  // namespace ole
