#include "desktop/frame/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>

#include "desktop/frame/child_calls.h"
#include "desktop/frame/main_settings.h"
#include "desktop/frame/main_window_settings_view.h"
#include "desktop/frame/placement_settings.h"
#include "desktop/frame/settings_file.h"
#include "desktop/frame/widget_placement.h"
#include "platform/qt/desktop_services.h"

namespace kestrix {

namespace {

QMdiSubWindow* SubWindowOf(const QMdiArea& area, const QWidget* child) {
  for (QMdiSubWindow* window : area.subWindowList())
    if (window->widget() == child) return window;
  return nullptr;
}

// The application's visible dialogs that are windows of their own.
int VisibleDialogs() {
  int count = 0;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (qobject_cast<QDialog*>(window) != nullptr && window->isVisible()) ++count;
  return count;
}

}  // namespace

frmMainMDI::frmMainMDI(ChildWindowFactory child_factory, const std::string& ini_file, QWidget* parent)
    : QMainWindow(parent),
      help_opener(qtplatform::OpenDocument),
      child_factory_(std::move(child_factory)),
      ini_file_(ini_file) {
  setObjectName("frmMainMDI");
  setWindowTitle("Kestrix From Brantwell");
  area_ = new QMdiArea(this);
  area_->setObjectName("mdiClient");
  setCentralWidget(area_);
  // The area makes a child active when the main window is activated, also a hidden one; a hidden child is
  // not active.
  connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* activated) {
    if (activated != nullptr && activated->isHidden()) area_->setActiveSubWindow(nullptr);
  });
  CreateToolbar();
  CreateMenus();
  MDIForm_Load();
}

void frmMainMDI::MDIForm_Load() {
  if (ini_file_.empty()) ini_file_ = IniFilePath();
  create();  // a window of the window system, so that its frame can be asked for before it shows
  MainWindowSettings view(*this);
  const PlacementSettings store(kProgramTitle);
  ReadIniFile(ini_file_, view, store);
  app_closing_ = false;
}

QWidget* frmMainMDI::SearchWindow() const {
  for (QMdiSubWindow* window : area_->subWindowList())
    if (window->widget() != nullptr && window->widget()->objectName() == kSearchWindowName)
      return window->widget();
  return nullptr;
}

QWidget* frmMainMDI::ActiveChild() const {
  // The area's current window (also while the program is in the background); a hidden one is not active.
  const QMdiSubWindow* window = area_->currentSubWindow();
  if (window == nullptr || !window->isVisibleTo(area_)) return nullptr;
  return window->widget();
}

QWidget* frmMainMDI::LoadSearchWindow() {
  if (QWidget* loaded = SearchWindow()) return loaded;
  QWidget* loaded = child_factory_ ? child_factory_(*this, *area_) : nullptr;
  // Loaded, not shown: hidden explicitly, so that showing the main window does not show it as well.
  if (QMdiSubWindow* window = SubWindowOf(*area_, loaded)) window->hide();
  return loaded;
}

void frmMainMDI::FocusChild(QWidget* child) {
  if (child == nullptr) return;
  // The frame first, in the state its placement left waiting (showing the child alone would show the frame
  // as it is).
  QMdiSubWindow* window = SubWindowOf(*area_, child);
  if (window != nullptr) ShowPlacedWindow(*window);
  child->show();
  if (window != nullptr) area_->setActiveSubWindow(window);
}

void frmMainMDI::ShowChildForm(const QString& name) {
  if (name != kSearchWindowName) return;
  // A visible search window only gets the focus; a hidden one is shown (and loaded first if need be).
  QWidget* window = SearchWindow();
  FocusChild(window != nullptr && window->isVisibleTo(this) ? window : LoadSearchWindow());
}

void frmMainMDI::SetThreadPriorityChoice(int level) {
  if (level < 0 || level >= static_cast<int>(priority_items_.size())) return;
  thread_priority_ = level;
  priority_items_[level]->setChecked(true);
}

void frmMainMDI::SearchWindowActivated() {
  mnuReport_->menuAction()->setVisible(true);
  findChild<QAction*>("mnuReportTabDelimitedFile")->setVisible(true);
  findChild<QAction*>("mnuReportTextFile")->setVisible(false);
  findChild<QAction*>("mnuReportCommaDelimitedFile")->setVisible(false);
  SetFirstButtonPressed(true);
}

void frmMainMDI::UpateMainToolbar() {
  int visible = isVisible() ? 1 : 0;
  for (QMdiSubWindow* window : area_->subWindowList())
    if (window->widget() != nullptr && window->widget()->isVisibleTo(this)) ++visible;
  visible += VisibleDialogs();
  if (visible == 2) SetFirstButtonPressed(false);
}

void frmMainMDI::SetFirstButtonPressed(bool pressed) {
  const QList<QAction*> buttons = tbMain_->actions();
  if (pressed) {
    if (!buttons.isEmpty()) buttons.first()->setChecked(true);
    return;
  }
  for (QAction* button : buttons) button->setChecked(false);
}

void frmMainMDI::closeEvent(QCloseEvent* event) {
  app_closing_ = true;
  {
    MainWindowSettings view(*this);
    PlacementSettings store(kProgramTitle);
    SaveIniFile(ini_file_, view, store);
  }
  area_->closeAllSubWindows();  // each child keeps its own settings as it closes
  event->accept();
}

void frmMainMDI::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  MDIForm_Resize();
}

void frmMainMDI::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) MDIForm_Resize();
}

void frmMainMDI::MDIForm_Resize() {
  if (isMinimized()) return;
  for (QMdiSubWindow* window : area_->subWindowList(QMdiArea::CreationOrder))
    CallChild(window->widget(), "Form_Resize");
}

}  // namespace kestrix
