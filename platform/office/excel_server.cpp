#include "platform/office/excel_server.h"

#include <optional>

#include "platform/office/document_text.h"
#include "platform/office/office_identities.h"
#include "platform/office/server_messages.h"

namespace office {

namespace {

using ole::HRESULT;

enum ApplicationDispid : ole::DISPID { kWorkbooks = 1, kActiveWorkbook, kQuit, kVisible, kDisplayAlerts };
enum WorkbooksDispid : ole::DISPID { kOpen = 1 };
enum WorkbookDispid : ole::DISPID { kSaveAs = 1, kSaved };

// The tab-delimited text formats of SaveAs: this platform's text, and text.
constexpr std::int32_t kFormatCurrentPlatformText = -4158;
constexpr std::int32_t kFormatText = 20;

}  // namespace

const ServerInterface& ExcelWorkbook::Interface() {
  static const ServerInterface server =
      Describe("Workbook",
               {Method(kSaveAs, "SaveAs",
                       {{"FileName", ole::VT_BSTR}, {"FileFormat", ole::VT_I4}, {"Password", ole::VT_BSTR}}),
                Property(kSaved, "Saved", ole::VT_BOOL, false)},
               {{kSaveAs, 1}});
  return server;
}

HRESULT ExcelWorkbook::Call(const MemberCall& call) {
  if (call.member.id == kSaveAs) return SaveAs(call);
  if (call.put) return AssignBool(call, saved_);
  ReturnBool(call.result, saved_);
  return ole::S_OK;
}

HRESULT ExcelWorkbook::SaveAs(const MemberCall& call) {
  std::string path;
  call.arguments.GetBytes(0, &path);
  std::optional<std::int32_t> format;
  if (std::int32_t asked = 0; call.given[1] && ole::SUCCEEDED(call.arguments.GetLong(1, &asked)))
    format = asked;
  if (format != kFormatCurrentPlatformText && format != kFormatText)
    return Raise(call.exception, kExcelProgId,
                 FormatNotSupported("tab-delimited text (FileFormat -4158 or 20)", format));
  if (std::string problem = text_.SaveTo(path); !problem.empty())
    return Raise(call.exception, kExcelProgId, CouldNotSave(path, problem));
  saved_ = true;
  return ole::S_OK;
}

const ServerInterface& ExcelWorkbooks::Interface() {
  static const ServerInterface server = Describe(
      "Workbooks",
      {Method(kOpen, "Open",
              {{"FileName", ole::VT_BSTR}, {"UpdateLinks", ole::VT_I4}, {"ReadOnly", ole::VT_BOOL}})},
      {{kOpen, 1}});
  return server;
}

HRESULT ExcelWorkbooks::Call(const MemberCall& call) {
  std::string path;
  call.arguments.GetBytes(0, &path);
  OpenedDocument workbook = ReadWorkbookFirstSheet(path);
  if (!workbook.read) return Raise(call.exception, kExcelProgId, CouldNotOpen(path, workbook.failure));
  const auto opened = ole::MakeObject<ExcelWorkbook>(std::move(workbook.text));
  workbooks_->Add(opened);
  ReturnObject(call.result, opened);
  return ole::S_OK;
}

const ServerInterface& ExcelApplication::Interface() {
  static const ServerInterface server =
      Describe("Application", {Property(kWorkbooks, "Workbooks", ole::VT_DISPATCH, true),
                               Property(kActiveWorkbook, "ActiveWorkbook", ole::VT_DISPATCH, true),
                               Method(kQuit, "Quit", {}), Property(kVisible, "Visible", ole::VT_BOOL, false),
                               Property(kDisplayAlerts, "DisplayAlerts", ole::VT_BOOL, false)});
  return server;
}

HRESULT ExcelApplication::Call(const MemberCall& call) {
  if (call.member.id == kQuit) {
    workbooks_->CloseAll();
    return ole::S_OK;
  }
  if (call.put) return AssignBool(call, call.member.id == kVisible ? visible_ : display_alerts_);
  return GetProperty(call);
}

HRESULT ExcelApplication::GetProperty(const MemberCall& call) {
  switch (call.member.id) {
    case kWorkbooks:
      ReturnObject(call.result, ole::MakeObject<ExcelWorkbooks>(workbooks_));
      return ole::S_OK;
    case kActiveWorkbook:
      if (const auto active = workbooks_->Active()) {
        ReturnObject(call.result, active);
        return ole::S_OK;
      }
      return Raise(call.exception, kExcelProgId,
                   "This command is not available because no workbook is open.");
    case kVisible:
      ReturnBool(call.result, visible_);
      return ole::S_OK;
    default:  // DisplayAlerts
      ReturnBool(call.result, display_alerts_);
      return ole::S_OK;
  }
}

}  // namespace office
