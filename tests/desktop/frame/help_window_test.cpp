// F1 on a desktop without an application for the help document: the program shows the document in its
// own help window, whether there is no launcher at all or the launcher finds nothing to open it with;
// a launcher that opens it gets the document and no window of the program's own appears.
#include <sys/stat.h>

#include <QMdiSubWindow>  // before the fixture, which uses it
#include <QProcess>
#include <QTest>
#include <QTextBrowser>

#include "tests/desktop/frame/main_window_fixture.h"

namespace kestrix {
namespace {

class HelpFile : public MainWindowTest {
 protected:
  // A launcher "xdg-open" on the PATH that logs its argument and ends with `status`.
  void InstallLauncher(int status) {
    const std::string launcher =
        folder_.Write("bin/xdg-open",
                      "#!/bin/sh\necho \"$1\" >> '" + log_file_ + "'\nexit " + std::to_string(status) + "\n");
    chmod(launcher.c_str(), 0755);
  }
  static QTextBrowser* HelpWindow() {
    for (QWidget* widget : QApplication::allWidgets())
      if (widget->objectName() == "frmHelp" && widget->isVisible())
        return qobject_cast<QTextBrowser*>(widget);
    return nullptr;
  }
  bool WaitUntil(const std::function<bool()>& condition) {
    return kx::test::WaitFor(condition, std::chrono::seconds(20), [] {
      QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    });
  }
  // The launchers started and not yet ended.
  static int LaunchersRunning() { return QCoreApplication::instance()->findChildren<QProcess*>().size(); }

  // An empty application database: no programs, no applications, no browser.
  kx::test::ScopedEnv path_{"PATH", folder_.MakeFolder("bin")};
  kx::test::ScopedEnv data_dirs_{"XDG_DATA_DIRS", folder_.MakeFolder("share")};
  kx::test::ScopedEnv data_home_{"XDG_DATA_HOME", folder_.MakeFolder("data")};
  kx::test::ScopedEnv browser_{"BROWSER", std::nullopt};
  std::string log_file_ = folder_ / "launcher.log";
};

TEST_F(HelpFile, F1WithoutAnApplicationForTheDocumentShowsItInTheProgramsOwnWindow) {
  const QString document = QCoreApplication::applicationDirPath() + "/KESTRIX.html";
  const struct {
    const char* desktop;
    std::optional<int> launcher_status;  // nullopt: no launcher at all
    bool own_window;
  } cases[] = {{"no launcher", std::nullopt, true},
               {"a launcher that finds no application", 3, true},
               {"a launcher that opens the document", 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.desktop);
    std::remove((folder_ / "bin/xdg-open").c_str());
    std::remove(log_file_.c_str());
    if (c.launcher_status) InstallLauncher(*c.launcher_status);
    const auto window = Open();
    ASSERT_TRUE(ShowAndActivate(*window));
    QTest::keyClick(window.get(), Qt::Key_F1);
    if (c.launcher_status) {
      ASSERT_TRUE(WaitUntil([] { return LaunchersRunning() == 0; }));
      EXPECT_EQ(kx::test::ReadFile(log_file_).value_or(""), document.toStdString() + "\n");
    }
    if (!c.own_window) {
      EXPECT_EQ(HelpWindow(), nullptr);
      continue;
    }
    ASSERT_TRUE(WaitUntil([] { return HelpWindow() != nullptr; }));
    EXPECT_EQ(HelpWindow()->source(), QUrl::fromLocalFile(document));
    EXPECT_TRUE(HelpWindow()->toPlainText().contains("Thread Priority"));
    HelpWindow()->close();
  }
}

}  // namespace
}  // namespace kestrix
