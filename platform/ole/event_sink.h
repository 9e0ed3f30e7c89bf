// Receiving an object's events: a sink for one event interface that hands each event, by DISPID, to a
// plain function, and the connection that advises it at the object's connection point for as long as it
// lives. Events without a handler are accepted and ignored, as a host that does not handle an event does.
// A sink may also have a catch-all handler, which receives every event with its DISPID (after the event's
// own handler, if it has one), for hosts that watch events they do not know in advance.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "platform/ole/connection_point.h"

namespace ole {

class EventSink final : public ComObject<EventSink, IDispatch> {
 public:
  using Handler = std::function<void(const DISPPARAMS& arguments)>;
  using CatchAll = std::function<void(DISPID id, const DISPPARAMS& arguments)>;
  EventSink(const IID& events, std::map<DISPID, Handler> handlers, CatchAll catch_all = {})
      : events_(events), handlers_(std::move(handlers)), catch_all_(std::move(catch_all)) {}
  void* Find(const IID& iid);

  HRESULT GetTypeInfoCount(unsigned* count) override;
  HRESULT GetTypeInfo(unsigned, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(const IID&, OLECHAR**, unsigned, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT Invoke(DISPID id, const IID&, LCID, WORD, DISPPARAMS* arguments, VARIANT*, EXCEPINFO*,
                 unsigned*) override;

  // Stops handing events on (the host is going away while the object may still fire).
  void Silence() {
    handlers_.clear();
    catch_all_ = nullptr;
  }

 private:
  IID events_;
  std::map<DISPID, Handler> handlers_;
  CatchAll catch_all_;
};

// An event argument by its position from the first parameter (DISPPARAMS holds them last to first), by
// value or by reference; 0 or "" when it is missing or of another type.
std::int32_t LongArgument(const DISPPARAMS& arguments, unsigned position);
std::string TextArgument(const DISPPARAMS& arguments, unsigned position);

// A sink advised at an object's connection point; unadvised when the connection goes.
class EventConnection {
 public:
  EventConnection() = default;
  // S_OK when `object` has a connection point for the sink's interface and took the sink.
  HRESULT Connect(IUnknown* object, const IID& events, ComPtr<EventSink> sink);
  void Disconnect();
  ~EventConnection() { Disconnect(); }
  EventConnection(const EventConnection&) = delete;
  EventConnection& operator=(const EventConnection&) = delete;

 private:
  ComPtr<IConnectionPoint> point_;
  ComPtr<EventSink> sink_;
  DWORD cookie_ = 0;
};

}  // namespace ole
