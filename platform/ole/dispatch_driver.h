// Late binding: driving an automation object through its IDispatch by member name, as a scripting host
// does. Names are looked up once and remembered; every call reports the object's HRESULT, and the typed
// helpers answer a neutral value (false, 0, "") when the call fails or the result has another type.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "platform/ole/dispatch.h"
#include "platform/ole/variant.h"

namespace ole {

class DispatchDriver {
 public:
  DispatchDriver() = default;
  explicit DispatchDriver(ComPtr<IDispatch> object) : object_(std::move(object)) {}

  explicit operator bool() const { return static_cast<bool>(object_); }
  const ComPtr<IDispatch>& Object() const { return object_; }
  void Reset();

  // The member's DISPID, or DISPID_UNKNOWN when the object has no such member.
  DISPID IdOf(std::string_view name);

  // Arguments are given last to first, as DISPPARAMS holds them.
  HRESULT Invoke(DISPID id, WORD flags, std::span<VARIANT> arguments, VARIANT* result);
  HRESULT Put(std::string_view name, VARIANT& value);
  HRESULT Get(std::string_view name, VARIANT& result);  // the caller clears `result`
  HRESULT Call(std::string_view name, std::span<VARIANT> arguments = {}, VARIANT* result = nullptr);

  HRESULT PutBool(std::string_view name, bool value);
  HRESULT PutLong(std::string_view name, std::int32_t value);
  HRESULT PutText(std::string_view name, std::string_view bytes);
  bool GetBool(std::string_view name);
  std::int32_t GetLong(std::string_view name);
  std::string GetText(std::string_view name);
  // A method whose result is an automation boolean: true only when it answered TRUE.
  bool CallBool(std::string_view name, std::span<VARIANT> arguments = {});

  // What the object told of the last call that reached it: the code of the exception it raised (S_OK for
  // none) and the position of the argument it refused (0 when it named none).
  HRESULT LastExceptionCode() const { return last_exception_code_; }
  unsigned LastArgumentError() const { return last_argument_error_; }

 private:
  ComPtr<IDispatch> object_;
  std::map<std::string, DISPID, std::less<>> ids_;
  HRESULT last_exception_code_ = S_OK;
  unsigned last_argument_error_ = 0;
};

// True when `result` is an automation boolean holding TRUE.
bool IsTrue(const VARIANT& result);

// Arguments for out-parameters: variants that refer to the caller's text or number (the callee frees a
// text it replaces), and a number by value.
VARIANT ByReference(BSTR* text);
VARIANT ByReference(std::int32_t* number);
VARIANT ByValue(std::int32_t number);

}  // namespace ole
