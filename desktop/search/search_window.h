// frmFindTextInFiles: the search window, the main window's child that runs searches through its control
// Zarn1. Find Text asks for the options in the options dialog, copies them into the control and starts
// it; a 25 ms timer then shows progress on the status bar and copies the findings into the results grid
// (while the scan runs, or all at its end); a double click on a finding shows the file around it in the
// viewer grid above; the report command has the control write all findings to a file and opens it in
// the user's editor. Errors of the control are listed at the bottom.
//
// The window's controls are public members under their names, as a form's controls are.
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "desktop/frame/program_frame.h"
#include "desktop/search/search_history.h"
#include "platform/qt/font_dialog.h"

class QAction;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QToolBar;

namespace kestrix {

class FlexGrid;
class StatusBar;
class ZarnControl;
class frmFindTextInFilesOptions;

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

  // The results grid's operations.
  void ResetFindingsGrid();
  void FetchFindings(std::int32_t limit);
  void SizeRowsOfMSFlexGrid(FlexGrid& grid, int col);

  QMdiSubWindow* SubWindow() const { return sub_window_; }

  QToolBar* Toolbar1;
  QPushButton* cmdFindText;
  QPushButton* cmdViewReport;
  ZarnControl* Zarn1;
  FlexGrid* msfgFileWithHit;
  FlexGrid* fgDummy;
  QPointer<FlexGrid> fgFiles;
  QListWidget* lstErrorMessages;
  QTimer Timer1;
  FontSettings CommonDialog1;
  StatusBar* sbStatus;

  bool mbStreamFindings = false;
  bool mbBeepWhenDone = true;
  std::array<int, 4> mlColWidth{};
  std::int32_t mlFindingsShown = 0;
  std::uint32_t mlSearchStartTicks = 0;

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
  FlexGrid* CreateFindingsGrid();
  void AddFindingRows(QStringList& rows);
  void fgFiles_DblClick();

  ProgramFrame& frame_;
  QMdiSubWindow* sub_window_ = nullptr;
  frmFindTextInFilesOptions* options_ = nullptr;  // loaded on first use
  QAction* view_report_ = nullptr;                // cmdViewReport's place on the toolbar
  SearchHistory folder_history_, ext_history_, text_history_;
  bool in_timer_tick_ = false;         // the tick yields to the event loop while it copies findings
  std::uint64_t grid_generation_ = 0;  // counts resets: a copy that yielded stops when its grid is gone
  bool copy_stopped_ = false;          // Abort during a copy ends the copy
  bool unloaded_ = false;
};

}  // namespace kestrix
