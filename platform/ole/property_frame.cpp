#include "platform/ole/property_frame.h"

#include <algorithm>

#include "platform/ole/object_creation.h"
#include "platform/window/dialog.h"

namespace ole {

namespace {

constexpr int kTabsId = 100;
constexpr int kApplyId = 3;
// Pixels per dialog unit by which pages state their size (an 8-point dialog font).
constexpr double kPixelsPerUnitX = 1.5;
constexpr double kPixelsPerUnitY = 1.625;

// The frame's site: a page's changes need no answer here (Apply is always offered).
class FrameSite final : public ComObject<FrameSite, IPropertyPageSite> {
 public:
  void* Find(const IID& iid) {
    return iid == IID_IUnknown || iid == IID_IPropertyPageSite ? static_cast<IPropertyPageSite*>(this)
                                                               : nullptr;
  }
  HRESULT OnStatusChange(std::uint32_t) override { return S_OK; }
};

struct Page {
  ComPtr<IPropertyPage> page;
  PROPPAGEINFO info;
};

std::vector<Page> CreatePages(const std::vector<CLSID>& classes, std::vector<IUnknown*>& objects,
                              IPropertyPageSite* site) {
  std::vector<Page> pages;
  for (const CLSID& clsid : classes) {
    Page created;
    if (FAILED(CoCreateInstance(clsid, nullptr, IID_IPropertyPage, created.page.OutVoid()))) continue;
    created.page->SetPageSite(site);
    created.page->SetObjects(static_cast<unsigned>(objects.size()), objects.data());
    created.page->GetPageInfo(&created.info);
    pages.push_back(std::move(created));
  }
  return pages;
}

win::DialogTemplate FrameLayout(const std::string& caption, const std::vector<Page>& pages) {
  int width = 100, height = 60;
  std::string tabs;
  for (const Page& page : pages) {
    width = std::max(width, static_cast<int>(page.info.width / kPixelsPerUnitX));
    height = std::max(height, static_cast<int>(page.info.height / kPixelsPerUnitY));
    tabs += (tabs.empty() ? "" : "\n") + page.info.title;
  }
  using Kind = win::DialogItem::Kind;
  const int frame_width = width + 24, buttons_top = height + 34;
  return {0,
          caption + " Properties",
          frame_width,
          buttons_top + 22,
          win::DS_MODALFRAME | win::DS_CENTER,
          "MS Sans Serif",
          8,
          {{Kind::kTabs, kTabsId, tabs, 7, 7, width + 10, height + 22},
           {Kind::kDefaultPushButton, win::kDialogOk, "OK", frame_width - 165, buttons_top, 50, 14},
           {Kind::kPushButton, win::kDialogCancel, "Cancel", frame_width - 111, buttons_top, 50, 14},
           {Kind::kPushButton, kApplyId, "&Apply", frame_width - 57, buttons_top, 50, 14}}};
}

void ApplyAll(const std::vector<Page>& pages) {
  for (const Page& page : pages)
    if (page.page->IsPageDirty() == S_OK) page.page->Apply();
}

win::INT_PTR FrameProcedure(const std::vector<Page>& pages, win::HWND frame, win::UINT message,
                            win::WPARAM wParam) {
  if (message == win::WM_INITDIALOG) {
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const RECT area{0, 0, pages[i].info.width, pages[i].info.height};
      pages[i].page->Activate(win::GetDlgItem(frame, kTabsId + 1 + static_cast<int>(i)), area, true);
      pages[i].page->Show(true);
    }
  } else if (message == win::WM_COMMAND) {
    const int id = static_cast<int>(wParam);
    if (id == win::kDialogOk || id == kApplyId) ApplyAll(pages);
    if (id == win::kDialogOk || id == win::kDialogCancel) win::EndDialog(frame, id);
  }
  return 0;
}

}  // namespace

HRESULT OleCreatePropertyFrame(win::HWND owner, const std::string& caption, std::vector<IUnknown*> objects,
                               const std::vector<CLSID>& classes) {
  const ComPtr<FrameSite> site = MakeObject<FrameSite>();
  const std::vector<Page> pages = CreatePages(classes, objects, site.Get());
  if (pages.empty()) return E_FAIL;
  const win::INT_PTR shown = win::DialogBoxIndirectParam(
      owner, FrameLayout(caption, pages),
      [&pages](win::HWND frame, win::UINT message, win::WPARAM wParam, win::LPARAM) {
        return FrameProcedure(pages, frame, message, wParam);
      },
      0);
  for (const Page& page : pages) {
    page.page->Deactivate();
    page.page->SetObjects(0, nullptr);
    page.page->SetPageSite(nullptr);
  }
  return shown == -1 ? E_FAIL : S_OK;
}

std::vector<CLSID> PropertyPagesOf(IUnknown* object) {
  std::vector<CLSID> pages;
  ComPtr<ISpecifyPropertyPages> specify;
  if (object && SUCCEEDED(object->QueryInterface(IID_ISpecifyPropertyPages, specify.OutVoid())))
    specify->GetPages(&pages);
  return pages;
}

}  // namespace ole
