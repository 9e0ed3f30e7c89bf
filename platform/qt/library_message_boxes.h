// The message boxes of libraries without a user interface of their own (the control's, through the
// windowing library's MessageBox) shown as real modal boxes of this program, on its user-interface
// thread: a box asked for by another thread (a search worker) is shown there, and that thread waits for
// the user's answer. In place for as long as the object lives; create it after the QApplication.
#pragma once

#include "platform/window/message_box.h"

namespace qtplatform {

class LibraryMessageBoxes {
 public:
  LibraryMessageBoxes();

 private:
  win::ScopedMessageBoxPresenter presenter_;
};

}  // namespace qtplatform
