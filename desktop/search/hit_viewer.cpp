// The hit viewer and the report: a double click on a finding shows the file around its line in the grid
// above, and the report command has the control write every finding to a file opened in the editor.
#include "desktop/frame/program_folder.h"
#include "desktop/search/file_around_line.h"
#include "desktop/search/search_window.h"
#include "desktop/search/zarn_control.h"
#include "platform/qt/desktop_services.h"
#include "platform/qt/flex_grid.h"

namespace kestrix {

namespace {
constexpr const char* kViewerCopyName = "/DemoTemp.TXT";
constexpr const char* kReportName = "/FindTextReport.CSV";
}  // namespace

void frmFindTextInFiles::fgFiles_DblClick() {
  if (!fgFiles || fgFiles->Row() < 1) return;
  Finding finding;
  if (!Zarn1->GetFileData(fgFiles->Row() - 1, finding)) return;
  setWindowTitle(
      QString("FILE: %1 LINE: %2 COL: %3 ITEM: %4")
          .arg(finding.path, QString::number(finding.line), QString::number(finding.column), finding.text));
  QString shown = finding.path;
  if (Zarn1->GetBool("SupportOfficeDocs")) {
    const QString copy = QString::fromStdString(DataFolder()) + kViewerCopyName;
    if (Zarn1->SaveOfficeDocAsText(finding.path, copy)) shown = copy;
  }
  LoadFileAroundLine(*msfgFileWithHit, BytesOf(shown), finding.line);
  SizeRowsOfMSFlexGrid(*msfgFileWithHit, 0);
}

void frmFindTextInFiles::mnuReportTabDelimitedFile_Click() {
  const QString report = QString::fromStdString(DataFolder()) + kReportName;
  Zarn1->SaveDataToTabFile(report);  // a report that cannot be written still opens, as an empty editor
  qtplatform::OpenInEditor(report);
}

}  // namespace kestrix
