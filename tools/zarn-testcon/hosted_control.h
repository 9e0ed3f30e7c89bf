// One control as the container holds it: created by class identity, sited under a display name through
// IOleObject::SetClientSite, its default source interface advised with a sink that hands every event on,
// and its type library's description of the class, its default dispatch interface and its events. Calls
// through the dispatch interface report their outcome with EXCEPINFO's texts.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/ole/display_name_site.h"
#include "platform/ole/event_sink.h"
#include "platform/ole/type_description.h"
#include "tools/zarn-testcon/call_outcome.h"

namespace testcon {

class HostedControl {
 public:
  using EventHandler = ole::EventSink::CatchAll;

  // Creates the control of `clsid`; nullptr with the failure in `result` when it cannot be created or
  // offers no dispatch interface. `on_event` receives every event of its default source interface.
  static std::unique_ptr<HostedControl> Create(const ole::CLSID& clsid, const std::string& display_name,
                                               EventHandler on_event, ole::HRESULT* result);
  ~HostedControl();
  HostedControl(const HostedControl&) = delete;
  HostedControl& operator=(const HostedControl&) = delete;

  const ole::CLSID& Class() const { return clsid_; }
  ole::IDispatch* Object() const { return object_.Get(); }
  // The type library's descriptions; nullptr when the library has none (or does not describe the class).
  const ole::TypeLibraryDescription* Library() const { return library_; }
  const ole::ClassDescription* ClassDescription() const { return class_; }
  const ole::InterfaceDescription* Members() const;
  const ole::InterfaceDescription* Events() const;
  // How siting and advising went (S_OK, or why not).
  ole::HRESULT SiteResult() const { return sited_; }
  ole::HRESULT AdviseResult() const { return advised_; }

  CallOutcome Invoke(ole::DISPID id, ole::WORD flags, ole::DISPPARAMS& params, ole::VARIANT* result);
  CallOutcome Get(ole::DISPID id, ole::Variant& value);
  CallOutcome Put(ole::DISPID id, ole::Variant& value);

 private:
  HostedControl(const ole::CLSID& clsid, ole::ComPtr<ole::IDispatch> object);
  void Describe();
  void Site(const std::string& display_name);
  void Advise(EventHandler on_event);

  ole::CLSID clsid_;
  ole::ComPtr<ole::IDispatch> object_;
  ole::ComPtr<ole::DisplayNameSite> site_;
  ole::EventConnection events_;
  const ole::TypeLibraryDescription* library_ = nullptr;
  const ole::ClassDescription* class_ = nullptr;
  ole::HRESULT sited_ = ole::E_NOINTERFACE;
  ole::HRESULT advised_ = ole::E_FAIL;
};

}  // namespace testcon
