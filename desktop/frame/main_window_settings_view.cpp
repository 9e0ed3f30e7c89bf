#include "desktop/frame/main_window_settings_view.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "desktop/frame/main_window.h"

namespace kestrix {

namespace {

MainWindowSettingsView::Child ChildOf(const QWidget& child, const QWidget& main_window) {
  return {child.objectName().toStdString(), child.isVisibleTo(&main_window)};
}

}  // namespace

MainWindowSettings::MainWindowSettings(frmMainMDI& window) : window_(window), frame_(window) {}

int MainWindowSettings::ThreadPriorityChoice() const {
  return window_.ThreadPriority();
}

void MainWindowSettings::SetThreadPriorityChoice(int level) {
  window_.SetThreadPriorityChoice(level);
}

void MainWindowSettings::SetSearchWindowVisible(bool visible) {
  QWidget* search_window = window_.LoadSearchWindow();
  if (visible) window_.FocusChild(search_window);
}

void MainWindowSettings::FocusSearchWindow() {
  // Focus never shows a hidden window: the last run may have left it active but closed.
  QWidget* search_window = window_.LoadSearchWindow();
  if (search_window != nullptr && search_window->isVisibleTo(&window_)) window_.FocusChild(search_window);
}

std::vector<MainWindowSettingsView::Child> MainWindowSettings::LoadedChildren() const {
  std::vector<Child> children;
  for (const QMdiSubWindow* window : window_.Area().subWindowList(QMdiArea::CreationOrder))
    if (window->widget() != nullptr) children.push_back(ChildOf(*window->widget(), window_));
  return children;
}

std::optional<MainWindowSettingsView::Child> MainWindowSettings::ActiveChild() const {
  const QWidget* active = window_.ActiveChild();
  if (active == nullptr) return std::nullopt;
  return ChildOf(*active, window_);
}

}  // namespace kestrix
