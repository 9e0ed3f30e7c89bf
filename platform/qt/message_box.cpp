#include "platform/qt/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace qtplatform {

namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kWarning:
      return QMessageBox::Warning;
    case MessageIcon::kError:
      return QMessageBox::Critical;
    default:
      return QMessageBox::Information;
  }
}

MessageAnswer ShowQtMessageBox(QWidget* owner, const QString& text, const QString& title,
                               MessageButtons buttons, MessageIcon icon) {
  QMessageBox::StandardButtons shown = QMessageBox::Ok;
  if (buttons == MessageButtons::kOkCancel) shown = QMessageBox::Ok | QMessageBox::Cancel;
  if (buttons == MessageButtons::kYesNo) shown = QMessageBox::Yes | QMessageBox::No;
  const QString caption = title.isEmpty() ? QApplication::applicationDisplayName() : title;
  QMessageBox box(QtIcon(icon), caption, text, shown, owner);
  switch (box.exec()) {
    case QMessageBox::Cancel:
      return MessageAnswer::kCancel;
    case QMessageBox::Yes:
      return MessageAnswer::kYes;
    case QMessageBox::No:
      return MessageAnswer::kNo;
    default:
      return MessageAnswer::kOk;
  }
}

MessagePresenter& Presenter() {
  static MessagePresenter presenter;
  return presenter;
}

}  // namespace

MessageAnswer MessageBox(QWidget* owner, const QString& text, const QString& title, MessageButtons buttons,
                         MessageIcon icon) {
  if (const MessagePresenter& presenter = Presenter()) return presenter(owner, text, title, buttons);
  return ShowQtMessageBox(owner, text, title, buttons, icon);
}

MessagePresenter SetMessagePresenter(MessagePresenter presenter) {
  return std::exchange(Presenter(), std::move(presenter));
}

}  // namespace qtplatform
