// kx-desktop-bench: the desktop program driven offscreen against a generated folder of 200,000 findings.
// It measures how long the findings take to reach the grid after the scan ends ("Show all findings at
// end"), the longest single pass of the event loop while findings stream in, and the memory the grid's
// rows take against the size of the report file. Then it measures the hit viewer with files that gained
// lines of megabytes after the search: the longest pass of the event loop while a finding is
// double-clicked and while the window is then maximised.
//
// Usage: kx-desktop-bench [FOLDER]   (default: a fresh folder under $TMPDIR, removed afterwards)
//        kx-desktop-bench --viewer   (only the viewer's measurements)
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>

#include "desktop/frame/main_window.h"
#include "desktop/search/options_dialog.h"
#include "desktop/search/search_window.h"
#include "desktop/search/status_texts.h"
#include "desktop/search/zarn_control.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/message_pump.h"
#include "platform/qt/status_bar.h"

namespace {

using kestrix::frmFindTextInFiles;

// The search window's control called `name` (cmdFindText, fgFiles, sbStatus, Timer1, Zarn1, ...).
template <typename Control>
Control& Named(const frmFindTextInFiles& search, const char* name) {
  return *search.findChild<Control*>(name);
}

constexpr int kFiles = 20;
constexpr int kLinesPerFile = 10000;  // every line holds one finding: 200,000 in all
constexpr int kTimeCritical = 4;      // the shortest pause after each folder entry

void WriteTree(const QString& folder) {
  QDir().mkpath(folder);
  std::string body;
  for (int line = 1; line <= kLinesPerFile; ++line)
    body += "line " + std::to_string(line) + " of the sample holds the needle we look for, and more words\n";
  for (int file = 0; file < kFiles; ++file) {
    std::ofstream out((folder + QString("/file%1.txt").arg(file, 3, 10, QChar('0'))).toStdString(),
                      std::ios::binary);
    out << body;
  }
}

double ResidentMiB() {
  long pages = 0, resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void WaitUntil(const std::function<bool()>& condition) {
  while (!condition()) QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

// Runs the Find Text flow with the dialog filled in.
void FindText(frmFindTextInFiles& search, const QString& folder, bool stream) {
  QTimer::singleShot(0, &search, [&search, folder, stream] {
    auto* dialog = search.findChild<kestrix::frmFindTextInFilesOptions*>();
    dialog->cbDirectory->setEditText(folder);
    dialog->cbFileExt->setEditText("*.txt");
    dialog->cbSearchFor->setEditText("needle");
    dialog->cbDontStreamResults->setChecked(!stream);
    dialog->cbSearch->click();
  });
  search.FindText();
}

bool Finished(const frmFindTextInFiles& search) {
  return Named<qtplatform::StatusBar>(search, "sbStatus")
      .PanelText(kestrix::kScanTimePanel)
      .endsWith(" (Sec)");
}

void MeasureShowAllAtEnd(frmFindTextInFiles& search, const QString& folder) {
  const double before = ResidentMiB();
  QElapsedTimer clock;
  qint64 scan_end = -1;
  double at_scan_end = 0;
  bool started = false;
  QTimer watch;  // notices the end of the scan as soon as the event loop runs
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!started) {
      started = Named<kestrix::ZarnControl>(search, "Zarn1").SearchActive();
    } else if (scan_end < 0 && !Named<kestrix::ZarnControl>(search, "Zarn1").SearchActive()) {
      scan_end = clock.elapsed();
      at_scan_end = ResidentMiB();
    }
  });
  watch.start(1);
  clock.start();
  FindText(search, folder, false);
  WaitUntil([&] { return Finished(search); });
  const qint64 filled = clock.elapsed();
  watch.stop();
  const double after = ResidentMiB();
  const QString report = QDir::tempPath() + "/kx-desktop-bench-report.tsv";
  Named<kestrix::ZarnControl>(search, "Zarn1").SaveDataToTabFile(report);
  const double report_mib = static_cast<double>(QFile(report).size()) / (1024.0 * 1024.0);
  QFile::remove(report);
  std::printf("show all at end: %d rows in the grid %.0f ms after the scan ended (scan %.0f ms)\n",
              Named<qtplatform::FlexGrid>(search, "fgFiles").Rows() - 1,
              static_cast<double>(filled - scan_end), static_cast<double>(scan_end));
  std::printf(
      "memory: grid rows %.1f MiB, findings in the control %.1f MiB, report file %.1f MiB;"
      " grid / report = %.2f\n",
      after - at_scan_end, at_scan_end - before, report_mib, (after - at_scan_end) / report_mib);
}

// At Idle, the pause after each folder entry keeps the scan going for about a second, so the findings
// stream in while it runs.
void MeasureStreaming(frmFindTextInFiles& search, const QString& folder) {
  search.SetControlThreadPriority(0);
  QElapsedTimer clock, pass;
  int rows_at_scan_end = -1;
  qint64 longest = 0;
  QTimer beat;  // runs whenever the event loop gets a turn: the gaps between its runs are the passes
  QObject::connect(&beat, &QTimer::timeout, [&] {
    longest = std::max(longest, pass.restart());
    if (rows_at_scan_end < 0 && Named<QTimer>(search, "Timer1").isActive() &&
        !Named<kestrix::ZarnControl>(search, "Zarn1").SearchActive())
      rows_at_scan_end = Named<qtplatform::FlexGrid>(search, "fgFiles").Rows() - 1;
  });
  clock.start();
  FindText(search, folder, true);
  pass.start();
  beat.start(0);
  WaitUntil([&] { return Finished(search); });
  beat.stop();
  std::printf(
      "streaming: %d rows in %.0f ms (%d of them while the scan ran); longest pass of the event loop"
      " %lld ms\n",
      Named<qtplatform::FlexGrid>(search, "fgFiles").Rows() - 1, static_cast<double>(clock.elapsed()),
      rows_at_scan_end, static_cast<long long>(longest));
}

// The longest pass of the event loop while `action` runs from it and the loop settles afterwards.
template <typename Action>
qint64 LongestPass(Action action) {
  QElapsedTimer pass, quiet;
  qint64 longest = 0;
  QTimer beat;  // runs whenever the event loop gets a turn
  QObject::connect(&beat, &QTimer::timeout, [&] { longest = std::max(longest, pass.restart()); });
  bool done = false;
  QTimer::singleShot(0, [&] {
    action();
    done = true;
  });
  pass.start();
  beat.start(0);
  WaitUntil([&] { return done; });
  quiet.start();
  WaitUntil([&] { return quiet.elapsed() > 300; });  // a late layout or paint is counted too
  beat.stop();
  return longest;
}

void WriteFile(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

std::string ShortLines(int from, int to) {
  std::string body;
  for (int line = from; line <= to; ++line) body += "short line " + std::to_string(line) + "\n";
  return body;
}

// A line of words `bytes` long.
std::string LongLine(std::size_t bytes) {
  std::string line;
  line.reserve(bytes);
  while (line.size() < bytes) line += "words of a line that never ends ";
  line.resize(bytes);
  return line;
}

// The grid row that shows a finding in `file`.
int ResultRow(const frmFindTextInFiles& search, const QString& file) {
  for (int row = 1; row < Named<qtplatform::FlexGrid>(search, "fgFiles").Rows(); ++row)
    if (Named<qtplatform::FlexGrid>(search, "fgFiles").TextMatrix(row, 0).endsWith(file)) return row;
  return -1;
}

// Each file holds "needle" on line 150 when searched; then it grows: one line of 10 MB in its place, or
// the 199 lines the viewer shows made 1 MB each. The finding is double-clicked with the window at a
// normal size, which is then maximised.
void MeasureLongLines(frmFindTextInFiles& search) {
  QTemporaryDir scratch;
  const QString folder = scratch.path();
  const std::string before = ShortLines(1, 149) + "needle\n" + ShortLines(151, 300);
  WriteFile(folder + "/one-line-of-10-MB.txt", before);
  WriteFile(folder + "/199-lines-of-1-MB.txt", before);
  FindText(search, folder, false);
  WaitUntil([&] { return Finished(search); });
  WriteFile(folder + "/one-line-of-10-MB.txt",
            ShortLines(1, 149) + "needle " + LongLine(10 << 20) + "\n" + ShortLines(151, 300));
  std::string many = ShortLines(1, 50);
  for (int line = 51; line <= 249; ++line) many += (line == 150 ? "needle " : "") + LongLine(1 << 20) + "\n";
  WriteFile(folder + "/199-lines-of-1-MB.txt", many + ShortLines(250, 300));
  for (const QString file : {"one-line-of-10-MB.txt", "199-lines-of-1-MB.txt"}) {
    search.SubWindow()->showNormal();
    search.SubWindow()->resize(900, 600);
    QApplication::processEvents();
    qtplatform::FlexGrid& results = Named<qtplatform::FlexGrid>(search, "fgFiles");
    const QPoint where = results.visualRect(results.model()->index(ResultRow(search, file) - 1, 0)).center();
    const qint64 open = LongestPass([&] {
      QTest::mouseClick(results.viewport(), Qt::LeftButton, {}, where);
      QTest::mouseDClick(results.viewport(), Qt::LeftButton, {}, where);
    });
    const qint64 maximise = LongestPass([&] { search.SubWindow()->showMaximized(); });
    std::printf(
        "viewer, %s: longest pass of the event loop %lld ms on the double click, %lld ms on maximise"
        " (%d rows, row %d marked)\n",
        qPrintable(file), static_cast<long long>(open), static_cast<long long>(maximise),
        Named<qtplatform::FlexGrid>(search, "msfgFileWithHit").Rows(),
        Named<qtplatform::FlexGrid>(search, "msfgFileWithHit").Row());
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
  qputenv("XDG_DATA_HOME", settings.path().toUtf8());
  QApplication application(argc, argv);
  const bool viewer_only = argc > 1 && QString(argv[1]) == "--viewer";
  QTemporaryDir scratch;
  const QString folder =
      argc > 1 && !viewer_only ? QString::fromLocal8Bit(argv[1]) : scratch.path() + "/tree";
  if (!viewer_only && (!QDir(folder).exists() || QDir(folder).isEmpty())) WriteTree(folder);
  qtplatform::MessagePump pump;
  kestrix::frmMainMDI main_window([](kestrix::ProgramFrame& frame, QMdiArea& area) -> QWidget* {
    return new frmFindTextInFiles(frame, area);
  });
  main_window.resize(1280, 900);
  main_window.show();
  main_window.SetThreadPriorityChoice(kTimeCritical);
  main_window.ShowChildForm("frmFindTextInFiles");
  auto& search = *qobject_cast<frmFindTextInFiles*>(main_window.SearchWindow());
  search.SetControlThreadPriority(kTimeCritical);
  if (!viewer_only) {
    MeasureShowAllAtEnd(search, folder);
    MeasureStreaming(search, folder);
  }
  search.SetControlThreadPriority(kTimeCritical);
  MeasureLongLines(search);
  main_window.close();
  return 0;
}
