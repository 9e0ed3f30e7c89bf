#include "control/dialogs/changing_line.h"

#include "control/dialogs/zarn_resources.h"

namespace zarn {

ChangingLine& ChangingLine::OfAboutBox() {
  static ChangingLine line;
  return line;
}

ChangingLine& ChangingLine::OfAboutPage() {
  static ChangingLine line;
  return line;
}

const std::array<std::string, 8>& ChangingLine::Lines() {
  static const std::array<std::string, 8> lines = {
      "Kestrix finds text in files, fast.",
      "Questions? Write to the Kestrix team.",
      "Tell us what you search for: we listen.",
      "Updates come with every release of Kestrix.",
      "Thank you for searching with Kestrix!",
      "Report anything amiss on our issue tracker.",
      "Kestrix: plain strings and wildcard patterns.",
      "Made with care by the Kestrix team.",
  };
  return lines;
}

void ChangingLine::Start(win::HWND dialog) {
  win::SetTimer(dialog, kLineTimer, kIntervalMs);
}

void ChangingLine::Stop(win::HWND dialog) {
  win::KillTimer(dialog, kLineTimer);
  win::KillTimer(dialog, kDelayTimer);
}

// The fifth line waits half a second on a timer of its own, so that the dialog stays responsive.
bool ChangingLine::OnTimer(win::HWND dialog, win::WPARAM timer) {
  if (timer == kDelayTimer) {
    win::KillTimer(dialog, kDelayTimer);
    ShowNext(dialog);
    return true;
  }
  if (timer != kLineTimer) return false;
  if (next_ == 4)
    win::SetTimer(dialog, kDelayTimer, kFifthLineDelayMs);
  else
    ShowNext(dialog);
  return true;
}

void ChangingLine::ShowNext(win::HWND dialog) {
  win::SetDlgItemText(dialog, kIdChangingLine, Lines()[next_]);
  next_ = (next_ + 1) % static_cast<int>(Lines().size());
}

}  // namespace zarn
