// Bstr: owns one BSTR and frees it when it goes. Copies duplicate the string.
#pragma once

#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ole/automation_string.h"

namespace ole {

class Bstr {
 public:
  Bstr() noexcept = default;
  explicit Bstr(BSTR owned) noexcept : text_(owned) {}  // takes `owned` over
  // The bytes converted losslessly (see automation_string.h); throws std::bad_alloc.
  static Bstr FromBytes(std::string_view bytes) {
    BSTR text = BstrFromBytes(bytes);
    if (text == nullptr) throw std::bad_alloc();
    return Bstr(text);
  }

  Bstr(const Bstr& other) : text_(Duplicate(other.text_)) {}
  Bstr& operator=(const Bstr& other) {
    if (this != &other) reset(Duplicate(other.text_));
    return *this;
  }
  Bstr(Bstr&& other) noexcept : text_(other.release()) {}
  Bstr& operator=(Bstr&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~Bstr() { SysFreeString(text_); }

  BSTR get() const noexcept { return text_; }
  unsigned size() const noexcept { return SysStringLen(text_); }
  std::u16string_view view() const noexcept { return {text_, size()}; }
  std::string bytes() const { return BytesFromBstr(text_); }

  // Gives the string up to the caller, who must free it.
  BSTR release() noexcept { return std::exchange(text_, nullptr); }
  void reset(BSTR owned = nullptr) noexcept { SysFreeString(std::exchange(text_, owned)); }
  // For an out parameter: frees the string held and returns where the callee puts the new one.
  BSTR* out() noexcept {
    reset();
    return &text_;
  }

 private:
  static BSTR Duplicate(BSTR text) {
    if (text == nullptr) return nullptr;
    BSTR copy = SysAllocStringLen(text, SysStringLen(text));
    if (copy == nullptr) throw std::bad_alloc();
    return copy;
  }

  BSTR text_ = nullptr;
};

}  // namespace ole
