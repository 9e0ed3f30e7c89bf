// The objects zarn-find hands the control: the site it sits in (which tells the control its display name)
// and the sink of the control's events.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/ole/connection_point.h"
#include "platform/ole/ole_object.h"

namespace zarn_find {

// A site whose ambient properties hold only the display name.
class HostSite final : public ole::ComObject<HostSite, ole::IOleClientSite, ole::IDispatch> {
 public:
  explicit HostSite(std::string display_name) : display_name_(std::move(display_name)) {}
  void* Find(const ole::IID& iid);

  ole::HRESULT SaveObject() override { return ole::S_OK; }
  ole::HRESULT ShowObject() override { return ole::S_OK; }
  ole::HRESULT OnShowWindow(bool) override { return ole::S_OK; }
  ole::HRESULT RequestNewObjectLayout() override { return ole::E_NOTIMPL; }

  ole::HRESULT GetTypeInfoCount(unsigned* count) override;
  ole::HRESULT GetTypeInfo(unsigned, ole::LCID, ole::ITypeInfo**) override { return ole::E_NOTIMPL; }
  ole::HRESULT GetIDsOfNames(const ole::IID&, ole::OLECHAR**, unsigned, ole::LCID, ole::DISPID*) override {
    return ole::DISP_E_UNKNOWNNAME;
  }
  ole::HRESULT Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD flags, ole::DISPPARAMS*,
                      ole::VARIANT* result, ole::EXCEPINFO*, unsigned*) override;

 private:
  std::string display_name_;
};

// Receives _DZarnEvents and hands them to plain functions.
class EventSink final : public ole::ComObject<EventSink, ole::IDispatch> {
 public:
  struct Handlers {
    std::function<void()> scan_completed;
    std::function<void(std::int32_t code, const std::string& text)> error;
  };
  explicit EventSink(Handlers handlers) : handlers_(std::move(handlers)) {}
  void* Find(const ole::IID& iid);

  ole::HRESULT GetTypeInfoCount(unsigned* count) override;
  ole::HRESULT GetTypeInfo(unsigned, ole::LCID, ole::ITypeInfo**) override { return ole::E_NOTIMPL; }
  ole::HRESULT GetIDsOfNames(const ole::IID&, ole::OLECHAR**, unsigned, ole::LCID, ole::DISPID*) override {
    return ole::DISP_E_UNKNOWNNAME;
  }
  ole::HRESULT Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD, ole::DISPPARAMS* params, ole::VARIANT*,
                      ole::EXCEPINFO*, unsigned*) override;

 private:
  Handlers handlers_;
};

}  // namespace zarn_find
