// What the parts of kx-desktop-bench share: the search window's controls by name, waiting while the
// event loop runs, the Find Text flow with the dialog filled in, the memory the process holds, and the
// longest pass of the event loop while something runs.
#pragma once

#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "desktop/search/options_dialog.h"
#include "desktop/search/search_window.h"
#include "desktop/search/status_texts.h"
#include "platform/qt/status_bar.h"

namespace kxbench {

using kestrix::frmFindTextInFiles;

// The search window's control called `name` (cmdFindText, fgFiles, sbStatus, Timer1, Zarn1, ...).
template <typename Control>
Control& Named(const frmFindTextInFiles& search, const char* name) {
  return *search.findChild<Control*>(name);
}

inline void WaitUntil(const std::function<bool()>& condition) {
  while (!condition()) QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

// Runs the Find Text flow with the dialog filled in.
inline void FindText(frmFindTextInFiles& search, const QString& folder, bool stream) {
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

// The elapsed time shows: the scan has ended and every finding is in the grid.
inline bool Finished(const frmFindTextInFiles& search) {
  return Named<qtplatform::StatusBar>(search, "sbStatus")
      .PanelText(kestrix::kScanTimePanel)
      .endsWith(" (Sec)");
}

constexpr double kMiB = 1024.0 * 1024.0;

inline double ResidentMiB() {
  long pages = 0, resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / kMiB;
}

// The bytes the process holds from malloc, over all its arenas (the worker's too).
inline double HeapMiB() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / kMiB;
}

// Processor time of the calling thread, in milliseconds: on a busy machine the wall time of the copy
// also holds the time other programs had the processor.
inline double ThreadCpuMs() {
  timespec time{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
  return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
}

// Measures the passes of the event loop while it runs: a zero-delay timer runs once per pass, so the gap
// between two of its runs is the length of one pass.
class PassMeter {
 public:
  explicit PassMeter(std::function<void()> each_pass = {}) : each_pass_(std::move(each_pass)) {
    QObject::connect(&beat_, &QTimer::timeout, [this] {
      const qint64 pass = pass_.restart();
      const double cpu = trace_ ? ThreadCpuMs() : 0;
      if (pass > 30 && trace_)
        std::fprintf(stderr, "pass of %lld ms (%.0f ms of processor time), at %.0f ms of processor time\n",
                     static_cast<long long>(pass), cpu - last_cpu_, cpu);
      last_cpu_ = cpu;
      longest_ = std::max(longest_, pass);
      if (each_pass_) each_pass_();
    });
    pass_.start();
    beat_.start(0);
  }
  qint64 Longest() const { return longest_; }
  // Forgets the passes so far (those of the options dialog, say).
  void Restart() { longest_ = 0; }

 private:
  std::function<void()> each_pass_;
  const bool trace_ = std::getenv("KX_BENCH_TRACE_PASSES") != nullptr;  // passes over 30 ms on stderr
  double last_cpu_ = 0;
  QTimer beat_;
  QElapsedTimer pass_;
  qint64 longest_ = 0;
};

// The longest pass of the event loop while `action` runs from it and the loop settles afterwards.
template <typename Action>
qint64 LongestPass(Action action) {
  PassMeter meter;
  bool done = false;
  QTimer::singleShot(0, [&] {
    action();
    done = true;
  });
  WaitUntil([&] { return done; });
  QElapsedTimer quiet;
  quiet.start();
  WaitUntil([&] { return quiet.elapsed() > 300; });  // a late layout or paint is counted too
  return meter.Longest();
}

// The hit viewer with lines of megabytes (desktop_bench_viewer.cpp).
void MeasureLongLines(frmFindTextInFiles& search);

}  // namespace kxbench
