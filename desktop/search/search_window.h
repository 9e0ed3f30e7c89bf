// frmFindTextInFiles: the search window, the main window's child that runs searches through its control
// Zarn1. Find Text asks for the options in the options dialog, copies them into the control and starts
// it; a 25 ms timer then shows progress on the status bar and copies the findings into the results grid
// (while the scan runs, or all at its end); a double click on a finding shows the file around it in the
// viewer grid above; the report command has the control write all findings to a file and opens it in
// the user's editor. Errors of the control are listed at the bottom.
//
// The window's controls are its children under their names (cmdFindText, fgFiles, sbStatus, Timer1,
// ...), as a form's controls are: the window keeps them to itself, and a test finds them by name.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "desktop/frame/program_frame.h"
#include "desktop/search/findings_copy.h"
#include "desktop/search/search_history.h"
#include "platform/qt/font_dialog.h"

class QAction;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QTimer;
class QToolBar;

namespace qtplatform {
class FlexGrid;
class StatusBar;
}  // namespace qtplatform

namespace kestrix {

class ZarnControl;
class frmFindTextInFilesOptions;

// What the search window keeps in the program's settings file from one opening to the next.
struct SearchWindowSettings {
  bool mbStreamFindings = false;           // findings are copied while the scan runs, not only at its end
  bool mbBeepWhenDone = true;              // a beep when the scan completes
  std::array<int, 4> mlColWidth{};         // the results grid's column widths, twips
  qtplatform::FontSettings CommonDialog1;  // the font of the grids and the error list
};

class frmFindTextInFiles : public QWidget {
  Q_OBJECT

 public:
  // Creates the window inside `area` and loads it (the control, the settings, a fresh results grid); it
  // is not shown yet.
  frmFindTextInFiles(ProgramFrame& frame, QMdiArea& area);
  ~frmFindTextInFiles() override;

  // Operations the main window calls by name.
  Q_INVOKABLE void FindText();
  Q_INVOKABLE void Refresh_View();
  Q_INVOKABLE void Abort();
  Q_INVOKABLE void Change_Font(bool show_dialog);
  Q_INVOKABLE void Form_Resize();
  Q_INVOKABLE void mnuReportTabDelimitedFile_Click();
  Q_INVOKABLE void SetControlThreadPriority(int level);

  // Gives each row of `grid` whose text in `col` is wider than the column the height it needs.
  void SizeRowsOfMSFlexGrid(qtplatform::FlexGrid& grid, int col);

  QMdiSubWindow* SubWindow() const { return sub_window_; }
  const SearchWindowSettings& Settings() const { return settings_; }

  // The beep at the end of a scan; a test counts them instead.
  std::function<void()> beep;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Construction and load.
  void CreateControls();
  void CreateToolbar();
  void ConnectControl();
  void Form_Load();
  void Form_Activate();
  void Form_Unload();
  void PlaceBars();
  void ShowErrorHeader();

  // Settings of the window.
  void ReadIniFile();
  void SaveIniFile();
  void SaveColumnWidths();

  // The search.
  void cmdFindText_Click();
  void PresetOptionsDialog();
  void ApplyOptionsDialog();
  void BeginSearch();
  void Zarn1_ScanStarted();
  void Zarn1_ScanCompleted();
  void Zarn1_OnError(std::int32_t code, const QString& text);
  void Timer1_Timer();
  void ShowScanEnd();

  // The results grid and the viewer.
  void ResetFindingsGrid();
  qtplatform::FlexGrid* CreateFindingsGrid();
  bool FetchFindings(std::int32_t limit);
  void fgFiles_DblClick();

  QToolBar* Toolbar1 = nullptr;
  QPushButton* cmdFindText = nullptr;
  QPushButton* cmdViewReport = nullptr;
  ZarnControl* Zarn1 = nullptr;
  qtplatform::FlexGrid* msfgFileWithHit = nullptr;
  qtplatform::FlexGrid* fgDummy = nullptr;
  qtplatform::FlexGrid* fgFiles =
      nullptr;  // the results grid: fgDummy until the first reset, then one per search
  QListWidget* lstErrorMessages = nullptr;
  QTimer* Timer1 = nullptr;
  qtplatform::StatusBar* sbStatus = nullptr;

  SearchWindowSettings settings_;
  std::uint32_t mlSearchStartTicks = 0;
  FindingsCopy copy_;  // the copy of findings into fgFiles, mlFindingsShown with it

  ProgramFrame& frame_;
  QMdiSubWindow* sub_window_ = nullptr;
  frmFindTextInFilesOptions* options_ = nullptr;  // loaded on first use
  QAction* view_report_ = nullptr;                // cmdViewReport's place on the toolbar
  SearchHistory folder_history_, ext_history_, text_history_;
  bool unloaded_ = false;
};

}  // namespace kestrix
