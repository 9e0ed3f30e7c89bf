// zarn-find's hold on the control: created by its ProgID, sited (which names its settings file), its
// events advised, and every property and method reached through its dispatch interface by name, as any
// host of the control does.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/ole/connection_point.h"
#include "platform/ole/display_name_site.h"
#include "tools/zarn-find/host_objects.h"

namespace zarn_find {

class ZarnClient {
 public:
  ZarnClient(const std::string& display_name, EventSink::Handlers handlers);
  ~ZarnClient();
  ZarnClient(const ZarnClient&) = delete;
  ZarnClient& operator=(const ZarnClient&) = delete;

  // S_OK when the control was created; otherwise why not.
  ole::HRESULT CreationResult() const { return created_; }

  void SetBool(const char* name, bool value);
  void SetLong(const char* name, std::int32_t value);
  void SetText(const char* name, std::string_view bytes);
  std::int32_t GetLong(const char* name);
  bool GetBool(const char* name);
  bool CallBool(const char* name, std::string_view text_argument = {}, bool with_argument = false);
  void Call(const char* name);

  // Reads record `number` into path(), line(), column() and text(); false when there is none.
  bool GetFileData(std::int32_t number);
  std::u16string_view path() const { return {path_, ole::SysStringLen(path_)}; }
  std::u16string_view text() const { return {text_, ole::SysStringLen(text_)}; }
  std::int32_t line() const { return line_; }
  std::int32_t column() const { return column_; }

 private:
  ole::DISPID Id(const char* name);
  ole::HRESULT Invoke(ole::DISPID id, ole::WORD flags, ole::DISPPARAMS& params, ole::VARIANT* result);
  void Put(const char* name, ole::VARIANT& value);
  void Advise(EventSink::Handlers handlers);

  ole::HRESULT created_ = ole::E_FAIL;
  ole::ComPtr<ole::IDispatch> control_;
  ole::ComPtr<ole::DisplayNameSite> site_;
  ole::ComPtr<ole::IConnectionPoint> events_point_;
  ole::DWORD events_cookie_ = 0;
  std::map<std::string, ole::DISPID, std::less<>> ids_;
  ole::BSTR path_ = nullptr;  // handed to GetFileData, which frees and replaces them
  ole::BSTR text_ = nullptr;
  std::int32_t line_ = 0;
  std::int32_t column_ = 0;
  ole::DISPID get_file_data_ = ole::DISPID_UNKNOWN;  // asked for once: it is called for every finding
};

}  // namespace zarn_find
