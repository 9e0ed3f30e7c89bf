#include "platform/window/message_box.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace win {

namespace {

std::mutex presenter_mutex;

MessageBoxPresenter& Presenter() {
  static MessageBoxPresenter presenter;
  return presenter;
}

int WriteToStandardError(const std::string& text, const std::string& caption) {
  const std::string line = caption + ": " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  return IDOK;
}

}  // namespace

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  MessageBoxPresenter presenter;
  {
    std::lock_guard lock(presenter_mutex);
    presenter = Presenter();  // a copy: the box may stay open while the presenter is replaced
  }
  return presenter ? presenter(owner, text, caption, type) : WriteToStandardError(text, caption);
}

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter) {
  std::lock_guard lock(presenter_mutex);
  return std::exchange(Presenter(), std::move(presenter));
}

}  // namespace win
