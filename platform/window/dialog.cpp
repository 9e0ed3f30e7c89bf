#include "platform/window/dialog.h"

#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace win {

namespace {

struct DialogState {
  DLGPROC procedure;
  INT_PTR result = 0;
};

std::mutex dialogs_mutex;
DialogRenderer* the_renderer = nullptr;

std::map<HWND, std::shared_ptr<DialogState>>& Dialogs() {
  static std::map<HWND, std::shared_ptr<DialogState>> dialogs;
  return dialogs;
}

DialogRenderer* Renderer() {
  const std::lock_guard lock(dialogs_mutex);
  return the_renderer;
}

std::shared_ptr<DialogState> StateOf(HWND dialog) {
  const std::lock_guard lock(dialogs_mutex);
  const auto found = Dialogs().find(dialog);
  return found == Dialogs().end() ? nullptr : found->second;
}

// A window whose messages (its timers) go to the dialog's procedure.
HWND NewDialogWindow(DLGPROC procedure) {
  auto state = std::make_shared<DialogState>(DialogState{std::move(procedure)});
  const HWND dialog = CreateWindow([state](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return static_cast<LRESULT>(state->procedure(window, message, wParam, lParam));
  });
  const std::lock_guard lock(dialogs_mutex);
  Dialogs()[dialog] = state;
  return dialog;
}

void ForgetDialogWindow(HWND dialog) {
  DestroyWindow(dialog);  // its timers go with it
  const std::lock_guard lock(dialogs_mutex);
  Dialogs().erase(dialog);
}

}  // namespace

DialogRenderer* SetDialogRenderer(DialogRenderer* renderer) {
  const std::lock_guard lock(dialogs_mutex);
  return std::exchange(the_renderer, renderer);
}

INT_PTR DialogBoxIndirectParam(HWND owner, const DialogTemplate& layout, DLGPROC procedure, LPARAM init) {
  DialogRenderer* renderer = Renderer();
  if (!renderer || !procedure) return -1;
  const HWND dialog = NewDialogWindow(procedure);
  const std::shared_ptr<DialogState> state = StateOf(dialog);
  const bool shown =
      renderer->RunModal(dialog, owner, layout, [&] { procedure(dialog, WM_INITDIALOG, 0, init); });
  ForgetDialogWindow(dialog);
  return shown ? state->result : -1;
}

HWND CreateDialogIndirectParam(HWND parent, const DialogTemplate& layout, const DLGPROC& procedure,
                               LPARAM init) {
  DialogRenderer* renderer = Renderer();
  if (!renderer || !procedure) return nullptr;
  const HWND dialog = NewDialogWindow(procedure);
  if (!renderer->CreateChild(dialog, parent, layout)) {
    ForgetDialogWindow(dialog);
    return nullptr;
  }
  procedure(dialog, WM_INITDIALOG, 0, init);
  return dialog;
}

bool EndDialog(HWND dialog, INT_PTR result) {
  const std::shared_ptr<DialogState> state = StateOf(dialog);
  DialogRenderer* renderer = Renderer();
  if (!state || !renderer) return false;
  state->result = result;
  renderer->EndModal(dialog);
  return true;
}

bool DestroyDialog(HWND dialog) {
  if (!StateOf(dialog)) return false;
  if (DialogRenderer* renderer = Renderer()) renderer->DestroyChild(dialog);
  ForgetDialogWindow(dialog);
  return true;
}

void SendDialogCommand(HWND dialog, int id) {
  if (const std::shared_ptr<DialogState> state = StateOf(dialog))
    state->procedure(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

HWND GetDlgItem(HWND dialog, int id) {
  DialogRenderer* renderer = Renderer();
  return renderer ? renderer->ItemWindow(dialog, id) : nullptr;
}

bool SetDlgItemText(HWND dialog, int id, const std::string& text) {
  DialogRenderer* renderer = Renderer();
  return renderer && renderer->SetItemText(dialog, id, text);
}

std::string GetDlgItemText(HWND dialog, int id) {
  DialogRenderer* renderer = Renderer();
  return renderer ? renderer->ItemText(dialog, id) : std::string();
}

bool CheckDlgButton(HWND dialog, int id, UINT check) {
  DialogRenderer* renderer = Renderer();
  return renderer && renderer->SetItemChecked(dialog, id, check == BST_CHECKED);
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  DialogRenderer* renderer = Renderer();
  return renderer && renderer->ItemChecked(dialog, id) ? BST_CHECKED : BST_UNCHECKED;
}

bool CheckRadioButton(HWND dialog, int first, int last, int check) {
  bool all = true;
  for (int id = first; id <= last; ++id)
    all &= CheckDlgButton(dialog, id, id == check ? BST_CHECKED : BST_UNCHECKED);
  return all;
}

bool MoveDialog(HWND dialog, int x, int y, int width, int height) {
  DialogRenderer* renderer = Renderer();
  return renderer && renderer->Move(dialog, x, y, width, height);
}

bool ShowDialog(HWND dialog, bool show) {
  DialogRenderer* renderer = Renderer();
  return renderer && renderer->Show(dialog, show);
}

}  // namespace win
