// Dialogs driven the way a dialog procedure drives them: the code creates a dialog from its template with
// a procedure, receives WM_INITDIALOG, WM_COMMAND (a button clicked: LOWORD(wParam) is the item's id) and
// WM_TIMER, reads and changes its items by id, and ends it. A dialog is a window of the window table, so
// its timers are delivered by the thread's pump like any other.
//
// Showing dialogs needs a user interface: a host that has one puts a DialogRenderer in place (the Qt
// side of the platform does); without one, creating a dialog fails at once (-1 or a null window) and
// nothing blocks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/window/dialog_template.h"
#include "platform/window/message_queue.h"

namespace win {

using INT_PTR = std::intptr_t;
using DLGPROC = std::function<INT_PTR(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)>;

inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT BST_UNCHECKED = 0;
inline constexpr UINT BST_CHECKED = 1;
inline constexpr int kDialogOk = 1;      // IDOK
inline constexpr int kDialogCancel = 2;  // IDCANCEL: also the close box and Escape

// Modal: shows the dialog owned by `owner` (may be null) and returns when EndDialog is called, with its
// result; -1 when no dialog can be shown.
INT_PTR DialogBoxIndirectParam(HWND owner, const DialogTemplate& dialog, DLGPROC procedure, LPARAM init);
// Modeless, as a child inside `parent` (a window the renderer knows): returns the dialog's window, shown,
// or null when none can be shown.
HWND CreateDialogIndirectParam(HWND parent, const DialogTemplate& dialog, const DLGPROC& procedure,
                               LPARAM init);
// Ends a modal dialog with `result` (the dialog closes once its procedure returns).
bool EndDialog(HWND dialog, INT_PTR result);
// Closes a modeless dialog.
bool DestroyDialog(HWND dialog);

// The window of item `id` (the page of a tab control), for dialogs created inside it; null when none.
HWND GetDlgItem(HWND dialog, int id);
bool SetDlgItemText(HWND dialog, int id, const std::string& text);
std::string GetDlgItemText(HWND dialog, int id);
bool CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks `check` and unchecks the other radio buttons from `first` to `last`.
bool CheckRadioButton(HWND dialog, int first, int last, int check);
// Places a modeless dialog inside its parent (pixels; a size of 0 by 0 keeps its size) and shows or hides
// it.
bool MoveDialog(HWND dialog, int x, int y, int width, int height);
bool ShowDialog(HWND dialog, bool show);

// What a user interface does for the dialogs. Every call names the dialog's window; the renderer answers
// false for windows it does not know.
class DialogRenderer {
 public:
  virtual ~DialogRenderer() = default;
  // Builds the dialog's widgets and shows it modally until EndModal is called; calls `initialise` once
  // the items exist (before the dialog shows).
  virtual bool RunModal(HWND dialog, HWND owner, const DialogTemplate& layout,
                        const std::function<void()>& initialise) = 0;
  virtual void EndModal(HWND dialog) = 0;
  virtual bool CreateChild(HWND dialog, HWND parent, const DialogTemplate& layout) = 0;
  virtual void DestroyChild(HWND dialog) = 0;
  virtual HWND ItemWindow(HWND dialog, int id) = 0;
  virtual bool SetItemText(HWND dialog, int id, const std::string& text) = 0;
  virtual std::string ItemText(HWND dialog, int id) = 0;
  virtual bool SetItemChecked(HWND dialog, int id, bool checked) = 0;
  virtual bool ItemChecked(HWND dialog, int id) = 0;
  virtual bool Move(HWND dialog, int x, int y, int width, int height) = 0;
  virtual bool Show(HWND dialog, bool show) = 0;
};

// Puts `renderer` in place for the process (null: no user interface); returns the one it replaces.
DialogRenderer* SetDialogRenderer(DialogRenderer* renderer);

// For renderers: the user clicked item `id` (a button, a check box, a radio button), or closed the dialog
// (id kDialogCancel). Calls the dialog's procedure with WM_COMMAND on the calling thread.
void SendDialogCommand(HWND dialog, int id);

}  // namespace win
