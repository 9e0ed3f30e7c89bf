// Carries out GetIDsOfNames and Invoke for an object whose dispatch interface is described by an
// InterfaceDescription: finds members by name without regard to letter case, checks each call against
// the member (kind, number of arguments, named arguments, assignment to a read-only property) with the
// standard error results, and hands the checked call to the object.
#pragma once

#include <functional>

#include "platform/ole/dispatch_arguments.h"
#include "platform/ole/type_description.h"

namespace ole {

HRESULT GetIDsOfDescribedNames(const InterfaceDescription& description, OLECHAR** names, unsigned count,
                               DISPID* ids);

// What the object does with a checked call: for a property, `put` tells a get from an assignment (whose
// value is parameter 0); `result` is never null.
struct CheckedCall {
  const MemberDescription& member;
  bool put;
  const DispatchArguments& arguments;
  VARIANT* result;
};
using DescribedCall = std::function<HRESULT(const CheckedCall& call)>;

HRESULT InvokeDescribed(const InterfaceDescription& description, DISPID id, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, unsigned* argument_error,
                        const DescribedCall& call);

}  // namespace ole
