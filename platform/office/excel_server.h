// "Excel.Application": an application object whose Workbooks collection opens workbooks (.xls), converting
// the first sheet to tab-delimited text as each opens, and text files (CSV among them), which are their
// own text; its workbooks save that text (document_text.h says which file is read how).
//
//   Application  Workbooks (get), ActiveWorkbook (get: the last opened), Quit (closes every workbook),
//                Visible, DisplayAlerts (get/put)
//   Workbooks    Open(FileName, [UpdateLinks, ReadOnly]) -> Workbook
//   Workbook     SaveAs(FileName, [FileFormat, Password]): FileFormat -4158 (text of this platform) or 20
//                (text) write the first sheet, cells separated by TAB, rows ending with a newline;
//                Saved (get/put)
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "platform/office/automation_object.h"
#include "platform/office/document_text.h"
#include "platform/office/open_files.h"

namespace office {

class ExcelWorkbook final : public AutomationObject<ExcelWorkbook> {
 public:
  explicit ExcelWorkbook(DocumentText text) : text_(std::move(text)) {}
  static const ServerInterface& Interface();
  ole::HRESULT Call(const MemberCall& call);

 private:
  ole::HRESULT SaveAs(const MemberCall& call);

  const DocumentText text_;
  std::atomic<bool> saved_{true};
};

using OpenWorkbooks = OpenFiles<ExcelWorkbook>;

class ExcelWorkbooks final : public AutomationObject<ExcelWorkbooks> {
 public:
  explicit ExcelWorkbooks(std::shared_ptr<OpenWorkbooks> workbooks) : workbooks_(std::move(workbooks)) {}
  static const ServerInterface& Interface();
  ole::HRESULT Call(const MemberCall& call);

 private:
  std::shared_ptr<OpenWorkbooks> workbooks_;
};

class ExcelApplication final : public AutomationObject<ExcelApplication> {
 public:
  static const ServerInterface& Interface();
  ole::HRESULT Call(const MemberCall& call);

 private:
  ole::HRESULT GetProperty(const MemberCall& call);

  std::shared_ptr<OpenWorkbooks> workbooks_ = std::make_shared<OpenWorkbooks>();
  std::atomic<bool> visible_{false};
  std::atomic<bool> display_alerts_{true};
};

}  // namespace office
