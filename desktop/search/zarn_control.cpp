#include "desktop/search/zarn_control.h"

#include "platform/ole/automation_string.h"
#include "platform/ole/object_creation.h"

namespace kestrix {

namespace {

// The control's identities, as its type library gives them.
constexpr ole::CLSID kZarnClass = ole::MakeGuid("3F1B2A43-5C6D-4E7F-8A9B-0C1D2E3F4A50");
constexpr ole::IID kZarnEvents = ole::MakeGuid("3F1B2A42-5C6D-4E7F-8A9B-0C1D2E3F4A50");
constexpr ole::DISPID kScanStarted = 1;
constexpr ole::DISPID kScanCompleted = 2;
constexpr ole::DISPID kOnError = 3;

QString QStringOf(ole::BSTR text) {
  return QString(reinterpret_cast<const QChar*>(text), static_cast<qsizetype>(ole::SysStringLen(text)));
}

std::u16string_view Utf16Of(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

ole::Variant TextVariant(const QString& text) {
  const std::u16string_view wide = Utf16Of(text);
  return ole::Variant(ole::Bstr(ole::SysAllocStringLen(wide.data(), static_cast<unsigned>(wide.size()))));
}

}  // namespace

std::string BytesOf(const QString& text) {
  return ole::BytesFromUtf16(Utf16Of(text));
}

QString TextOf(std::string_view bytes) {
  const std::u16string wide = ole::Utf16FromBytes(bytes);
  return QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
}

ZarnControl::ZarnControl(const QString& display_name, QObject* parent) : QObject(parent) {
  ole::ComPtr<ole::IDispatch> control;
  created_ = ole::CoCreateInstance(kZarnClass, nullptr, ole::IID_IDispatch, control.OutVoid());
  if (ole::FAILED(created_)) return;
  control_ = ole::DispatchDriver(std::move(control));
  Site(display_name);
  Advise();
}

ZarnControl::~ZarnControl() {
  events_.Disconnect();
  if (const auto embedded = control_.Object().As<ole::IOleObject>(ole::IID_IOleObject))
    embedded->SetClientSite(nullptr);
  control_.Reset();  // the control stops a search that still runs and saves its settings
  ole::SysFreeString(path_);
  ole::SysFreeString(text_);
}

void ZarnControl::Site(const QString& display_name) {
  site_ = ole::MakeObject<ole::DisplayNameSite>(BytesOf(display_name));
  if (const auto embedded = control_.Object().As<ole::IOleObject>(ole::IID_IOleObject))
    embedded->SetClientSite(static_cast<ole::IOleClientSite*>(site_.Get()));
}

void ZarnControl::Advise() {
  std::map<ole::DISPID, ole::EventSink::Handler> handlers;
  handlers[kScanStarted] = [this](const ole::DISPPARAMS&) { emit ScanStarted(); };
  handlers[kScanCompleted] = [this](const ole::DISPPARAMS&) { emit ScanCompleted(); };
  handlers[kOnError] = [this](const ole::DISPPARAMS& arguments) {
    emit OnError(ole::LongArgument(arguments, 0), TextOf(ole::TextArgument(arguments, 1)));
  };
  events_.Connect(control_.Object().Get(), kZarnEvents,
                  ole::MakeObject<ole::EventSink>(kZarnEvents, std::move(handlers)));
}

void ZarnControl::SetText(const char* property, const QString& value) {
  ole::Variant text = TextVariant(value);
  control_.Put(property, *text.get());
}

void ZarnControl::SetBool(const char* property, bool value) {
  control_.PutBool(property, value);
}

void ZarnControl::SetLong(const char* property, std::int32_t value) {
  control_.PutLong(property, value);
}

bool ZarnControl::GetBool(const char* property) {
  return control_.GetBool(property);
}

std::int32_t ZarnControl::GetLong(const char* property) {
  return control_.GetLong(property);
}

bool ZarnControl::Begin() {
  return control_.CallBool("Begin");
}

void ZarnControl::Abort() {
  control_.Call("Abort");
}

bool ZarnControl::GetFileData(std::int32_t record, Finding& finding) {
  // Last to first: TextFound, ColumnNumber, LineNumber, FilePath, RecordNumber.
  ole::VARIANT arguments[5] = {ole::ByReference(&text_), ole::ByReference(&finding.column),
                               ole::ByReference(&finding.line), ole::ByReference(&path_),
                               ole::ByValue(record)};
  if (get_file_data_ == ole::DISPID_UNKNOWN) get_file_data_ = control_.IdOf("GetFileData");
  ole::Variant result;
  control_.Invoke(get_file_data_, ole::DISPATCH_METHOD, arguments, result.get());
  if (!ole::IsTrue(*result.get())) return false;
  finding.path = QStringOf(path_);
  finding.text = QStringOf(text_);
  return true;
}

bool ZarnControl::SaveDataToTabFile(const QString& path) {
  ole::Variant argument = TextVariant(path);
  return control_.CallBool("SaveDataToTabFile", std::span<ole::VARIANT>(argument.get(), 1));
}

bool ZarnControl::SaveOfficeDocAsText(const QString& document, const QString& text_file) {
  ole::Variant text = TextVariant(text_file), source = TextVariant(document);
  ole::VARIANT arguments[2] = {*text.get(), *source.get()};  // last to first; owned by the two above
  return control_.CallBool("SaveOfficeDocAsText", arguments);
}

}  // namespace kestrix
