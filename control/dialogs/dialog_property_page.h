// A property page made of a dialog template: what the control's two pages share. The frame gives the
// page its site and the objects to edit, and activates it inside one of its windows; the page's dialog
// is created there from the template, takes the objects' values, reports each change of the user's to
// the site, and on Apply sets the values through the first object's dispatch interface (by name, as any
// client of the control does).
#pragma once

#include <vector>

#include "platform/ole/dispatch_driver.h"
#include "platform/ole/property_page.h"
#include "platform/window/dialog.h"

namespace zarn {

class DialogPropertyPage : public ole::IPropertyPage {
 public:
  ole::HRESULT SetPageSite(ole::IPropertyPageSite* site) override;
  ole::HRESULT Activate(win::HWND parent, const ole::RECT& rect, bool modal) override;
  ole::HRESULT Deactivate() override;
  ole::HRESULT GetPageInfo(ole::PROPPAGEINFO* info) override;
  ole::HRESULT SetObjects(unsigned count, ole::IUnknown** objects) override;
  ole::HRESULT Show(bool show) override;
  ole::HRESULT Move(const ole::RECT& rect) override;
  ole::HRESULT IsPageDirty() override { return dirty_ ? ole::S_OK : ole::S_FALSE; }
  ole::HRESULT Apply() override;

  // The page's dialog while it is active (null otherwise).
  win::HWND Dialog() const { return dialog_; }

 protected:
  DialogPropertyPage();  // counted among the library's living objects
  ~DialogPropertyPage();

  virtual const win::DialogTemplate& Template() const = 0;
  virtual std::string Title() const = 0;
  // The values between the dialog's items and the object, in both directions.
  virtual void LoadValues(win::HWND dialog, ole::DispatchDriver& object) = 0;
  virtual void SaveValues(win::HWND dialog, ole::DispatchDriver& object) = 0;
  virtual void OnInitDialog(win::HWND) {}
  virtual void OnTimer(win::HWND, win::WPARAM) {}

 private:
  void OnCommand();

  ole::ComPtr<ole::IPropertyPageSite> site_;
  ole::DispatchDriver object_;
  win::HWND dialog_ = nullptr;
  bool dirty_ = false;
};

}  // namespace zarn
