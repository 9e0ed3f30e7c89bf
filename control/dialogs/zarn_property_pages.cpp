#include "control/dialogs/zarn_property_pages.h"

#include "control/dialogs/changing_line.h"
#include "control/dialogs/zarn_resources.h"

namespace zarn {

namespace {

// The check boxes in the order their values are exchanged, with the properties they stand for.
struct CheckBinding {
  int id;
  const char* property;
};
constexpr CheckBinding kChecks[] = {{kIdCaseSensitive, "CaseSensitive"},
                                    {kIdLookInSubfolders, "LookInSubfolders"},
                                    {kIdRegularExpression, "RegularExpression"},
                                    {kIdWholeWordOnly, "WholeWordOnly"}};

// The index of the checked button of the priority group (0 when none is checked).
int CheckedPriority(win::HWND dialog) {
  for (int id = kIdPriorityIdle; id <= kIdPriorityTimeCritical; ++id)
    if (win::IsDlgButtonChecked(dialog, id) == win::BST_CHECKED) return id - kIdPriorityIdle;
  return 0;
}

template <typename Page>
void* PageInterface(Page* page, const ole::IID& iid) {
  return iid == ole::IID_IUnknown || iid == ole::IID_IPropertyPage ? static_cast<ole::IPropertyPage*>(page)
                                                                   : nullptr;
}

}  // namespace

void* CZarnPropPage::Find(const ole::IID& iid) {
  return PageInterface(this, iid);
}

const win::DialogTemplate& CZarnPropPage::Template() const {
  return GeneralPageTemplate();
}

std::string CZarnPropPage::Title() const {
  return LoadString(kStringGeneralCaption);
}

void CZarnPropPage::LoadValues(win::HWND dialog, ole::DispatchDriver& object) {
  for (const CheckBinding& check : kChecks)
    win::CheckDlgButton(dialog, check.id,
                        object.GetBool(check.property) ? win::BST_CHECKED : win::BST_UNCHECKED);
  win::CheckRadioButton(dialog, kIdPriorityIdle, kIdPriorityTimeCritical,
                        kIdPriorityIdle + object.GetLong("ThreadPriority"));
}

void CZarnPropPage::SaveValues(win::HWND dialog, ole::DispatchDriver& object) {
  for (const CheckBinding& check : kChecks)
    object.PutBool(check.property, win::IsDlgButtonChecked(dialog, check.id) == win::BST_CHECKED);
  object.PutLong("ThreadPriority", CheckedPriority(dialog));
}

void* CZarnPropertyPageAboutBox::Find(const ole::IID& iid) {
  return PageInterface(this, iid);
}

const win::DialogTemplate& CZarnPropertyPageAboutBox::Template() const {
  return AboutPageTemplate();
}

std::string CZarnPropertyPageAboutBox::Title() const {
  return LoadString(kStringAboutCaption);
}

void CZarnPropertyPageAboutBox::SaveValues(win::HWND dialog, ole::DispatchDriver&) {
  ChangingLine::OfAboutPage().Stop(dialog);
}

void CZarnPropertyPageAboutBox::OnInitDialog(win::HWND dialog) {
  ChangingLine::OfAboutPage().Start(dialog);
}

void CZarnPropertyPageAboutBox::OnTimer(win::HWND dialog, win::WPARAM timer) {
  ChangingLine::OfAboutPage().OnTimer(dialog, timer);
}

}  // namespace zarn
