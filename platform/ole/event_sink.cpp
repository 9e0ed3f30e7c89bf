#include "platform/ole/event_sink.h"

#include "platform/ole/automation_string.h"

namespace ole {

void* EventSink::Find(const IID& iid) {
  return iid == IID_IUnknown || iid == IID_IDispatch || iid == events_ ? static_cast<IDispatch*>(this)
                                                                       : nullptr;
}

HRESULT EventSink::GetTypeInfoCount(unsigned* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT EventSink::Invoke(DISPID id, const IID&, LCID, WORD, DISPPARAMS* arguments, VARIANT*, EXCEPINFO*,
                          unsigned*) {
  const DISPPARAMS given = arguments ? *arguments : DISPPARAMS{};
  // Copies: a handler may silence the sink (and so destroy the stored functions) while it runs.
  if (const auto handler = handlers_.find(id); handler != handlers_.end() && handler->second) {
    const Handler handle = handler->second;
    handle(given);
  }
  if (catch_all_) {
    const CatchAll handle = catch_all_;
    handle(id, given);
  }
  return S_OK;
}

namespace {
const VARIANT* Argument(const DISPPARAMS& arguments, unsigned position) {
  if (position >= arguments.cArgs) return nullptr;
  return &arguments.rgvarg[arguments.cArgs - 1 - position];
}
}  // namespace

std::int32_t LongArgument(const DISPPARAMS& arguments, unsigned position) {
  const VARIANT* value = Argument(arguments, position);
  if (!value) return 0;
  if (value->vt == VT_I4) return value->lVal;
  if (value->vt == (VT_BYREF | VT_I4) && value->plVal) return *value->plVal;
  return 0;
}

std::string TextArgument(const DISPPARAMS& arguments, unsigned position) {
  const VARIANT* value = Argument(arguments, position);
  if (!value) return {};
  if (value->vt == VT_BSTR) return BytesFromBstr(value->bstrVal);
  if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal) return BytesFromBstr(*value->pbstrVal);
  return {};
}

HRESULT EventConnection::Connect(IUnknown* object, const IID& events, ComPtr<EventSink> sink) {
  Disconnect();
  if (!object || !sink) return E_POINTER;
  ComPtr<IConnectionPointContainer> container;
  HRESULT result = object->QueryInterface(IID_IConnectionPointContainer, container.OutVoid());
  if (SUCCEEDED(result)) result = container->FindConnectionPoint(events, point_.Out());
  if (SUCCEEDED(result)) result = point_->Advise(static_cast<IDispatch*>(sink.Get()), &cookie_);
  if (FAILED(result)) {
    point_.Reset();
    return result;
  }
  sink_ = std::move(sink);
  return S_OK;
}

void EventConnection::Disconnect() {
  if (sink_) sink_->Silence();
  if (point_) point_->Unadvise(cookie_);
  point_.Reset();
  sink_.Reset();
}

}  // namespace ole
