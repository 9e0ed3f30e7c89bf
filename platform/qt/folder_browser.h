// The folder browser: a modal dialog that picks a folder (folders only). A program without a screen,
// such as a test, puts a presenter of its own in place to answer it.
#pragma once

#include <QString>
#include <functional>

#include "platform/window/scoped_presenter.h"

class QWidget;

namespace qtplatform {

// The chosen folder, or an empty string when the user cancelled.
QString ShowFolderBrowser(QWidget* owner, const QString& title);

using FolderPresenter = std::function<QString(QWidget* owner, const QString& title)>;
// Puts `presenter` in place (an empty one restores the real browser); returns the one it replaces.
FolderPresenter SetFolderPresenter(FolderPresenter presenter);
// The presenter in place for as long as the object lives.
using ScopedFolderPresenter = win::ScopedPresenter<FolderPresenter, SetFolderPresenter>;

}  // namespace qtplatform
