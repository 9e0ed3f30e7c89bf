// AutoWrap: calls a member of an automation object by name, the one way the Office conversion talks to
// Word and Excel. Every failure is shown in a message box (error icon, no owner, brought to the
// foreground) and returned; the caller goes on with its next step.
#pragma once

#include <initializer_list>

#include "platform/ole/dispatch.h"
#include "platform/ole/variant.h"

namespace zarn {

// How the member is invoked: DISPATCH_METHOD (1), DISPATCH_PROPERTYGET (2), both (3), DISPATCH_PROPERTYPUT
// (4).
using InvocationKind = ole::WORD;

// Calls `name` on `object` with `arguments` given from the member's last parameter to its first (a
// property put takes its one argument as the property-put argument). `result` receives the returned
// value; it may be null.
ole::HRESULT AutoWrap(InvocationKind kind, ole::VARIANT* result, ole::IDispatch* object, const char16_t* name,
                      std::initializer_list<ole::VARIANT> arguments = {});

}  // namespace zarn
