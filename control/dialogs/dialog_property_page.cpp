#include "control/dialogs/dialog_property_page.h"

#include "platform/ole/class_factory.h"

namespace zarn {

namespace {
// The size pages state, from their templates' dialog units at an 8-point dialog font.
constexpr double kPixelsPerUnitX = 1.5;
constexpr double kPixelsPerUnitY = 1.625;
}  // namespace

DialogPropertyPage::DialogPropertyPage() {
  ole::ModuleLife::ObjectCreated();
}

DialogPropertyPage::~DialogPropertyPage() {
  if (dialog_) win::DestroyDialog(dialog_);
  ole::ModuleLife::ObjectDestroyed();
}

ole::HRESULT DialogPropertyPage::SetPageSite(ole::IPropertyPageSite* site) {
  site_ = ole::ComPtr<ole::IPropertyPageSite>(site);
  return ole::S_OK;
}

ole::HRESULT DialogPropertyPage::SetObjects(unsigned count, ole::IUnknown** objects) {
  object_.Reset();
  if (count == 0 || !objects || !objects[0]) return ole::S_OK;
  ole::ComPtr<ole::IDispatch> dispatch;
  if (ole::FAILED(objects[0]->QueryInterface(ole::IID_IDispatch, dispatch.OutVoid())))
    return ole::E_NOINTERFACE;
  object_ = ole::DispatchDriver(std::move(dispatch));
  return ole::S_OK;
}

ole::HRESULT DialogPropertyPage::GetPageInfo(ole::PROPPAGEINFO* info) {
  if (!info) return ole::E_POINTER;
  info->title = Title();
  info->width = static_cast<std::int32_t>(Template().cx * kPixelsPerUnitX);
  info->height = static_cast<std::int32_t>(Template().cy * kPixelsPerUnitY);
  return ole::S_OK;
}

ole::HRESULT DialogPropertyPage::Activate(win::HWND parent, const ole::RECT& rect, bool) {
  if (dialog_) return ole::E_UNEXPECTED;
  dialog_ = win::CreateDialogIndirectParam(
      parent, Template(),
      [this](win::HWND dialog, win::UINT message, win::WPARAM wParam, win::LPARAM) -> win::INT_PTR {
        if (message == win::WM_INITDIALOG) OnInitDialog(dialog);
        if (message == win::WM_COMMAND) OnCommand();
        if (message == win::WM_TIMER) OnTimer(dialog, wParam);
        return 0;
      },
      0);
  if (!dialog_) return ole::E_FAIL;
  if (object_) LoadValues(dialog_, object_);
  dirty_ = false;
  // The page keeps the size of its template in its own font; the frame sized its place from the same
  // template, so only the position is taken from `rect`.
  win::MoveDialog(dialog_, rect.left, rect.top, 0, 0);
  return ole::S_OK;
}

ole::HRESULT DialogPropertyPage::Deactivate() {
  if (!dialog_) return ole::E_UNEXPECTED;
  win::DestroyDialog(dialog_);
  dialog_ = nullptr;
  return ole::S_OK;
}

ole::HRESULT DialogPropertyPage::Show(bool show) {
  return dialog_ && win::ShowDialog(dialog_, show) ? ole::S_OK : ole::E_UNEXPECTED;
}

ole::HRESULT DialogPropertyPage::Move(const ole::RECT& rect) {
  if (!dialog_) return ole::E_UNEXPECTED;
  win::MoveDialog(dialog_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  return ole::S_OK;
}

ole::HRESULT DialogPropertyPage::Apply() {
  if (!dialog_ || !object_) return ole::E_UNEXPECTED;
  SaveValues(dialog_, object_);
  dirty_ = false;
  return ole::S_OK;
}

// Any click on the page's buttons changes a value: the frame is told the page is dirty.
void DialogPropertyPage::OnCommand() {
  dirty_ = true;
  if (site_) site_->OnStatusChange(ole::PROPPAGESTATUS_DIRTY | ole::PROPPAGESTATUS_VALIDATE);
}

}  // namespace zarn
