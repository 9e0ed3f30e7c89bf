// The sink of the control's events that zarn-find advises.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/ole/connection_point.h"

namespace zarn_find {

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
  ole::HRESULT Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD, ole::DISPPARAMS* params,
                      ole::VARIANT*, ole::EXCEPINFO*, unsigned*) override;

 private:
  Handlers handlers_;
};

}  // namespace zarn_find
