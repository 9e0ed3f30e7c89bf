// Sinks a test host advises at the control's connection points: one records the events of
// _DZarnEvents (with their arguments), one the property-change notifications.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control/automation/zarn_identities.h"
#include "platform/ole/connection_point.h"
#include "platform/ole/ole_object.h"
#include "platform/ole/persist_stream.h"

namespace zarn::test {

class EventSink final : public ole::ComObject<EventSink, ole::IDispatch> {
 public:
  void* Find(const ole::IID& iid) {
    return iid == ole::IID_IUnknown || iid == ole::IID_IDispatch || iid == IID__DZarnEvents
               ? static_cast<ole::IDispatch*>(this)
               : nullptr;
  }
  ole::HRESULT GetTypeInfoCount(unsigned*) override { return ole::E_NOTIMPL; }
  ole::HRESULT GetTypeInfo(unsigned, ole::LCID, ole::ITypeInfo**) override { return ole::E_NOTIMPL; }
  ole::HRESULT GetIDsOfNames(const ole::IID&, ole::OLECHAR**, unsigned, ole::LCID, ole::DISPID*) override {
    return ole::E_NOTIMPL;
  }
  ole::HRESULT Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD, ole::DISPPARAMS* params,
                      ole::VARIANT*, ole::EXCEPINFO*, unsigned*) override;

  std::vector<std::string> events;
  std::function<void(const std::string&)> on_event;
};

class PropertySink final : public ole::ComObject<PropertySink, ole::IPropertyNotifySink> {
 public:
  void* Find(const ole::IID& iid) {
    return iid == ole::IID_IUnknown || iid == ole::IID_IPropertyNotifySink
               ? static_cast<ole::IPropertyNotifySink*>(this)
               : nullptr;
  }
  ole::HRESULT OnChanged(ole::DISPID id) override {
    changed.push_back(id);
    return ole::S_OK;
  }
  ole::HRESULT OnRequestEdit(ole::DISPID) override { return ole::S_OK; }

  std::vector<ole::DISPID> changed;
};

// Advises `sink` at the connection point of `iid` of `object`; returns the cookie (0 on failure).
ole::DWORD Advise(ole::IUnknown* object, const ole::IID& iid, ole::IUnknown* sink);

}  // namespace zarn::test

namespace zarn::test {

// A stream of bytes in memory, as a container keeps a control's saved state.
class MemoryStream final : public ole::ComObject<MemoryStream, ole::IStream> {
 public:
  void* Find(const ole::IID& iid) {
    return iid == ole::IID_IUnknown || iid == ole::IID_IStream ? static_cast<ole::IStream*>(this) : nullptr;
  }
  ole::HRESULT Read(void* into, ole::ULONG size, ole::ULONG* read) override;
  ole::HRESULT Write(const void* from, ole::ULONG size, ole::ULONG* written) override;

  std::string bytes;
  std::size_t position = 0;
};

}  // namespace zarn::test
