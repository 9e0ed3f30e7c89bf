// FindingsCopy: the copying of the control's findings into the results grid, record by record, and what
// keeps that copy safe while it lets the event loop run.
//
// Every 25 records the copy shows the count on status panel 2 and runs one pass of the event loop, so that
// the user can act during a long copy. The rows it has read go into the grid together: ten times a
// second, every 20,000 rows, and when a copy of all remaining findings ends. Each insertion makes the grid
// lay itself out again at a cost that grows with its rows, so inserting every 25 records would make each
// finding cost more the more the grid holds. Rows read and not yet inserted wait here, also from one
// streaming tick to the next. The status bar paints its count at most 60 times a second meanwhile.
//
// During a pass of the event loop:
// - the search window's timer may tick again: while a copy is in progress (Busy), a tick does nothing;
// - the user may abort the search (End: the waiting rows go into the grid), or start a new one, which
//   replaces the grid (Restart: the waiting rows are dropped); the copy returns after that pass without
//   touching the grid again;
// - the window may be closed and destroyed, and this object with it: the copy returns after that pass
//   without touching the window, the grid or this object.
// This object is the only state that tells a copy whether it may go on.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "platform/qt/flex_grid.h"

namespace qtplatform {
class StatusBar;
}  // namespace qtplatform

namespace kestrix {

class ZarnControl;

class FindingsCopy {
 public:
  FindingsCopy() = default;
  ~FindingsCopy();
  FindingsCopy(const FindingsCopy&) = delete;
  FindingsCopy& operator=(const FindingsCopy&) = delete;

  // Copies up to `limit` new findings (all remaining ones when `limit` is below 1) from `control` into
  // `grid`, with GetFileData in record order. True when the copy ran to its end (a record that cannot be
  // read ends it too); false when it was ended meanwhile, and then its window may be gone: the caller
  // touches nothing more.
  bool Copy(ZarnControl& control, qtplatform::FlexGrid& grid, qtplatform::StatusBar& status,
            std::int32_t limit);

  // A copy is in progress (perhaps ended, and not yet back from its pass of the event loop).
  bool Busy() const { return run_ != nullptr; }
  // Ends the copy in progress after its current pass of the event loop; the rows read go into the grid.
  void End();
  // A fresh grid: ends the copy in progress, drops the rows read for the old grid and counts again from
  // the first finding.
  void Restart();
  // mlFindingsShown: how many findings have been copied, and so the record number of the next one.
  std::int32_t Shown() const { return shown_; }

 private:
  // The copy in progress, shared with its own call so that it can still be read after this object is gone.
  struct Run {
    bool ended = false;
    bool copy_gone = false;
  };

  bool CopyRecords(const Run& run, ZarnControl& control, qtplatform::StatusBar& status, std::int32_t limit);
  void ShowCount(qtplatform::StatusBar& status) const;
  // Puts the rows read into the grid when the last insertion is long enough ago, or at once when `now`.
  void AddWaitingRows(bool now);

  std::shared_ptr<Run> run_;
  std::int32_t shown_ = 0;
  QPointer<qtplatform::FlexGrid> grid_;  // the grid the waiting rows are for
  QStringList waiting_;                  // rows read and not yet in the grid
  QElapsedTimer since_added_;            // since rows last went into the grid
};

}  // namespace kestrix
