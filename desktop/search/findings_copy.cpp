#include "desktop/search/findings_copy.h"

#include <QApplication>
#include <QPointer>
#include <QStringBuilder>
#include <algorithm>

#include "desktop/search/status_texts.h"
#include "desktop/search/zarn_control.h"
#include "platform/qt/status_bar.h"

namespace kestrix {

namespace {

constexpr int kYieldEvery = 25;                 // records between two passes of the event loop
constexpr qint64 kInsertIntervalMs = 100;       // rows go into the grid ten times a second,
constexpr qsizetype kMostRowsInserted = 20000;  // or sooner, so that one insertion stays short

// While a copy runs, the status bar paints its count at most 60 times a second: painting it after every 25
// records would take more time than the copy itself. The status bar may be gone when the copy returns.
class PaintThrottle {
 public:
  explicit PaintThrottle(QWidget& widget) : widget_(&widget) {
    widget_->setUpdatesEnabled(false);
    since_paint_.start();
  }
  ~PaintThrottle() {
    if (widget_) widget_->setUpdatesEnabled(true);
  }
  // Before a pass of the event loop: lets this one paint when the last paint is long enough ago.
  void BeforeYield() {
    if (!widget_ || since_paint_.elapsed() < kPaintIntervalMs) return;
    widget_->setUpdatesEnabled(true);
    painting_ = true;
  }
  void AfterYield() {
    if (!painting_ || !widget_) return;
    widget_->setUpdatesEnabled(false);
    painting_ = false;
    since_paint_.restart();
  }

 private:
  static constexpr qint64 kPaintIntervalMs = 16;
  QPointer<QWidget> widget_;
  QElapsedTimer since_paint_;
  bool painting_ = false;
};

// Built in one allocation: a million rows are a million of these.
QString RowText(const Finding& finding) {
  return finding.path % u'\t' % QString::number(finding.line) % u'\t' % QString::number(finding.column) %
         u'\t' % finding.text;
}

}  // namespace

FindingsCopy::~FindingsCopy() {
  if (run_) run_->ended = run_->copy_gone = true;
}

void FindingsCopy::End() {
  if (run_) run_->ended = true;
  AddWaitingRows(true);
}

void FindingsCopy::Restart() {
  if (run_) run_->ended = true;
  waiting_.clear();
  grid_ = nullptr;
  shown_ = 0;
}

bool FindingsCopy::Copy(ZarnControl& control, qtplatform::FlexGrid& grid, qtplatform::StatusBar& status,
                        std::int32_t limit) {
  if (grid_ != &grid) {
    AddWaitingRows(true);
    grid_ = &grid;
    since_added_.start();
  }
  const auto run = std::make_shared<Run>();
  run_ = run;
  const bool finished = CopyRecords(*run, control, status, limit);
  if (!run->copy_gone) run_.reset();
  return finished;
}

bool FindingsCopy::CopyRecords(const Run& run, ZarnControl& control, qtplatform::StatusBar& status,
                               std::int32_t limit) {
  const bool all = limit < 1;
  const std::int32_t count = control.SearchCount();
  if (all) limit = count - shown_;
  const std::int64_t last = std::min<std::int64_t>(std::int64_t{shown_} + limit - 1, count - 1);
  Finding finding;
  PaintThrottle throttle(status);
  for (std::int64_t i = shown_; i <= last; ++i) {
    if (!control.GetFileData(static_cast<std::int32_t>(i), finding)) break;
    waiting_ << RowText(finding);
    ++shown_;
    if (i % kYieldEvery != 0) continue;
    ShowCount(status);
    AddWaitingRows(false);
    throttle.BeforeYield();
    QApplication::processEvents();
    if (run.ended) return false;
    throttle.AfterYield();
  }
  ShowCount(status);
  AddWaitingRows(all);
  QApplication::processEvents();
  return !run.ended;
}

void FindingsCopy::ShowCount(qtplatform::StatusBar& status) const {
  status.SetPanelText(kHitCountPanel, QString::number(shown_));
}

void FindingsCopy::AddWaitingRows(bool now) {
  if (!now && waiting_.size() < kMostRowsInserted && since_added_.isValid() &&
      since_added_.elapsed() < kInsertIntervalMs)
    return;
  if (grid_ && !waiting_.isEmpty()) grid_->AddItems(waiting_);
  waiting_.clear();
  since_added_.start();
}

}  // namespace kestrix
