// Message boxes for code that has no user interface of its own (a control library): the box is shown by
// whatever the host process put in place. A desktop host shows a real modal box on its user-interface
// thread, also when another thread asks (that thread waits for the answer); a host without a user
// interface, the default, writes one line to standard error and answers OK at once.
//
// Kept in the shared windowing library, so that a host and the control libraries it loads share one
// presenter, as they share one windowing system.
#pragma once

#include <functional>
#include <string>

#include "platform/window/message_queue.h"
#include "platform/window/scoped_presenter.h"

namespace win {

// Buttons and icon of a message box (combined with |).
inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_YESNO = 0x00000004;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr UINT MB_ICONWARNING = 0x00000030;
inline constexpr UINT MB_ICONINFORMATION = 0x00000040;
inline constexpr UINT MB_SETFOREGROUND = 0x00010000;

// The user's answer.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows `text` with `caption`; `owner` may be null. Returns the button the user chose.
int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

using MessageBoxPresenter =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)>;
// Puts `presenter` in place for the whole process (an empty one restores the line on standard error);
// returns the one it replaces. A presenter may be called from any thread.
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);
// The presenter in place for as long as the object lives.
using ScopedMessageBoxPresenter = ScopedPresenter<MessageBoxPresenter, SetMessageBoxPresenter>;

}  // namespace win
