// zarn-find's hold on the control: created by its ProgID, sited (which names its settings file), its
// events advised, and every property and method reached through its dispatch interface by name, as any
// host of the control does.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/ole/dispatch_driver.h"
#include "platform/ole/display_name_site.h"
#include "platform/ole/event_sink.h"

namespace zarn_find {

class ZarnClient {
 public:
  struct Handlers {
    std::function<void()> scan_completed;
    std::function<void(std::int32_t code, const std::string& text)> error;
  };
  ZarnClient(const std::string& display_name, Handlers handlers);
  ~ZarnClient();
  ZarnClient(const ZarnClient&) = delete;
  ZarnClient& operator=(const ZarnClient&) = delete;

  // S_OK when the control was created; otherwise why not.
  ole::HRESULT CreationResult() const { return created_; }

  void SetBool(const char* name, bool value) { control_.PutBool(name, value); }
  void SetLong(const char* name, std::int32_t value) { control_.PutLong(name, value); }
  void SetText(const char* name, std::string_view bytes) { control_.PutText(name, bytes); }
  std::int32_t GetLong(const char* name) { return control_.GetLong(name); }
  bool GetBool(const char* name) { return control_.GetBool(name); }
  bool CallBool(const char* name, std::string_view text_argument = {}, bool with_argument = false);
  void Call(const char* name) { control_.Call(name); }
  // Sets the walk's pause after each folder entry through the control's pace extension; false when the
  // control does not offer it.
  bool SetEntryPause(std::int32_t milliseconds);

  // Reads record `number` into path(), line(), column() and text(); false when there is none.
  bool GetFileData(std::int32_t number);
  std::u16string_view path() const { return {path_, ole::SysStringLen(path_)}; }
  std::u16string_view text() const { return {text_, ole::SysStringLen(text_)}; }
  std::int32_t line() const { return line_; }
  std::int32_t column() const { return column_; }

 private:
  void Advise(Handlers handlers);

  ole::HRESULT created_ = ole::E_FAIL;
  ole::DispatchDriver control_;
  ole::ComPtr<ole::DisplayNameSite> site_;
  ole::EventConnection events_;
  ole::BSTR path_ = nullptr;  // handed to GetFileData, which frees and replaces them
  ole::BSTR text_ = nullptr;
  std::int32_t line_ = 0;
  std::int32_t column_ = 0;
  ole::DISPID get_file_data_ = ole::DISPID_UNKNOWN;  // asked for once: it is called for every finding
};

}  // namespace zarn_find
