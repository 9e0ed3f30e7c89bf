// Drives a dispatch interface the way a host does: members by name, arguments as variants.
#pragma once

#include <string>
#include <vector>

#include "platform/ole/dispatch.h"

namespace zarn::test {

class DispatchClient {
 public:
  explicit DispatchClient(ole::IDispatch* object) : object_(object) {}
  ~DispatchClient() { ole::ClearExcepInfo(&exception_); }
  DispatchClient(const DispatchClient&) = delete;
  DispatchClient& operator=(const DispatchClient&) = delete;

  ole::DISPID Id(const std::string& name) const;
  // Property get / put and method call by name; the result of the last call stays in last_result().
  ole::HRESULT Get(const std::string& name, ole::VARIANT* value) const;
  ole::HRESULT Put(const std::string& name, const ole::VARIANT& value);
  // `arguments` first to last, as the method declares them.
  ole::HRESULT Call(const std::string& name, std::vector<ole::VARIANT> arguments, ole::VARIANT* result = nullptr);

  std::string GetText(const std::string& name) const;
  std::int32_t GetLong(const std::string& name) const;
  bool GetBool(const std::string& name) const;
  ole::HRESULT PutText(const std::string& name, const std::string& bytes);
  ole::HRESULT PutBool(const std::string& name, bool value);
  ole::HRESULT PutLong(const std::string& name, std::int32_t value);
  bool CallBool(const std::string& name, std::vector<ole::VARIANT> arguments = {});

  const ole::EXCEPINFO& exception() const { return exception_; }
  unsigned argument_error() const { return argument_error_; }

 private:
  ole::IDispatch* object_;
  mutable ole::EXCEPINFO exception_;
  mutable unsigned argument_error_ = 0;
};

ole::VARIANT LongArgument(std::int32_t value);
ole::VARIANT BoolArgument(bool value);
// The BSTR stays owned by the caller's test (freed by the variant's clear).
ole::VARIANT TextArgument(const std::string& bytes);

}  // namespace zarn::test
