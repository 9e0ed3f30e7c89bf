#include "tests/control/automation_sinks.h"

#include <algorithm>

namespace zarn::test {

ole::HRESULT EventSink::Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD, ole::DISPPARAMS* params,
                               ole::VARIANT*, ole::EXCEPINFO*, unsigned*) {
  std::string event;
  switch (id) {
    case kDispidScanStarted:
      event = "ScanStarted";
      break;
    case kDispidScanCompleted:
      event = "ScanCompleted";
      break;
    case kDispidOnError:
      // Arguments last to first: ErrorString by reference, then ErrorCode.
      event = "OnError " + std::to_string(params->rgvarg[1].lVal) + " " +
              ole::BytesFromBstr(*params->rgvarg[0].pbstrVal);
      break;
    default:
      event = "unknown " + std::to_string(id);
  }
  events.push_back(event);
  if (on_event) on_event(event);
  return ole::S_OK;
}

ole::DWORD Advise(ole::IUnknown* object, const ole::IID& iid, ole::IUnknown* sink) {
  ole::ComPtr<ole::IConnectionPointContainer> container;
  if (ole::FAILED(object->QueryInterface(ole::IID_IConnectionPointContainer, container.OutVoid()))) return 0;
  ole::ComPtr<ole::IConnectionPoint> point;
  if (ole::FAILED(container->FindConnectionPoint(iid, point.Out()))) return 0;
  ole::DWORD cookie = 0;
  point->Advise(sink, &cookie);
  return cookie;
}

}  // namespace zarn::test

namespace zarn::test {

ole::HRESULT MemoryStream::Read(void* into, ole::ULONG size, ole::ULONG* read) {
  const std::size_t count = std::min<std::size_t>(size, bytes.size() - position);
  bytes.copy(static_cast<char*>(into), count, position);
  position += count;
  if (read) *read = static_cast<ole::ULONG>(count);
  return count == size ? ole::S_OK : ole::S_FALSE;
}

ole::HRESULT MemoryStream::Write(const void* from, ole::ULONG size, ole::ULONG* written) {
  bytes.append(static_cast<const char*>(from), size);
  if (written) *written = size;
  return ole::S_OK;
}

}  // namespace zarn::test
