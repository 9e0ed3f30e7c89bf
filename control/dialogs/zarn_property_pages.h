// The control's property pages: CZarnPropPage, the general page, edits four search options and the
// thread priority; CZarnPropertyPageAboutBox shows the version and the changing line.
#pragma once

#include "control/dialogs/dialog_property_page.h"
#include "platform/ole/unknown.h"

namespace zarn {

class CZarnPropPage final : public ole::ComObject<CZarnPropPage, DialogPropertyPage> {
 public:
  void* Find(const ole::IID& iid);

 private:
  const win::DialogTemplate& Template() const override;
  std::string Title() const override;
  void LoadValues(win::HWND dialog, ole::DispatchDriver& object) override;
  void SaveValues(win::HWND dialog, ole::DispatchDriver& object) override;
};

class CZarnPropertyPageAboutBox final : public ole::ComObject<CZarnPropertyPageAboutBox, DialogPropertyPage> {
 public:
  void* Find(const ole::IID& iid);

 private:
  const win::DialogTemplate& Template() const override;
  std::string Title() const override;
  void LoadValues(win::HWND, ole::DispatchDriver&) override {}
  // Saving the page's values stops its changing line.
  void SaveValues(win::HWND dialog, ole::DispatchDriver&) override;
  void OnInitDialog(win::HWND dialog) override;
  void OnTimer(win::HWND dialog, win::WPARAM timer) override;
};

}  // namespace zarn
