#include "control/office/office_conversion.h"

#include <sys/stat.h>

#include <cstdio>

#include "control/office/auto_wrap.h"
#include "platform/ole/object_creation.h"

namespace zarn {

namespace {

// Word's and Excel's constants the conversion sends.
constexpr std::int32_t kWordPlainText = 2;
constexpr std::int32_t kExcelTabDelimitedText = -4158;

ole::Variant Text(const std::string& bytes) {
  return ole::Variant::FromBytes(bytes);
}

ole::Variant Number(std::int32_t value) {
  return ole::Variant(value);
}

// One conversion's hold on OLE and on the application: OLE is initialised for the conversion alone, and
// every object is released before it is uninitialised again.
class OfficeSession {
 public:
  explicit OfficeSession(const char* prog_id) {
    ole::CoInitialize(nullptr);
    ole::CLSID clsid;
    if (ole::SUCCEEDED(ole::CLSIDFromProgID(prog_id, &clsid)))
      ole::CoCreateInstance(clsid, nullptr, ole::IID_IDispatch, application_.OutVoid());
  }
  ~OfficeSession() {
    application_.Reset();
    ole::CoUninitialize();
  }
  OfficeSession(const OfficeSession&) = delete;
  OfficeSession& operator=(const OfficeSession&) = delete;

  ole::IDispatch* Application() const { return application_.Get(); }

  // Calls a member; false when it failed (AutoWrap has shown why). `result` may be null.
  bool Call(ole::WORD kind, ole::Variant* result, ole::IDispatch* object, const char16_t* name,
            std::initializer_list<ole::VARIANT> arguments = {}) {
    return ole::SUCCEEDED(AutoWrap(kind, result ? result->out() : nullptr, object, name, arguments));
  }

 private:
  ole::ComPtr<ole::IDispatch> application_;
};

// Whether `target` names the document itself (the same path, or a link to it): saving the text there
// would destroy the document.
bool NamesTheDocument(const std::string& target, const std::string& document) {
  struct stat target_status, document_status;
  return stat(target.c_str(), &target_status) == 0 && stat(document.c_str(), &document_status) == 0 &&
         target_status.st_dev == document_status.st_dev && target_status.st_ino == document_status.st_ino;
}

// The object a property get returned, or null when it returned none.
ole::IDispatch* ObjectOf(const ole::Variant& value) {
  return value.type() == ole::VT_DISPATCH ? value.get()->pdispVal : nullptr;
}

}  // namespace

// Word opens the document read-only and saves it as plain text. Every step runs even when an earlier one
// failed (each failure shows its own message); the result says whether the text file now holds this
// document's text. The target is removed first, so that a failed save never leaves the text of an
// earlier document to be read as this one's; a target that is the document itself is refused first of all.
bool ConvertWordDocument(const std::string& document, const std::string& text_file) {
  if (NamesTheDocument(text_file, document)) return false;
  OfficeSession word("Word.Application");
  if (!word.Application()) return false;
  std::remove(text_file.c_str());
  ole::Variant documents, active;
  bool ok = word.Call(ole::DISPATCH_PROPERTYGET, &documents, word.Application(), u"Documents");
  const ole::Variant name = Text(document), none = Text(""), zero = Number(0), one = Number(1);
  ok &= word.Call(ole::DISPATCH_METHOD, nullptr, ObjectOf(documents), u"Open",
                  {*none.get(), *zero.get(), *none.get(), *none.get(), *zero.get(), *one.get(), *zero.get(),
                   *name.get()});
  ok &= word.Call(ole::DISPATCH_PROPERTYGET, &active, word.Application(), u"ActiveDocument");
  const ole::Variant target = Text(text_file), format = Number(kWordPlainText);
  ok &= word.Call(ole::DISPATCH_METHOD, nullptr, ObjectOf(active), u"SaveAs",
                  {*zero.get(), *none.get(), *zero.get(), *format.get(), *target.get()});
  word.Call(ole::DISPATCH_METHOD, nullptr, word.Application(), u"Quit");
  return ok;
}

// Excel opens the workbook read-only and saves it as tab-delimited text, after the target is deleted
// (Excel would ask before replacing it); then the workbook is marked saved so that quitting asks nothing.
// A target that is the workbook itself is refused before anything is done.
bool ConvertExcelWorkbook(const std::string& document, const std::string& text_file) {
  if (NamesTheDocument(text_file, document)) return false;
  OfficeSession excel("Excel.Application");
  if (!excel.Application()) return false;
  ole::Variant workbooks, active, again;
  bool ok = excel.Call(ole::DISPATCH_PROPERTYGET, &workbooks, excel.Application(), u"workbooks");
  const ole::Variant name = Text(document), zero = Number(0), one = Number(1);
  ok &= excel.Call(ole::DISPATCH_METHOD, nullptr, ObjectOf(workbooks), u"Open",
                   {*one.get(), *zero.get(), *name.get()});
  std::remove(text_file.c_str());
  ok &= excel.Call(ole::DISPATCH_PROPERTYGET, &active, excel.Application(), u"ActiveWorkbook");
  const ole::Variant target = Text(text_file), format = Number(kExcelTabDelimitedText);
  ok &= excel.Call(ole::DISPATCH_METHOD, nullptr, ObjectOf(active), u"SaveAs",
                   {*zero.get(), *format.get(), *target.get()});
  excel.Call(ole::DISPATCH_PROPERTYGET, &again, excel.Application(), u"activeworkbook");
  excel.Call(ole::DISPATCH_PROPERTYPUT, nullptr, ObjectOf(again), u"saved", {*one.get()});
  excel.Call(ole::DISPATCH_METHOD, nullptr, excel.Application(), u"quit");
  return ok;
}

}  // namespace zarn
