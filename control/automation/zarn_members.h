// The members of the control's dispatch interface _DZarn that follow its properties (which the control
// object describes, control/object/zarn_properties.h), and those of its event interface _DZarnEvents:
// each described once, every method with how a call of it is carried out. The type library,
// GetIDsOfNames and Invoke all read these tables.
#pragma once

#include <span>
#include <vector>

#include "control/object/zarn_properties.h"
#include "platform/ole/dispatch_arguments.h"
#include "platform/ole/type_description.h"

namespace zarn {

// Carries out a call whose arguments fit the method's parameters in number; `result` is never null.
using MethodCall = ole::HRESULT (*)(CZarnCtrl& control, const ole::DispatchArguments& arguments,
                                    ole::VARIANT* result);

struct ZarnMethod {
  ole::MemberDescription description;
  MethodCall call;
};

// Every method, in the order the type library lists them (after the properties).
std::span<const ZarnMethod> ZarnMethods();
// The method with `id`, or nullptr.
const ZarnMethod* FindZarnMethod(ole::DISPID id);

// A property as the type library describes it.
ole::MemberDescription DescribeProperty(const ZarnProperty& property);

// The events, in the order the type library lists them.
std::vector<ole::MemberDescription> ZarnEventMembers();

}  // namespace zarn
