// kx-take-screenshots: starts the desktop program's real windows as KestrixDemo does, runs a search of a
// generated folder the way a user does and saves pictures of what shows: the options dialog, the main
// window with the findings, the viewer after a double click on one, the About window and the help window.
// Meant for a real X server (scripts/screenshots runs it under Xvfb). Settings go to a fresh temporary
// folder, so the user's own are never touched.
//
// Usage: kx-take-screenshots [OUTPUT-FOLDER]   (default build/screenshots)
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "desktop/frame/about_window.h"
#include "desktop/frame/main_window.h"
#include "desktop/frame/placement_settings.h"
#include "desktop/frame/settings_file.h"
#include "desktop/frame/toolbar_picture.h"
#include "desktop/search/options_dialog.h"
#include "desktop/search/search_history.h"
#include "desktop/search/search_window.h"
#include "desktop/search/status_texts.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/message_pump.h"
#include "platform/qt/status_bar.h"
#include "tests/support/temp_folder.h"
#include "tools/screenshots/control_dialogs.h"

namespace kestrix::screenshots {
namespace {

using namespace std::chrono_literals;

constexpr const char* kSearchText = "kestrel";
constexpr const char* kFileTypes = "*.txt;*.cpp;*.h";
constexpr int kSampleFiles = 28;
constexpr int kFindingToView = 5;         // the results row double-clicked: the long line of the first file
constexpr int kSettleMilliseconds = 300;  // lets the last changes paint before a picture is taken
constexpr QSize kDefaultSize(1100, 760);

// ---- The sample folder -----------------------------------------------------------------------------

const char* const kFolders[] = {"src/engine/", "src/ui/", "docs/", "notes/2024/"};
const char* const kExtensions[] = {".cpp", ".h", ".txt", ".txt"};
const char* const kStems[] = {"scanner", "walker", "report", "history", "options", "viewer", "status"};
const char* const kCodeLines[] = {
    "  for (const auto& entry : entries) total += entry.size();",
    "  if (!options.subfolders) return Result::kSkipped;",
    "  std::string line = ReadLine(stream, limit);",
    "  const int column = static_cast<int>(offset) + 1;",
    "  return matches.empty() ? std::nullopt : std::optional(matches.front());",
};
const char* const kProseLines[] = {
    "The walk visits every folder below the start and picks files by their type.",
    "Each finding names the file, the line and the column where the text begins.",
    "Long lines are kept whole; the grid wraps them when the column is narrow.",
    "Searches may run while the findings stream into the grid below.",
};

// One line of a sample file; every eleventh line holds the search text, one line is longer than a viewer
// row shows and one holds a TAB.
std::string SampleLine(bool code, int line) {
  if (line == 40) {
    std::string letters;  // long enough that the viewer shows only its beginning
    for (int round = 0; round < 12; ++round)
      letters +=
          "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi omicron pi rho sigma "
          "tau upsilon phi chi psi omega, ";
    return std::string(code ? "  // " : "") + "A long line that runs far past the column's edge, " +
           "to show how the grids cut or wrap it: " + letters + "and finally the kestrel.";
  }
  if (line == 60) return "\tkey\tvalue\tthe Kestrel column after tabs";
  if (line % 11 != 3)
    return code ? kCodeLines[line % std::size(kCodeLines)] : kProseLines[line % std::size(kProseLines)];
  const std::string number = std::to_string(line);
  return code ? "  auto kestrel = Hover(wind, " + number + ");"
              : "Line " + number + ": a kestrel hovers over the field.";
}

std::string SampleFile(bool code, int lines) {
  std::string body;
  for (int line = 1; line <= lines; ++line) body += SampleLine(code, line) + "\n";
  return body;
}

// About 420 findings in 28 files below four folders, and a few files of other types.
std::string WriteSampleFolder(const kx::test::TempFolder& temp) {
  for (int file = 0; file < kSampleFiles; ++file) {
    const int kind = file % 4;
    const std::string name = std::string(kFolders[kind]) + kStems[file % std::size(kStems)] +
                             std::to_string(file) + kExtensions[kind];
    temp.Write("sample/" + name, SampleFile(kind < 2, 120 + (file * 7) % 60));
  }
  temp.Write("sample/README.md", "A kestrel in a file type the search passes over.\n");
  temp.Write("sample/build/output.log", "kestrel\n");
  return temp / "sample/";
}

// Histories as a few earlier searches left them; the newest entry is the one the dialog shows.
void SeedHistories(const std::string& sample_folder) {
  const std::string ini = IniFilePath();
  SaveHistory(ini, "SearchPath", {"/usr/share/doc/", "/tmp/", sample_folder});
  SaveHistory(ini, "FileExt", {"*.md", "*.cpp;*.h", kFileTypes});
  SaveHistory(ini, "SearchFor", {"TODO", "needle", kSearchText});
}

// ---- Waiting and pictures --------------------------------------------------------------------------

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = 30s) {
  return kx::test::WaitFor(condition, deadline, [] {
    QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
  });
}

void Settle() {
  QTest::qWait(kSettleMilliseconds);
}

bool Exposed(const QWidget& widget) {
  return widget.isVisible() && widget.windowHandle() != nullptr && widget.windowHandle()->isExposed();
}

// The first visible, exposed window of type Window; null while there is none.
template <typename Window>
Window* ShownWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<Window*>(widget); window != nullptr && Exposed(*window)) return window;
  return nullptr;
}

template <typename Window>
Window* WaitForWindow() {
  Window* shown = nullptr;
  WaitUntil([&shown] { return (shown = ShownWindow<Window>()) != nullptr; });
  return shown;
}

// The top-level window as the screen shows it (with whatever frame the window system draws), or the
// widget's own painting when the screen cannot be read.
QPixmap Picture(QWidget& widget) {
  QWidget& window = *widget.window();
  const QRect frame = window.frameGeometry();
  QScreen* screen = window.screen();
  QPixmap picture;
  if (screen != nullptr) {
    const QPoint origin = frame.topLeft() - screen->geometry().topLeft();
    picture = screen->grabWindow(0, origin.x(), origin.y(), frame.width(), frame.height());
  }
  return picture.isNull() ? window.grab() : picture;
}

class Shooter {
 public:
  explicit Shooter(QString folder) : folder_(std::move(folder)) {}

  bool Save(QWidget& widget, const QString& name) {
    Settle();
    const QString path = QDir(folder_).absoluteFilePath(name);
    const bool saved = Picture(widget).save(path, "PNG");
    // Without a window manager no title bar is drawn: the title is printed instead.
    std::fprintf(saved ? stdout : stderr, "%s %s (title \"%s\")\n", saved ? "saved" : "could not save",
                 qPrintable(path), qPrintable(widget.window()->windowTitle()));
    ok_ = ok_ && saved;
    return saved;
  }
  bool Fail(const char* what) {
    std::fprintf(stderr, "kx-take-screenshots: %s\n", what);
    ok_ = false;
    return false;
  }
  bool Ok() const { return ok_; }

 private:
  QString folder_;
  bool ok_ = true;
};

// Closes a modal dialog left open by a step that failed, so that its event loop ends.
void CloseModalDialog() {
  if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
}

// ---- The flow --------------------------------------------------------------------------------------

class ScreenshotRun {
 public:
  explicit ScreenshotRun(const QString& folder)
      : shooter_(folder), main_window_([](ProgramFrame& frame, QMdiArea& area) -> QWidget* {
          return new frmFindTextInFiles(frame, area);
        }) {}

  int Run() {
    if (ShowMainWindow() && SearchThroughOptionsDialog() && ShowResults() && ShowFindingInViewer()) {
      ShowAbout();
      ShowHelp();
    }
    if (!ShootControlDialogs(
            [this](QWidget& window, const QString& name) { return shooter_.Save(window, name); }))
      shooter_.Fail("the control's dialogs never showed");
    main_window_.close();
    return shooter_.Ok() ? 0 : 1;
  }

 private:
  bool ShowMainWindow();
  bool SearchThroughOptionsDialog();
  bool AnswerOptionsDialog();
  bool ShowResults();
  bool ShowFindingInViewer();
  bool ShowAbout();
  bool CaptureAbout();
  bool ShowHelp();

  frmFindTextInFiles* SearchWindow() const {
    return qobject_cast<frmFindTextInFiles*>(main_window_.SearchWindow());
  }
  // The search window's control called `name`, or null.
  template <typename Control>
  Control* SearchControl(const char* name) const {
    frmFindTextInFiles* window = SearchWindow();
    return window != nullptr ? window->findChild<Control*>(name) : nullptr;
  }
  void Trigger(const char* item) {
    if (auto* action = main_window_.findChild<QAction*>(item)) action->trigger();
  }

  Shooter shooter_;
  qtplatform::MessagePump pump_;  // the control's events arrive only through it
  frmMainMDI main_window_;
};

bool ScreenshotRun::ShowMainWindow() {
  main_window_.show();
  if (!QTest::qWaitForWindowExposed(&main_window_)) return shooter_.Fail("the main window never showed");
  std::printf("main window shown at %dx%d%s\n", main_window_.width(), main_window_.height(),
              main_window_.isMaximized() ? " (maximised)" : "");
  // Without a window manager a maximised window keeps its small normal size; give it a usable one.
  if (main_window_.width() < kDefaultSize.width() || main_window_.height() < kDefaultSize.height()) {
    main_window_.showNormal();
    main_window_.setGeometry(QRect(QPoint(40, 30), kDefaultSize));
  }
  return true;
}

// File > Find Text In Files, as the user chooses it: the search window opens and the options dialog asks.
bool ScreenshotRun::SearchThroughOptionsDialog() {
  bool answered = false;
  QTimer::singleShot(0, &main_window_, [this, &answered] {
    answered = AnswerOptionsDialog();
    if (!answered) CloseModalDialog();
  });
  Trigger("mnuFindTextInFiles");
  if (!answered) return shooter_.Fail("the options dialog never showed");
  const qtplatform::StatusBar* status = SearchControl<qtplatform::StatusBar>("sbStatus");
  const bool ended = status != nullptr &&
                     WaitUntil([status] { return status->PanelText(kScanTimePanel).endsWith(" (Sec)"); });
  return ended || shooter_.Fail("the search did not end");
}

bool ScreenshotRun::AnswerOptionsDialog() {
  auto* dialog = WaitForWindow<frmFindTextInFilesOptions>();
  if (dialog == nullptr) return false;
  dialog->cbLookInSubfolders->setChecked(true);
  shooter_.Save(*dialog, "options_dialog.png");
  QTest::mouseClick(dialog->cbSearch, Qt::LeftButton);
  return true;
}

bool ScreenshotRun::ShowResults() {
  const qtplatform::FlexGrid* results = SearchControl<qtplatform::FlexGrid>("fgFiles");
  if (results == nullptr || results->Rows() < 2) return shooter_.Fail("no findings to show");
  std::printf("%d findings\n", results->Rows() - 1);
  return shooter_.Save(main_window_, "main_window_results.png");
}

// A double click on a finding, as in the view tests: the viewer above shows the file around it.
bool ScreenshotRun::ShowFindingInViewer() {
  qtplatform::FlexGrid& grid = *SearchControl<qtplatform::FlexGrid>("fgFiles");
  const qtplatform::FlexGrid& viewer = *SearchControl<qtplatform::FlexGrid>("msfgFileWithHit");
  const QModelIndex index = grid.model()->index(kFindingToView - 1, 0);
  grid.scrollTo(index);
  const QPoint where = grid.visualRect(index).center();
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, where);
  QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, where);
  if (!WaitUntil([&viewer] { return viewer.Rows() > 0; })) return shooter_.Fail("the viewer stayed empty");
  return shooter_.Save(main_window_, "main_window_viewer.png");
}

// Help > About, pictured once its animation has shown the first picture.
bool ScreenshotRun::ShowAbout() {
  bool shot = false;
  QTimer::singleShot(0, &main_window_, [this, &shot] {
    shot = CaptureAbout();
    CloseModalDialog();
  });
  Trigger("mnuAbout");
  return shot || shooter_.Fail("the About window never showed its picture");
}

bool ScreenshotRun::CaptureAbout() {
  auto* about = WaitForWindow<frmAbout>();
  if (about == nullptr || !WaitUntil([about] { return about->VisiblePicture() != 0; })) return false;
  return shooter_.Save(*about, "about_window.png");
}

// Help > Help File on a desktop without an application for the document (no programs on the PATH): the
// program's own help window.
bool ScreenshotRun::ShowHelp() {
  const QTemporaryDir no_programs;
  const kx::test::ScopedEnv path("PATH", no_programs.path().toStdString());
  Trigger("mnuHelpFile");
  QTextBrowser* help = nullptr;
  WaitUntil([&help] {
    help = ShownWindow<QTextBrowser>();
    return help != nullptr && help->objectName() == "frmHelp";
  });
  if (help == nullptr) return shooter_.Fail("the help window never showed");
  const bool saved = shooter_.Save(*help, "help_window.png");
  help->close();
  return saved;
}

QString OutputFolder(const QStringList& arguments) {
  const QString folder = arguments.size() > 1 ? arguments.at(1) : QString("build/screenshots");
  QDir().mkpath(folder);
  return QDir(folder).absolutePath();
}

}  // namespace
}  // namespace kestrix::screenshots

int main(int argc, char** argv) {
  using namespace kestrix::screenshots;
  // Settings and data of this run only: set before anything reads them.
  const kx::test::TempFolder temp;
  const kx::test::ScopedEnv config("XDG_CONFIG_HOME", temp / "config");
  const kx::test::ScopedEnv data("XDG_DATA_HOME", temp / "data");
  const std::string sample = WriteSampleFolder(temp);
  SeedHistories(sample);

  QApplication application(argc, argv);
  QApplication::setApplicationName(kestrix::kProgramTitle);
  QApplication::setWindowIcon(QIcon(kestrix::FindTextInFilesPicture(64)));
  ScreenshotRun run(OutputFolder(QApplication::arguments()));
  return run.Run();
}
