#include "control/dialogs/about_box.h"

#include "control/dialogs/changing_line.h"
#include "control/dialogs/zarn_resources.h"

namespace zarn {

bool ShowAboutBox(win::HWND owner) {
  ChangingLine& line = ChangingLine::OfAboutBox();
  const win::INT_PTR result = win::DialogBoxIndirectParam(
      owner, AboutBoxTemplate(),
      [&line](win::HWND dialog, win::UINT message, win::WPARAM wParam, win::LPARAM) -> win::INT_PTR {
        if (message == win::WM_INITDIALOG) line.Start(dialog);
        if (message == win::WM_TIMER) line.OnTimer(dialog, wParam);
        if (message == win::WM_COMMAND && (wParam == win::kDialogOk || wParam == win::kDialogCancel)) {
          line.Stop(dialog);
          win::EndDialog(dialog, static_cast<win::INT_PTR>(wParam));
        }
        return 0;
      },
      0);
  return result != -1;
}

}  // namespace zarn
