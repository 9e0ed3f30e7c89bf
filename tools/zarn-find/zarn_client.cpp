#include "tools/zarn-find/zarn_client.h"

#include "control/automation/zarn_identities.h"
#include "platform/ole/object_creation.h"

namespace zarn_find {

ZarnClient::ZarnClient(const std::string& display_name, Handlers handlers) {
  ole::CLSID clsid;
  created_ = ole::CLSIDFromProgID(zarn::kZarnProgId, &clsid);
  ole::ComPtr<ole::IDispatch> control;
  if (ole::SUCCEEDED(created_))
    created_ = ole::CoCreateInstance(clsid, nullptr, ole::IID_IDispatch, control.OutVoid());
  if (ole::FAILED(created_)) return;
  control_ = ole::DispatchDriver(std::move(control));
  // Events first: siting the control reads its settings file, and an error there (501) is an event.
  Advise(std::move(handlers));
  site_ = ole::MakeObject<ole::DisplayNameSite>(display_name);
  if (const auto embedded = control_.Object().As<ole::IOleObject>(ole::IID_IOleObject))
    embedded->SetClientSite(static_cast<ole::IOleClientSite*>(site_.Get()));
}

ZarnClient::~ZarnClient() {
  events_.Disconnect();
  if (control_)
    if (const auto embedded = control_.Object().As<ole::IOleObject>(ole::IID_IOleObject))
      embedded->SetClientSite(nullptr);
  control_.Reset();
  ole::SysFreeString(path_);
  ole::SysFreeString(text_);
}

void ZarnClient::Advise(Handlers handlers) {
  std::map<ole::DISPID, ole::EventSink::Handler> by_id;
  if (handlers.scan_completed)
    by_id[zarn::kDispidScanCompleted] = [done = std::move(handlers.scan_completed)](const ole::DISPPARAMS&) {
      done();
    };
  if (handlers.error)
    by_id[zarn::kDispidOnError] = [error = std::move(handlers.error)](const ole::DISPPARAMS& arguments) {
      error(ole::LongArgument(arguments, 0), ole::TextArgument(arguments, 1));
    };
  events_.Connect(control_.Object().Get(), zarn::IID__DZarnEvents,
                  ole::MakeObject<ole::EventSink>(zarn::IID__DZarnEvents, std::move(by_id)));
}

bool ZarnClient::CallBool(const char* name, std::string_view text_argument, bool with_argument) {
  if (!with_argument) return control_.CallBool(name);
  ole::Variant argument = ole::Variant::FromBytes(text_argument);
  return control_.CallBool(name, std::span<ole::VARIANT>(argument.get(), 1));
}

bool ZarnClient::SetEntryPause(std::int32_t milliseconds) {
  ole::ComPtr<ole::IDispatch> pace = control_.Object().As<ole::IDispatch>(zarn::IID__DZarnPace);
  return pace && ole::SUCCEEDED(ole::DispatchDriver(std::move(pace)).PutLong("EntryPause", milliseconds));
}

bool ZarnClient::GetFileData(std::int32_t number) {
  // Last to first: TextFound, ColumnNumber, LineNumber, FilePath, RecordNumber.
  ole::VARIANT arguments[5] = {ole::ByReference(&text_), ole::ByReference(&column_), ole::ByReference(&line_),
                               ole::ByReference(&path_), ole::ByValue(number)};
  if (get_file_data_ == ole::DISPID_UNKNOWN) get_file_data_ = control_.IdOf("GetFileData");
  ole::Variant result;
  control_.Invoke(get_file_data_, ole::DISPATCH_METHOD, arguments, result.get());
  return ole::IsTrue(*result.get());
}

}  // namespace zarn_find
