// Zarn1: the search control as the search window hosts it. It is created by its class identity through
// the automation runtime, sited under the display name the window gives it (which names the control's
// own settings file), and driven only through its dispatch interface; its events arrive as Qt signals on
// the thread that created it. When the control cannot be created, every call answers false, 0 or
// nothing, and CreationResult() tells why.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

#include "platform/ole/dispatch_driver.h"
#include "platform/ole/display_name_site.h"
#include "platform/ole/event_sink.h"

namespace kestrix {

// One finding as GetFileData hands it over.
struct Finding {
  QString path;
  std::int32_t line = 0;
  std::int32_t column = 0;
  QString text;
};

class ZarnControl : public QObject {
  Q_OBJECT

 public:
  explicit ZarnControl(const QString& display_name, QObject* parent = nullptr);
  ~ZarnControl() override;

  ole::HRESULT CreationResult() const { return created_; }

  void SetText(const char* property, const QString& value);
  void SetBool(const char* property, bool value);
  void SetLong(const char* property, std::int32_t value);
  bool GetBool(const char* property);
  std::int32_t GetLong(const char* property);

  bool Begin();
  void Abort();
  bool SearchActive() { return GetBool("SearchActive"); }
  std::int32_t SearchCount() { return GetLong("SearchCount"); }
  bool GetFileData(std::int32_t record, Finding& finding);
  bool SaveDataToTabFile(const QString& path);
  bool SaveOfficeDocAsText(const QString& document, const QString& text_file);

 signals:
  void ScanStarted();
  void ScanCompleted();
  void OnError(std::int32_t code, const QString& text);

 private:
  void Site(const QString& display_name);
  void Advise();

  ole::HRESULT created_ = ole::E_FAIL;
  ole::DispatchDriver control_;
  ole::ComPtr<ole::DisplayNameSite> site_;
  ole::EventConnection events_;
  ole::DISPID get_file_data_ = ole::DISPID_UNKNOWN;  // asked for once: it is called for every finding
  ole::BSTR path_ = nullptr;                         // handed to GetFileData, which frees and replaces them
  ole::BSTR text_ = nullptr;
};

// The automation text of a QString and back, lossless for every byte string the control hands out.
std::string BytesOf(const QString& text);
QString TextOf(std::string_view bytes);

}  // namespace kestrix
