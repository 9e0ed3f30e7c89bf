#include "platform/qt/library_message_boxes.h"

#include <QCoreApplication>
#include <QThread>

#include "platform/qt/message_box.h"

namespace qtplatform {

namespace {

MessageButtons ButtonsOf(win::UINT type) {
  switch (type & 0xF) {
    case win::MB_OKCANCEL:
      return MessageButtons::kOkCancel;
    case win::MB_YESNO:
      return MessageButtons::kYesNo;
    default:
      return MessageButtons::kOk;
  }
}

MessageIcon IconOf(win::UINT type) {
  switch (type & 0xF0) {
    case win::MB_ICONERROR:
      return MessageIcon::kError;
    case win::MB_ICONWARNING:
      return MessageIcon::kWarning;
    default:
      return MessageIcon::kInformation;
  }
}

int AnswerOf(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::kCancel:
      return win::IDCANCEL;
    case MessageAnswer::kYes:
      return win::IDYES;
    case MessageAnswer::kNo:
      return win::IDNO;
    default:
      return win::IDOK;
  }
}

int ShowOnThisThread(const std::string& text, const std::string& caption, win::UINT type) {
  return AnswerOf(MessageBox(nullptr, QString::fromStdString(text), QString::fromStdString(caption),
                             ButtonsOf(type), IconOf(type)));
}

int Present(win::HWND, const std::string& text, const std::string& caption, win::UINT type) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application || QThread::currentThread() == application->thread())
    return ShowOnThisThread(text, caption, type);
  int answer = win::IDOK;
  QMetaObject::invokeMethod(
      application, [&] { answer = ShowOnThisThread(text, caption, type); }, Qt::BlockingQueuedConnection);
  return answer;
}

}  // namespace

LibraryMessageBoxes::LibraryMessageBoxes() : presenter_(Present) {}

}  // namespace qtplatform
