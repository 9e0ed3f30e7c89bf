// The main window's menus and toolbar, and what their items do.
#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "desktop/frame/about_window.h"
#include "desktop/frame/child_calls.h"
#include "desktop/frame/main_settings.h"
#include "desktop/frame/main_window.h"
#include "desktop/frame/toolbar_picture.h"
#include "platform/qt/mdi_arrange.h"

namespace kestrix {

namespace {
constexpr int kButtonPictureSize = 32;
}  // namespace

QMenu* frmMainMDI::AddMenu(const char* name, const QString& caption) {
  QMenu* menu = menuBar()->addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

QAction* frmMainMDI::AddItem(QMenu* menu, const QString& name, const QString& caption,
                             void (frmMainMDI::*click)()) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(name);
  if (click != nullptr) connect(item, &QAction::triggered, this, [this, click] { (this->*click)(); });
  return item;
}

void frmMainMDI::CreateMenus() {
  CreateFileMenu();
  CreateViewMenu();
  CreateReportMenu();
  CreateWindowMenu();
  CreateHelpMenu();
  AddMenu("mnuTemp", "")->menuAction()->setVisible(false);
}

void frmMainMDI::CreateFileMenu() {
  QMenu* file = AddMenu("mnuFile", "&File");
  AddItem(file, "mnuFindTextInFiles", "Find Text &In Files", &frmMainMDI::mnuFindTextInFiles_Click)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
  QMenu* priority = file->addMenu("&Thread Priority");
  priority->setObjectName("mnuThreadPriority");
  priority->menuAction()->setObjectName("mnuThreadPriority");
  connect(priority, &QMenu::aboutToShow, this, &frmMainMDI::mnuThreadPriority_Click);
  auto* choices = new QActionGroup(priority);  // exactly one level is checked
  const char* const captions[] = {"&Idle", "&Lowest", "&Normal", "&Highest", "Time Critical"};
  for (int level = 0; level < static_cast<int>(priority_items_.size()); ++level) {
    QAction* item =
        AddItem(priority, QString("mnuThreadPriorityLevel%1").arg(level), captions[level], nullptr);
    item->setCheckable(true);
    choices->addAction(item);
    connect(item, &QAction::triggered, this, [this, level] { mnuThreadPriorityLevel_Click(level); });
    priority_items_[level] = item;
  }
  priority_items_[thread_priority_]->setChecked(true);
  AddItem(file, "mnuExit", "E&xit", &frmMainMDI::mnuExit_Click);
}

void frmMainMDI::CreateViewMenu() {
  QMenu* view = AddMenu("mnuView", "&View");
  AddItem(view, "mnuFont", "Change &Font", &frmMainMDI::mnuFont_Click);
  AddItem(view, "mnuRefresh", "&Refresh", &frmMainMDI::mnuRefresh_Click)->setShortcut(Qt::Key_F5);
}

void frmMainMDI::CreateReportMenu() {
  mnuReport_ = AddMenu("mnuReport", "&Report");
  AddItem(mnuReport_, "mnuReportTextFile", "&Text File", &frmMainMDI::mnuReportTextFile_Click);
  AddItem(mnuReport_, "mnuReportTabDelimitedFile", "Tab &Delimited File",
          &frmMainMDI::mnuReportTabDelimitedFile_Click);
  AddItem(mnuReport_, "mnuReportCommaDelimitedFile", "&Comma Delimited File",
          &frmMainMDI::mnuReportCommaDelimitedFile_Click);
  mnuReport_->menuAction()->setVisible(false);  // until the search window is activated
}

void frmMainMDI::CreateWindowMenu() {
  QMenu* window = AddMenu("mnuWindow", "&Window");
  AddItem(window, "mnuWindowCascade", "&Cascade", &frmMainMDI::mnuWindowCascade_Click);
  AddItem(window, "mnuWindowTileHorizontal", "Tile &Horizontal", &frmMainMDI::mnuWindowTileHorizontal_Click);
  AddItem(window, "mnuWindowTileVertical", "&Tile Vertical", &frmMainMDI::mnuWindowTileVertical_Click);
}

void frmMainMDI::CreateHelpMenu() {
  QMenu* help = AddMenu("mnuHelp", "&Help");
  AddItem(help, "mnuHelpFile", "Help File ", &frmMainMDI::mnuHelpFile_Click)->setShortcut(Qt::Key_F1);
  AddItem(help, "mnuAbout", "&About", &frmMainMDI::mnuAbout_Click);
}

void frmMainMDI::CreateToolbar() {
  tbMain_ = addToolBar("Main");
  tbMain_->setObjectName("tbMain");
  tbMain_->setMovable(false);
  tbMain_->setIconSize(QSize(kButtonPictureSize, kButtonPictureSize));
  QAction* button =
      tbMain_->addAction(QIcon(FindTextInFilesPicture(kButtonPictureSize)), "Find Text In Files");
  button->setObjectName(kSearchWindowName);  // the button's key: the window it opens
  button->setCheckable(true);
  connect(tbMain_, &QToolBar::actionTriggered, this, &frmMainMDI::tbMain_ButtonClick);
}

void frmMainMDI::mnuFindTextInFiles_Click() {
  ShowChildForm(kSearchWindowName);
  SetFirstButtonPressed(true);
  CallChild(SearchWindow(), "FindText");
}

void frmMainMDI::tbMain_ButtonClick(QAction* button) {
  ShowChildForm(button->objectName());
  // A click on the pressed button would raise it (the button toggles); it stays pressed while its window
  // shows.
  if (QWidget* window = SearchWindow(); window != nullptr && window->isVisibleTo(this))
    button->setChecked(true);
}

void frmMainMDI::mnuThreadPriority_Click() {
  priority_items_[thread_priority_]->setChecked(true);
}

void frmMainMDI::mnuThreadPriorityLevel_Click(int index) {
  priority_items_[thread_priority_]->setChecked(false);
  SetThreadPriorityChoice(index);
  QWidget* active = ActiveChild();
  if (active != nullptr && active->objectName() == kSearchWindowName)
    CallChild(active, "SetControlThreadPriority", thread_priority_);
}

void frmMainMDI::mnuExit_Click() {
  close();
}

void frmMainMDI::mnuFont_Click() {
  CallChild(ActiveChild(), "Change_Font", true);
}

void frmMainMDI::mnuRefresh_Click() {
  CallChild(ActiveChild(), "Refresh_View");
}

void frmMainMDI::mnuReportTextFile_Click() {
  CallChild(ActiveChild(), "mnuReportTextFile_Click");
}

void frmMainMDI::mnuReportTabDelimitedFile_Click() {
  CallChild(ActiveChild(), "mnuReportTabDelimitedFile_Click");
}

void frmMainMDI::mnuReportCommaDelimitedFile_Click() {
  CallChild(ActiveChild(), "mnuReportCommaDelimitedFile_Click");
}

void frmMainMDI::mnuWindowCascade_Click() {
  qtplatform::ArrangeMdiWindows(*area_, qtplatform::kArrangeCascade);
}

void frmMainMDI::mnuWindowTileHorizontal_Click() {
  qtplatform::ArrangeMdiWindows(*area_, qtplatform::kArrangeTileHorizontal);
}

void frmMainMDI::mnuWindowTileVertical_Click() {
  qtplatform::ArrangeMdiWindows(*area_, qtplatform::kArrangeTileVertical);
}

void frmMainMDI::mnuHelpFile_Click() {
  OpenHelpFile(help_opener);
}

void frmMainMDI::mnuAbout_Click() {
  frmAbout about(this);
  about.exec();
}

}  // namespace kestrix
