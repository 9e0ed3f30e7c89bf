#include "control/automation/zarn_pace.h"

#include "control/automation/zarn_member_calls.h"
#include "control/automation/zarn_type_library.h"

namespace zarn {

ole::HRESULT ZarnPace::GetTypeInfoCount(unsigned* count) {
  if (!count) return ole::E_POINTER;
  *count = 0;
  return ole::S_OK;
}

ole::HRESULT ZarnPace::GetIDsOfNames(const ole::IID&, ole::OLECHAR** names, unsigned count, ole::LCID,
                                     ole::DISPID* ids) {
  return ole::GetIDsOfDescribedNames(ZarnPaceInterface(), names, count, ids);
}

ole::HRESULT ZarnPace::Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD flags,
                              ole::DISPPARAMS* params, ole::VARIANT* result, ole::EXCEPINFO* exception,
                              unsigned* argument_error) {
  return ole::InvokeDescribed(ZarnPaceInterface(), id, flags, params, result, exception, argument_error,
                              [this](const ole::CheckedCall& call) { return Call(call); });
}

// A property is read, or assigned when the control takes the value.
ole::HRESULT ZarnPace::Call(const ole::CheckedCall& call) {
  const ZarnProperty* property = FindZarnPaceProperty(call.member.id);
  if (!property) return ole::DISP_E_MEMBERNOTFOUND;
  if (!call.put) return ReadProperty(*property, control_, call.result);
  bool taken = false;
  if (const ole::HRESULT assigned = AssignProperty(*property, control_, call.arguments, &taken);
      ole::FAILED(assigned))
    return assigned;
  return taken ? ole::S_OK : ole::DISP_E_OVERFLOW;
}

}  // namespace zarn
