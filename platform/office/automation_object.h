// The base of the servers' automation objects: IDispatch carried out from a table of members (names
// matched without regard to letter case, calls checked for kind, argument count and argument types with
// the standard error results), methods whose trailing parameters may be left out, and counting in
// ModuleLife so the library knows when it may be unloaded.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ole/class_factory.h"
#include "platform/ole/dispatch_invoke.h"

namespace office {

struct ServerInterface {
  ole::InterfaceDescription members;
  // For methods whose trailing parameters are optional: how many the caller must give at least.
  // Methods not listed take exactly their parameters.
  std::map<ole::DISPID, unsigned> required;
};

// A call as an object carries it out: checked against the member, every given argument convertible to
// its parameter's type.
struct MemberCall {
  const ole::MemberDescription& member;
  bool put;
  const ole::DispatchArguments& arguments;  // left-out parameters hold VT_ERROR DISP_E_PARAMNOTFOUND
  std::vector<bool> given;                  // for each parameter, first to last
  ole::VARIANT* result;                     // never null
  ole::EXCEPINFO* exception;                // may be null
};
using MemberHandler = std::function<ole::HRESULT(const MemberCall& call)>;

ole::HRESULT InvokeMember(const ServerInterface& server, ole::DISPID id, ole::WORD flags,
                          ole::DISPPARAMS* params, ole::VARIANT* result, ole::EXCEPINFO* exception,
                          unsigned* argument_error, const MemberHandler& handler);

// Derived provides `static const ServerInterface& Interface()` and `HRESULT Call(const MemberCall&)`.
template <typename Derived>
class AutomationObject : public ole::ComObject<Derived, ole::IDispatch> {
 public:
  void* Find(const ole::IID& iid) {
    return iid == ole::IID_IUnknown || iid == ole::IID_IDispatch ? static_cast<ole::IDispatch*>(this)
                                                                 : nullptr;
  }
  ole::HRESULT GetTypeInfoCount(unsigned* count) override {
    if (!count) return ole::E_POINTER;
    *count = 0;
    return ole::S_OK;
  }
  ole::HRESULT GetTypeInfo(unsigned, ole::LCID, ole::ITypeInfo**) override { return ole::E_NOTIMPL; }
  ole::HRESULT GetIDsOfNames(const ole::IID&, ole::OLECHAR** names, unsigned count, ole::LCID,
                             ole::DISPID* ids) override {
    return ole::GetIDsOfDescribedNames(Derived::Interface().members, names, count, ids);
  }
  ole::HRESULT Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD flags, ole::DISPPARAMS* params,
                      ole::VARIANT* result, ole::EXCEPINFO* exception, unsigned* argument_error) override {
    const ole::ComPtr<Derived> keep_alive(static_cast<Derived*>(this));
    return InvokeMember(Derived::Interface(), id, flags, params, result, exception, argument_error,
                        [this](const MemberCall& call) { return static_cast<Derived*>(this)->Call(call); });
  }

 protected:
  AutomationObject() { ole::ModuleLife::ObjectCreated(); }
  ~AutomationObject() override { ole::ModuleLife::ObjectDestroyed(); }
};

// Builders of member tables.
ServerInterface Describe(const char* name, std::vector<ole::MemberDescription> members,
                         std::map<ole::DISPID, unsigned> required = {});
ole::MemberDescription Property(ole::DISPID id, const char* name, ole::VARTYPE type, bool read_only);
ole::MemberDescription Method(ole::DISPID id, const char* name,
                              std::vector<ole::ParameterDescription> parameters);

// Results, and the value of a property assignment.
void ReturnBool(ole::VARIANT* result, bool value);
ole::HRESULT AssignBool(const MemberCall& call, std::atomic<bool>& property);
template <typename T>
void ReturnObject(ole::VARIANT* result, const ole::ComPtr<T>& object) {
  result->vt = ole::VT_DISPATCH;
  result->pdispVal = static_cast<ole::IDispatch*>(object.Get());
  result->pdispVal->AddRef();
}

// Fails the call as the application does: DISP_E_EXCEPTION, with `description` and scode E_FAIL in
// `exception` (when the caller gave one).
ole::HRESULT Raise(ole::EXCEPINFO* exception, const char* source, const std::string& description);

}  // namespace office
