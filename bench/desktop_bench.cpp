// kx-desktop-bench: the desktop program driven offscreen against a folder of generated findings.
//
// For the findings it reports, with "Show all findings at end" and then while streaming: how long they
// take to reach the grid after the scan ends, that time per thousand findings, and the longest pass of the
// event loop meanwhile; the memory the control's store and the grid's rows take (heap in use and resident
// size) against the size of the report file; then, with every finding in the grid, the time that
// scrolling to its end, selecting its last row and double-clicking that row take until the grid has
// painted. Last it measures the hit viewer with files that gained lines of megabytes after the search.
//
// Usage: kx-desktop-bench [COUNT | FOLDER] [--no-streaming] [--no-viewer]
//          COUNT findings (default 200000) in a fresh folder under $TMPDIR, removed afterwards: files of
//          10,000 lines with one finding each; or every "needle" in FOLDER's *.txt files (a missing or
//          empty FOLDER gets COUNT findings written, and keeps them)
//        kx-desktop-bench --viewer   (only the viewer's measurements)
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "bench/desktop_bench_support.h"
#include "desktop/frame/main_window.h"
#include "desktop/search/large_allocations.h"
#include "desktop/search/zarn_control.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/message_pump.h"

namespace kxbench {
namespace {

constexpr int kLinesPerFile = 10000;  // every line holds one finding
constexpr int kTimeCritical = 4;      // the shortest pause after each folder entry
constexpr double kFrameMs = 1000.0 / 60;

void WriteTree(const QString& folder, long long findings) {
  QDir().mkpath(folder);
  std::string body;
  for (int line = 1; line <= kLinesPerFile; ++line)
    body += "line " + std::to_string(line) + " of the sample holds the needle " + std::to_string(line) +
            " we look for, and more words\n";
  for (long long file = 0; file * kLinesPerFile < findings; ++file) {
    const long long lines = std::min<long long>(kLinesPerFile, findings - file * kLinesPerFile);
    std::size_t bytes = body.size();
    if (lines < kLinesPerFile) bytes = body.find("line " + std::to_string(lines + 1) + " of");
    std::ofstream(QString("%1/file%2.txt").arg(folder).arg(file, 4, 10, QChar('0')).toStdString(),
                  std::ios::binary)
        .write(body.data(), static_cast<std::streamsize>(bytes));
  }
}

qtplatform::FlexGrid& Results(const frmFindTextInFiles& search) {
  return Named<qtplatform::FlexGrid>(search, "fgFiles");
}
kestrix::ZarnControl& Control(const frmFindTextInFiles& search) {
  return Named<kestrix::ZarnControl>(search, "Zarn1");
}

struct CopyFigures {
  int rows = 0;
  qint64 scan_ms = -1;           // from Find Text until the control's scan has ended
  qint64 after_scan_ms = 0;      // from the end of the scan until every finding is in the grid
  double after_scan_cpu_ms = 0;  // processor time of the program's thread meanwhile
  qint64 longest_pass_ms = 0;    // while findings went into the grid
  qint64 longest_start_ms = 0;   // before that, from the closing of the options dialog
  double heap_before = 0, heap_at_scan_end = 0, heap_after = 0;
  double resident_before = 0, resident_at_scan_end = 0, resident_after = 0;
};

// One search from the Find Text flow until the elapsed time shows.
CopyFigures RunSearch(frmFindTextInFiles& search, const QString& folder, bool stream) {
  CopyFigures figures;
  figures.heap_before = HeapMiB();
  figures.resident_before = ResidentMiB();
  QElapsedTimer clock;
  bool started = false;
  double cpu_at_scan_end = 0;
  bool copying = false;
  PassMeter meter([&] {
    // The first rows in the grid, or the end of the scan: the copy has begun.
    if (!copying && (figures.scan_ms >= 0 || Results(search).Rows() > 1)) {
      copying = true;
      figures.longest_start_ms = meter.Longest();
      meter.Restart();
    }
    if (!started) {
      started = Control(search).SearchActive();
    } else if (figures.scan_ms < 0 && !Control(search).SearchActive()) {
      figures.scan_ms = clock.elapsed();
      cpu_at_scan_end = ThreadCpuMs();
      figures.heap_at_scan_end = HeapMiB();
      figures.resident_at_scan_end = ResidentMiB();
    }
  });
  clock.start();
  FindText(search, folder, stream);
  meter.Restart();  // the options dialog's own passes do not count
  WaitUntil([&] { return Finished(search); });
  figures.after_scan_ms = clock.elapsed() - figures.scan_ms;
  figures.after_scan_cpu_ms = ThreadCpuMs() - cpu_at_scan_end;
  figures.longest_pass_ms = meter.Longest();
  figures.heap_after = HeapMiB();
  figures.resident_after = ResidentMiB();
  figures.rows = Results(search).Rows() - 1;
  return figures;
}

void PrintCopy(const char* mode, const CopyFigures& figures) {
  std::printf(
      "%s: %d rows in the grid %lld ms after the scan ended (scan %lld ms), %.3f ms per 1000 findings"
      " (processor %.0f ms, %.3f ms per 1000); longest pass of the event loop %lld ms while copying,"
      " %lld ms before\n",
      mode, figures.rows, static_cast<long long>(figures.after_scan_ms),
      static_cast<long long>(figures.scan_ms),
      static_cast<double>(figures.after_scan_ms) * 1000.0 / std::max(figures.rows, 1),
      figures.after_scan_cpu_ms, figures.after_scan_cpu_ms * 1000.0 / std::max(figures.rows, 1),
      static_cast<long long>(figures.longest_pass_ms), static_cast<long long>(figures.longest_start_ms));
}

double ReportMiB(frmFindTextInFiles& search) {
  const QString report = QDir::tempPath() + "/kx-desktop-bench-report.tsv";
  Control(search).SaveDataToTabFile(report);
  const double mib = static_cast<double>(QFile(report).size()) / kMiB;
  QFile::remove(report);
  return mib;
}

// The store fills during the scan, the grid's rows after it (nothing is copied before with "Show all
// findings at end").
void PrintMemory(const CopyFigures& figures, double report_mib) {
  const double store = figures.heap_at_scan_end - figures.heap_before;
  const double grid = figures.heap_after - figures.heap_at_scan_end;
  std::printf(
      "memory (heap in use): grid rows %.1f MiB, the control's store %.1f MiB, report file %.1f MiB;"
      " grid / report = %.2f, (store + grid) / report = %.2f\n",
      grid, store, report_mib, grid / report_mib, (store + grid) / report_mib);
  std::printf("memory (resident): grid rows %.1f MiB, the control's store %.1f MiB, process %.1f MiB\n",
              figures.resident_after - figures.resident_at_scan_end,
              figures.resident_at_scan_end - figures.resident_before, figures.resident_after);
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// The time from `action` until `widget` has painted, the events processed meanwhile.
template <typename Action>
double UntilPainted(QWidget& widget, Action action) {
  QApplication::processEvents();
  PaintCounter counter(widget);
  QElapsedTimer clock;
  clock.start();
  action();
  // The paint runs inside this pass, so it is over when the pass returns.
  while (counter.paints == 0 && clock.elapsed() < 5000) QApplication::processEvents();
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void MeasureAtTheEnd(frmFindTextInFiles& search) {
  qtplatform::FlexGrid& grid = Results(search);
  QScrollBar& bar = *grid.verticalScrollBar();
  bar.setValue(0);
  const double scroll =
      UntilPainted(*grid.viewport(), [&] { bar.triggerAction(QScrollBar::SliderToMaximum); });
  const int last = grid.model()->rowCount() - 1;
  const QPoint where = grid.visualRect(grid.model()->index(last, 0)).center();
  const double select =
      UntilPainted(*grid.viewport(), [&] { QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, where); });
  auto& viewer = Named<qtplatform::FlexGrid>(search, "msfgFileWithHit");
  const double open = UntilPainted(*viewer.viewport(),
                                   [&] { QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, where); });
  const double key = UntilPainted(*grid.viewport(), [&] {
    bar.setValue(0);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
  });
  std::printf(
      "at the end of %d rows, until painted: scroll %.1f ms, select %.1f ms, double-click %.1f ms (viewer"
      " painted, row %d current), Ctrl+End from the top %.1f ms; one frame is %.1f ms\n",
      grid.Rows() - 1, scroll, select, open, grid.Row(), key, kFrameMs);
}

void MeasureGrid(frmFindTextInFiles& search, const QString& folder, bool streaming) {
  const CopyFigures at_end = RunSearch(search, folder, false);
  PrintCopy("show all at end", at_end);
  PrintMemory(at_end, ReportMiB(search));
  MeasureAtTheEnd(search);
  if (!streaming) return;
  // At Idle, the pause after each folder entry keeps the scan going longer, so that the findings stream
  // in while it runs.
  search.SetControlThreadPriority(0);
  const CopyFigures streamed = RunSearch(search, folder, true);
  PrintCopy("streaming", streamed);
  search.SetControlThreadPriority(kTimeCritical);
}

struct Arguments {
  long long count = 200000;
  QString folder;
  bool grid = true;
  bool streaming = true;
  bool viewer = true;
  QString unknown;  // an option it does not know
};

Arguments ParseArguments(const QStringList& arguments) {
  Arguments parsed;
  for (const QString& argument : arguments.mid(1)) {
    bool number = false;
    const long long count = argument.toLongLong(&number);
    if (argument == "--viewer") {
      parsed.grid = false;
    } else if (argument == "--no-streaming") {
      parsed.streaming = false;
    } else if (argument == "--no-viewer") {
      parsed.viewer = false;
    } else if (number && count > 0) {
      parsed.count = count;
    } else if (argument.startsWith('-')) {
      parsed.unknown = argument;  // not a folder: a mistyped option would fill one with findings
    } else {
      parsed.folder = argument;
    }
  }
  return parsed;
}

}  // namespace
}  // namespace kxbench

int main(int argc, char** argv) {
  kestrix::ServeLargeBlocksFromTheSystem();  // as KestrixDemo does
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
  qputenv("XDG_DATA_HOME", settings.path().toUtf8());
  QApplication application(argc, argv);
  const kxbench::Arguments arguments = kxbench::ParseArguments(QApplication::arguments());
  if (!arguments.unknown.isEmpty()) {
    std::fprintf(stderr,
                 "kx-desktop-bench: unknown option %s\nUsage: kx-desktop-bench [COUNT | FOLDER] "
                 "[--no-streaming] [--no-viewer] | --viewer\n",
                 qPrintable(arguments.unknown));
    return 2;
  }
  QTemporaryDir scratch;
  const QString folder = arguments.folder.isEmpty() ? scratch.path() + "/tree" : arguments.folder;
  if (arguments.grid && (!QDir(folder).exists() || QDir(folder).isEmpty()))
    kxbench::WriteTree(folder, arguments.count);
  qtplatform::MessagePump pump;
  kestrix::frmMainMDI main_window([](kestrix::ProgramFrame& frame, QMdiArea& area) -> QWidget* {
    return new kestrix::frmFindTextInFiles(frame, area);
  });
  main_window.resize(1280, 900);
  main_window.show();
  main_window.SetThreadPriorityChoice(kxbench::kTimeCritical);
  main_window.ShowChildForm("frmFindTextInFiles");
  auto& search = *qobject_cast<kestrix::frmFindTextInFiles*>(main_window.SearchWindow());
  search.SetControlThreadPriority(kxbench::kTimeCritical);
  if (arguments.grid) kxbench::MeasureGrid(search, folder, arguments.streaming);
  if (arguments.viewer) kxbench::MeasureLongLines(search);
  main_window.close();
  return 0;
}
