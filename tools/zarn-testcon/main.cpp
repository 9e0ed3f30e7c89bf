// zarn-testcon: a test container for controls. Lists the controls it knows, creates one (the one named on
// the command line, a ProgID or a class identity, at start), and lets a developer read and assign its
// properties, invoke its methods and watch its events.
//
//   zarn-testcon [PROGID-or-CLSID]
#include <QApplication>

#include "platform/qt/dialog_renderer.h"
#include "platform/qt/library_message_boxes.h"
#include "platform/qt/message_pump.h"
#include "tools/zarn-testcon/container_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zarn-testcon"));
  qtplatform::MessagePump pump;  // delivers the control's window messages, and so its events
  const qtplatform::LibraryMessageBoxes library_message_boxes;
  qtplatform::QtDialogRenderer dialogs;  // the control's own dialogs (its about box) as Qt dialogs
  testcon::ContainerWindow window;
  window.show();
  if (argc > 1) window.CreateControl(QString::fromLocal8Bit(argv[1]));
  return QApplication::exec();
}
