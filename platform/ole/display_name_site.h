// A container site for hosts that embed a control without a form around it: its ambient properties hold
// only the display name (which names the control's settings file).
#pragma once

#include <string>

#include "platform/ole/ole_object.h"

namespace ole {

class DisplayNameSite final : public ComObject<DisplayNameSite, IOleClientSite, IDispatch> {
 public:
  explicit DisplayNameSite(std::string display_name) : display_name_(std::move(display_name)) {}
  void* Find(const IID& iid);

  HRESULT SaveObject() override { return S_OK; }
  HRESULT ShowObject() override { return S_OK; }
  HRESULT OnShowWindow(bool) override { return S_OK; }
  HRESULT RequestNewObjectLayout() override { return E_NOTIMPL; }

  HRESULT GetTypeInfoCount(unsigned* count) override;
  HRESULT GetTypeInfo(unsigned, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(const IID&, OLECHAR**, unsigned, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT Invoke(DISPID id, const IID&, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                 unsigned*) override;

 private:
  std::string display_name_;
};

}  // namespace ole
