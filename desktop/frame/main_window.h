// frmMainMDI: the desktop program's main window. A multiple-document frame around the search window
// ("frmFindTextInFiles"), with the File, View, Report, Window and Help menus and a toolbar whose one
// button opens the search window. It owns the program-wide values (the settings file's name, the
// thread-priority choice, whether the program is closing) and keeps its own settings in the settings file
// and its placement in the per-user settings store.
#pragma once

#include <QMainWindow>
#include <array>
#include <string>

#include "desktop/frame/help_file.h"
#include "desktop/frame/program_frame.h"

class QAction;
class QMenu;
class QToolBar;

namespace kestrix {

class frmMainMDI : public QMainWindow, public ProgramFrame {
  Q_OBJECT

 public:
  // Builds the window and loads it: reads its settings, restores its placement and loads the search
  // window through `child_factory` (showing and focusing it as the last run left it). `ini_file`
  // replaces the settings file's usual name when not empty.
  explicit frmMainMDI(ChildWindowFactory child_factory, const std::string& ini_file = {},
                      QWidget* parent = nullptr);

  const std::string& IniFile() const override { return ini_file_; }
  int ThreadPriority() const override { return thread_priority_; }
  bool AppClosing() const override { return app_closing_; }
  void SearchWindowActivated() override;
  void UpateMainToolbar() override;

  // Opens the child window `name` (only "frmFindTextInFiles" is known): focuses it when visible,
  // otherwise shows it, loading it first when it is not loaded.
  void ShowChildForm(const QString& name);

  // The client area, the loaded search window (null when none) and the active child (null when none or
  // hidden).
  QMdiArea& Area() const { return *area_; }
  QWidget* SearchWindow() const;
  QWidget* ActiveChild() const;
  // Loads the search window unless it is loaded; returns it (null when the factory gave none).
  QWidget* LoadSearchWindow();
  // Shows a loaded child window and makes it the active one.
  void FocusChild(QWidget* child);
  // Sets the thread-priority choice and the check mark of its menu item.
  void SetThreadPriorityChoice(int level);

  // Opens the help document; the desktop's default application unless replaced.
  DocumentOpener help_opener;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void MDIForm_Load();
  void MDIForm_Resize();
  // main_window_menus.cpp
  void CreateMenus();
  void CreateFileMenu();
  void CreateViewMenu();
  void CreateReportMenu();
  void CreateWindowMenu();
  void CreateHelpMenu();
  void CreateToolbar();
  QMenu* AddMenu(const char* name, const QString& caption);
  QAction* AddItem(QMenu* menu, const QString& name, const QString& caption, void (frmMainMDI::*click)());

  void mnuFindTextInFiles_Click();
  void mnuThreadPriority_Click();
  void mnuThreadPriorityLevel_Click(int index);
  void mnuExit_Click();
  void mnuFont_Click();
  void mnuRefresh_Click();
  void mnuReportTextFile_Click();
  void mnuReportTabDelimitedFile_Click();
  void mnuReportCommaDelimitedFile_Click();
  void mnuWindowCascade_Click();
  void mnuWindowTileHorizontal_Click();
  void mnuWindowTileVertical_Click();
  void mnuHelpFile_Click();
  void mnuAbout_Click();
  void tbMain_ButtonClick(QAction* button);
  // Sets every toolbar button raised (false) or the first one pressed (true).
  void SetFirstButtonPressed(bool pressed);

  ChildWindowFactory child_factory_;
  QMdiArea* area_ = nullptr;
  QToolBar* tbMain_ = nullptr;
  QMenu* mnuReport_ = nullptr;
  std::array<QAction*, 5> priority_items_{};
  std::string ini_file_;      // gsIniFile
  int thread_priority_ = 0;   // mlThreadPriority
  bool app_closing_ = false;  // gbAppClosing
};

}  // namespace kestrix
