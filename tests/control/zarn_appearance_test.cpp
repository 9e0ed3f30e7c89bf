// The control in a container at design time, and its about box where there is no user interface: the
// fixed extent, what it draws, its verbs and pages.
#include <gtest/gtest.h>

#include <vector>

#include "control/automation/zarn_automation.h"
#include "control/automation/zarn_identities.h"
#include "platform/ole/display_name_site.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

// Records what is drawn into it.
class RecordingDevice : public win::DeviceContext {
 public:
  void FillRect(int left, int top, int right, int bottom, win::COLORREF colour) override {
    calls.push_back("fill " + std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) +
                    "," + std::to_string(bottom) + " " + std::to_string(colour));
  }
  void DrawImage(int x, int y, const win::Image& image) override {
    calls.push_back("image " + std::to_string(x) + "," + std::to_string(y) + " " +
                    std::to_string(image.width) + "x" + std::to_string(image.height));
  }
  std::vector<std::string> calls;
};

class Appearance : public ::testing::Test {
 protected:
  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_.path()};
  ole::ComPtr<ZarnAutomation> control_ = ole::MakeObject<ZarnAutomation>();
};

TEST_F(Appearance, TheExtentStaysThirtyTwoPixelsSquare) {
  ole::SIZEL asked{5000, 1200};
  EXPECT_EQ(control_->SetExtent(ole::DVASPECT_CONTENT, &asked), ole::S_OK);
  EXPECT_EQ(asked.cx, 847);  // 32 pixels at 96 per inch, in hundredths of a millimetre
  EXPECT_EQ(asked.cy, 847);
  ole::SIZEL now;
  EXPECT_EQ(control_->GetExtent(ole::DVASPECT_CONTENT, &now), ole::S_OK);
  EXPECT_EQ(ole::PixelsFromHimetric(now.cx), 32);
  EXPECT_EQ(ole::PixelsFromHimetric(now.cy), 32);
}

TEST_F(Appearance, ItPaintsItsRectangleInTheWindowColourAndItsIconAtTheCorner) {
  RecordingDevice device;
  EXPECT_EQ(control_->Draw(ole::DVASPECT_CONTENT, &device, {10, 20, 42, 52}), ole::S_OK);
  EXPECT_EQ(device.calls, (std::vector<std::string>{"fill 10,20,42,52 16777215", "image 10,20 32x32"}));
}

TEST_F(Appearance, ItOffersPropertiesAndEditAndNamesItsTwoPagesGeneralFirst) {
  std::vector<ole::OLEVERB> verbs;
  EXPECT_EQ(control_->EnumVerbs(&verbs), ole::S_OK);
  ASSERT_EQ(verbs.size(), 2u);
  EXPECT_EQ(verbs[0].verb, ole::OLEIVERB_PROPERTIES);
  EXPECT_EQ(verbs[1].verb, ole::OLEIVERB_PRIMARY);
  std::vector<ole::CLSID> pages;
  EXPECT_EQ(control_->GetPages(&pages), ole::S_OK);
  EXPECT_EQ(pages, (std::vector<ole::CLSID>{CLSID_ZarnPropPage, CLSID_ZarnAboutPage}));
}

TEST_F(Appearance, WithoutAUserInterfaceTheAboutBoxAndThePropertiesFailAtOnce) {
  ole::DISPPARAMS none;
  EXPECT_EQ(control_->Invoke(ole::DISPID_ABOUTBOX, ole::GUID_NULL, 0, ole::DISPATCH_METHOD, &none, nullptr,
                             nullptr, nullptr),
            ole::E_FAIL);
  EXPECT_EQ(control_->DoVerb(ole::OLEIVERB_PROPERTIES, nullptr, nullptr), ole::E_FAIL);
}

}  // namespace
}  // namespace zarn::test
