#include "desktop/search/findings_copy.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <algorithm>

#include "desktop/search/status_texts.h"
#include "desktop/search/zarn_control.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/status_bar.h"

namespace kestrix {

namespace {

constexpr int kYieldEvery = 25;  // records between two passes of the event loop

// While a copy runs, the grid paints only every quarter of a second: painting the visible rows after
// every 25 records would take most of the copy's time, and the user sees the rows grow all the same.
// The grid may be gone when the copy returns (its window closed meanwhile).
class PaintThrottle {
 public:
  explicit PaintThrottle(qtplatform::FlexGrid& grid) : grid_(&grid) {
    grid_->SetRedraw(false);
    since_paint_.start();
  }
  ~PaintThrottle() {
    if (grid_) grid_->SetRedraw(true);
  }
  // Before a pass of the event loop: lets this one paint when the last paint is long enough ago.
  void BeforeYield() {
    if (!grid_ || since_paint_.elapsed() < kPaintIntervalMs) return;
    grid_->SetRedraw(true);
    painting_ = true;
  }
  void AfterYield() {
    if (!painting_ || !grid_) return;
    grid_->SetRedraw(false);
    painting_ = false;
    since_paint_.restart();
  }

 private:
  static constexpr qint64 kPaintIntervalMs = 250;
  QPointer<qtplatform::FlexGrid> grid_;
  QElapsedTimer since_paint_;
  bool painting_ = false;
};

QString RowText(const Finding& finding) {
  return finding.path + '\t' + QString::number(finding.line) + '\t' + QString::number(finding.column) + '\t' +
         finding.text;
}

}  // namespace

FindingsCopy::~FindingsCopy() {
  if (run_) run_->ended = run_->copy_gone = true;
}

void FindingsCopy::End() {
  if (run_) run_->ended = true;
}

void FindingsCopy::Restart() {
  End();
  shown_ = 0;
}

bool FindingsCopy::Copy(ZarnControl& control, qtplatform::FlexGrid& grid, qtplatform::StatusBar& status,
                        std::int32_t limit) {
  const auto run = std::make_shared<Run>();
  run_ = run;
  const bool finished = CopyRecords(*run, control, grid, status, limit);
  if (!run->copy_gone) run_.reset();
  return finished;
}

bool FindingsCopy::CopyRecords(const Run& run, ZarnControl& control, qtplatform::FlexGrid& grid,
                               qtplatform::StatusBar& status, std::int32_t limit) {
  const std::int32_t count = control.SearchCount();
  if (limit < 1) limit = count - shown_;
  const std::int64_t last = std::min<std::int64_t>(std::int64_t{shown_} + limit - 1, count - 1);
  QStringList rows;
  Finding finding;
  PaintThrottle throttle(grid);
  for (std::int64_t i = shown_; i <= last; ++i) {
    if (!control.GetFileData(static_cast<std::int32_t>(i), finding)) break;
    rows << RowText(finding);
    ++shown_;
    if (i % kYieldEvery != 0) continue;
    AddRows(rows, grid, status);
    throttle.BeforeYield();
    QApplication::processEvents();
    if (run.ended) return false;
    throttle.AfterYield();
  }
  AddRows(rows, grid, status);
  throttle.BeforeYield();
  QApplication::processEvents();
  throttle.AfterYield();
  return !run.ended;
}

// The rows read since the last pass of the event loop go into the grid in one insertion.
void FindingsCopy::AddRows(QStringList& rows, qtplatform::FlexGrid& grid, qtplatform::StatusBar& status) {
  if (!rows.isEmpty()) grid.AddItems(rows);
  rows.clear();
  status.SetPanelText(kHitCountPanel, QString::number(shown_));
}

}  // namespace kestrix
