// FindingsCopy: the copying of the control's findings into the results grid, record by record, and what
// keeps that copy safe while it lets the event loop run.
//
// Every 25 records the copy puts the rows it has read into the grid, shows the count on status panel 2
// and runs one pass of the event loop, so that the user can act during a long copy. During that pass:
// - the search window's timer may tick again: while a copy is in progress (Busy), a tick does nothing;
// - the user may abort the search, or start a new one, which replaces the grid: the window calls End or
//   Restart, and the copy returns after that pass without touching the grid again;
// - the window may be closed and destroyed, and this object with it: the copy returns after that pass
//   without touching the window, the grid or this object.
// This object is the only state that tells a copy whether it may go on.
#pragma once

#include <QStringList>
#include <cstdint>
#include <memory>

namespace qtplatform {
class FlexGrid;
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
  // Ends the copy in progress after its current pass of the event loop.
  void End();
  // A fresh grid: ends the copy in progress and counts again from the first finding.
  void Restart();
  // mlFindingsShown: how many findings the grid shows, and so the record number of the next one.
  std::int32_t Shown() const { return shown_; }

 private:
  // The copy in progress, shared with its own call so that it can still be read after this object is gone.
  struct Run {
    bool ended = false;
    bool copy_gone = false;
  };

  bool CopyRecords(const Run& run, ZarnControl& control, qtplatform::FlexGrid& grid,
                   qtplatform::StatusBar& status, std::int32_t limit);
  void AddRows(QStringList& rows, qtplatform::FlexGrid& grid, qtplatform::StatusBar& status);

  std::shared_ptr<Run> run_;
  std::int32_t shown_ = 0;
};

}  // namespace kestrix
