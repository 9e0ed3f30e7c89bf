#include "desktop/frame/help_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace kestrix {

namespace {

constexpr int kWidth = 760;
constexpr int kHeight = 640;

QTextBrowser* CreateHelpWindow() {
  auto* window = new QTextBrowser(QApplication::activeWindow());
  window->setWindowFlag(Qt::Window);
  window->setObjectName("frmHelp");
  window->setWindowTitle("Kestrix Help");
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setAttribute(Qt::WA_QuitOnClose, false);
  window->setOpenExternalLinks(true);
  window->resize(kWidth, kHeight);
  return window;
}

}  // namespace

void ShowHelpWindow(const QString& path) {
  static QPointer<QTextBrowser> window;
  if (!window) window = CreateHelpWindow();
  if (QFileInfo(path).isReadable())
    window->setSource(QUrl::fromLocalFile(path));
  else
    window->setPlainText(QString("The help document %1 could not be read.").arg(path));
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace kestrix
