// Message boxes of the desktop program: modal, owned by a window (or by none), with the buttons asked for.
// A program without a screen, such as a test, puts a presenter of its own in place to see what would
// have been shown and to answer it.
#pragma once

#include <QString>
#include <functional>

#include "platform/window/scoped_presenter.h"

class QWidget;

namespace qtplatform {

enum class MessageButtons { kOk, kOkCancel, kYesNo };
enum class MessageAnswer { kOk, kCancel, kYes, kNo };
enum class MessageIcon { kInformation, kWarning, kError };

MessageAnswer MessageBox(QWidget* owner, const QString& text, const QString& title = {},
                         MessageButtons buttons = MessageButtons::kOk,
                         MessageIcon icon = MessageIcon::kInformation);

using MessagePresenter = std::function<MessageAnswer(QWidget* owner, const QString& text,
                                                     const QString& title, MessageButtons buttons)>;
// Puts `presenter` in place (an empty one restores the real message box); returns the one it replaces.
MessagePresenter SetMessagePresenter(MessagePresenter presenter);
// The presenter in place for as long as the object lives.
using ScopedMessagePresenter = win::ScopedPresenter<MessagePresenter, SetMessagePresenter>;

}  // namespace qtplatform
