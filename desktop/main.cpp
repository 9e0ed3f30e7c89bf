// KestrixDemo: starts into the main window (desktop/frame), whose search window (desktop/search) hosts the
// search control; this is the one place that joins the two. The control's window messages (its event
// relay) are delivered inside Qt's event loop by the message pump, and its message boxes (from the Office
// conversion) and dialogs are shown as the program's own.
#include <QApplication>

#include "desktop/frame/main_window.h"
#include "desktop/frame/placement_settings.h"
#include "desktop/frame/toolbar_picture.h"
#include "desktop/search/large_allocations.h"
#include "desktop/search/search_window.h"
#include "platform/qt/dialog_renderer.h"
#include "platform/qt/library_message_boxes.h"
#include "platform/qt/message_pump.h"

int main(int argc, char** argv) {
  kestrix::ServeLargeBlocksFromTheSystem();
  QApplication application(argc, argv);
  QApplication::setApplicationName(kestrix::kProgramTitle);
  // The installed menu entry's name: desktops that match windows to entries by it show its icon.
  QGuiApplication::setDesktopFileName("org.kestrix.KestrixDemo");
  QApplication::setWindowIcon(QIcon(kestrix::FindTextInFilesPicture(64)));
  qtplatform::MessagePump pump;
  const qtplatform::LibraryMessageBoxes library_message_boxes;
  const qtplatform::QtDialogRenderer library_dialogs;  // the control's own dialogs, should it show any
  kestrix::frmMainMDI main_window([](kestrix::ProgramFrame& frame, QMdiArea& area) -> QWidget* {
    return new kestrix::frmFindTextInFiles(frame, area);
  });
  main_window.show();
  return QApplication::exec();
}
