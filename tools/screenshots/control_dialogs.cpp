#include "tools/screenshots/control_dialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "platform/ole/object_creation.h"
#include "platform/ole/ole_object.h"
#include "platform/qt/dialog_renderer.h"

namespace kestrix::screenshots {

namespace {

constexpr ole::CLSID kSearchControl = ole::MakeGuid("3F1B2A43-5C6D-4E7F-8A9B-0C1D2E3F4A50");

QWidget* ModalDialog() {
  for (int tries = 0; tries < 200 && !QApplication::activeModalWidget(); ++tries)
    QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
  return QApplication::activeModalWidget();
}

void Press(QWidget& dialog, const QString& button) {
  for (QPushButton* candidate : dialog.findChildren<QPushButton*>())
    if (candidate->text() == button) return QTest::mouseClick(candidate, Qt::LeftButton);
  dialog.close();
}

// Runs `show` (which returns once its modal dialog closes) and has `picture` take the dialog meanwhile.
bool WhileShown(const std::function<void()>& show, const std::function<bool(QWidget&)>& picture) {
  bool shot = false;
  QTimer::singleShot(0, [&shot, picture] {
    QWidget* dialog = ModalDialog();
    if (dialog) shot = picture(*dialog);
  });
  show();
  return shot;
}

}  // namespace

bool ShootControlDialogs(const SavePicture& save) {
  const qtplatform::QtDialogRenderer renderer;
  ole::ComPtr<ole::IDispatch> control;
  if (ole::FAILED(ole::CoCreateInstance(kSearchControl, nullptr, ole::IID_IDispatch, control.OutVoid())))
    return false;
  ole::ComPtr<ole::IOleObject> embedded;
  control->QueryInterface(ole::IID_IOleObject, embedded.OutVoid());
  const bool about = WhileShown(
      [&] {
        ole::DISPPARAMS none;
        control->Invoke(ole::DISPID_ABOUTBOX, ole::GUID_NULL, 0, ole::DISPATCH_METHOD, &none, nullptr,
                        nullptr, nullptr);
      },
      [&](QWidget& box) {
        const bool saved = save(box, "control_about_box.png");
        Press(box, "OK");
        return saved;
      });
  const bool pages =
      embedded && WhileShown([&] { embedded->DoVerb(ole::OLEIVERB_PROPERTIES, nullptr, nullptr); },
                             [&](QWidget& frame) {
                               auto* tabs = frame.findChild<QTabWidget*>();
                               bool saved = tabs && save(frame, "control_general_page.png");
                               if (tabs) tabs->setCurrentIndex(1);
                               saved = saved && save(frame, "control_about_page.png");
                               Press(frame, "Cancel");
                               return saved;
                             });
  return about && pages;
}

}  // namespace kestrix::screenshots
