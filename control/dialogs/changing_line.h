// The changing line of the about page and the about box: every 1.5 seconds the next of eight short
// notices, the fifth shown half a second late. Each dialog class keeps its own place in the cycle,
// shared by all its windows and kept between showings.
#pragma once

#include <array>
#include <string>

#include "platform/window/dialog.h"

namespace zarn {

class ChangingLine {
 public:
  static constexpr win::UINT kIntervalMs = 1500;
  static constexpr win::UINT kFifthLineDelayMs = 500;

  // The cycle of one dialog class.
  static ChangingLine& OfAboutBox();
  static ChangingLine& OfAboutPage();
  static const std::array<std::string, 8>& Lines();

  void Start(win::HWND dialog);
  void Stop(win::HWND dialog);
  // Handles the dialog's WM_TIMER; false for a timer that is not the line's.
  bool OnTimer(win::HWND dialog, win::WPARAM timer);

  // The line shown next (0 to 7).
  int Next() const { return next_; }

 private:
  static constexpr win::UINT_PTR kLineTimer = 0;
  static constexpr win::UINT_PTR kDelayTimer = 1;
  void ShowNext(win::HWND dialog);

  int next_ = 0;
};

}  // namespace zarn
