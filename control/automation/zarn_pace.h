// ZarnPace: the control's pace extension _DZarnPace, a dispatch interface of its own beside _DZarn that a
// host reaches only by QueryInterface with IID__DZarnPace. It is a face of the control object, not an
// object of its own: QueryInterface, AddRef and Release go to the control, so its IUnknown is the
// control's and it lives exactly as long as the control. GetIDsOfNames and Invoke know only the members
// of _DZarnPace (zarn_properties.h); a value the control refuses is answered with DISP_E_OVERFLOW, and no
// assignment is announced to the container or marks the control modified.
#pragma once

#include "control/object/zarn_ctrl.h"
#include "platform/ole/dispatch_invoke.h"

namespace zarn {

class ZarnPace final : public ole::IDispatch {
 public:
  // `object` is the control's own IUnknown; both it and `control` outlive the face.
  ZarnPace(ole::IUnknown& object, CZarnCtrl& control) : object_(object), control_(control) {}
  ZarnPace(const ZarnPace&) = delete;
  ZarnPace& operator=(const ZarnPace&) = delete;

  // IUnknown: the control's.
  ole::HRESULT QueryInterface(const ole::IID& iid, void** object) override {
    return object_.QueryInterface(iid, object);
  }
  ole::ULONG AddRef() override { return object_.AddRef(); }
  ole::ULONG Release() override { return object_.Release(); }

  // IDispatch (_DZarnPace); like _DZarn, it hands out no type information of its own.
  ole::HRESULT GetTypeInfoCount(unsigned* count) override;
  ole::HRESULT GetTypeInfo(unsigned, ole::LCID, ole::ITypeInfo**) override { return ole::E_NOTIMPL; }
  ole::HRESULT GetIDsOfNames(const ole::IID&, ole::OLECHAR** names, unsigned count, ole::LCID,
                             ole::DISPID* ids) override;
  ole::HRESULT Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD flags, ole::DISPPARAMS* params,
                      ole::VARIANT* result, ole::EXCEPINFO* exception, unsigned* argument_error) override;

 private:
  ole::HRESULT Call(const ole::CheckedCall& call);

  ole::IUnknown& object_;
  CZarnCtrl& control_;
};

}  // namespace zarn
