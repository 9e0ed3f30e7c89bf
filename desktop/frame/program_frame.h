// What a child window of the main window knows of it: the program-wide values (the settings file, the
// thread-priority choice, whether the program is closing) and the two things a child asks of the main
// window. The main window implements it; a test of a child window alone gives a small one of its own.
#pragma once

#include <functional>
#include <string>

class QMdiArea;
class QWidget;

namespace kestrix {

class ProgramFrame {
 public:
  virtual ~ProgramFrame() = default;

  // gsIniFile: the full name of the program's settings file.
  virtual const std::string& IniFile() const = 0;
  // mlThreadPriority: the level chosen in the Thread Priority menu, 0 (Idle) to 4 (Time Critical).
  virtual int ThreadPriority() const = 0;
  // gbAppClosing: true from the close request of the main window on; children skip their layout then.
  virtual bool AppClosing() const = 0;

  // The search window was activated: the Report menu shows with only "Tab Delimited File" in it, and the
  // toolbar's first button is pressed.
  virtual void SearchWindowActivated() = 0;
  // UpateMainToolbar: a child window is closing; when it and the main window are the only visible
  // windows, every toolbar button is raised.
  virtual void UpateMainToolbar() = 0;
};

// Creates and loads the child window called `name` inside `area` (the main window's client area) and
// returns it; it is not shown yet. The main window calls the child's operations by name (Qt's invokable
// methods): FindText, Refresh_View, Change_Font(bool), Form_Resize, mnuReportTabDelimitedFile_Click,
// mnuReportTextFile_Click, mnuReportCommaDelimitedFile_Click and SetControlThreadPriority(int); a child
// without the operation ignores the call.
using ChildWindowFactory = std::function<QWidget*(ProgramFrame& frame, QMdiArea& area)>;

}  // namespace kestrix
