// Window placement kept between runs, for normal, maximised and minimised windows.
#include <gtest/gtest.h>

#include <map>

#include "desktop/frame/window_placement.h"

namespace kestrix {
namespace {

class MemoryStore : public PlacementStore {
 public:
  std::optional<std::string> Get(const std::string& section, const std::string& key) const override {
    const auto found = values.find(section + "/" + key);
    return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
  }
  void Set(const std::string& section, const std::string& key, const std::string& value) override {
    values[section + "/" + key] = value;
  }
  std::map<std::string, std::string> values;
};

class FakeWindow : public PlacedWindow {
 public:
  std::string Name() const override { return "frmMainMDI"; }
  WindowState State() const override { return state; }
  void SetState(WindowState new_state) override { state = new_state; }
  Twips Geometry() const override { return geometry; }
  void SetGeometry(const Twips& new_geometry) override { geometry = new_geometry; }
  WindowState state = WindowState::kNormal;
  Twips geometry{0, 0, 0, 0};
};

bool SameGeometry(const PlacedWindow::Twips& a, const PlacedWindow::Twips& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

TEST(WindowPlacement, AFirstRunOpensMaximisedOverTheDefaultRectangle) {
  MemoryStore store;
  FakeWindow window;
  RestoreWindowPlacement(window, store);
  EXPECT_EQ(window.state, WindowState::kMaximised);
  EXPECT_TRUE(SameGeometry(window.geometry, {1000, 1000, 6500, 6500}));
}

TEST(WindowPlacement, ANormalWindowComesBackWhereItWas) {
  MemoryStore store;
  FakeWindow closed;
  closed.geometry = {120, 240, 7200.5f, 4800};
  SaveWindowPlacement(closed, store);
  EXPECT_EQ(store.values["frmMainMDISettings/WindowState"], "0");
  FakeWindow opened;
  RestoreWindowPlacement(opened, store);
  EXPECT_EQ(opened.state, WindowState::kNormal);
  EXPECT_TRUE(SameGeometry(opened.geometry, closed.geometry));
}

TEST(WindowPlacement, MaximisedOrMinimisedWindowsKeepTheirLastNormalRectangle) {
  for (const WindowState state : {WindowState::kMaximised, WindowState::kMinimised}) {
    MemoryStore store;
    FakeWindow window;
    window.geometry = {100, 200, 3000, 4000};
    SaveWindowPlacement(window, store);
    window.state = state;
    window.geometry = {0, 0, 20000, 15000};
    SaveWindowPlacement(window, store);
    FakeWindow reopened;
    RestoreWindowPlacement(reopened, store);
    EXPECT_EQ(reopened.state, state);
    EXPECT_TRUE(SameGeometry(reopened.geometry, {100, 200, 3000, 4000}));
  }
}

TEST(WindowPlacement, AValueThatIsNoNumberGivesTheDefault) {
  MemoryStore store;
  store.values["frmMainMDISettings/Left"] = "left edge";
  store.values["frmMainMDISettings/WindowState"] = "0";
  FakeWindow window;
  RestoreWindowPlacement(window, store);
  EXPECT_EQ(window.geometry.left, 1000);
  EXPECT_EQ(window.state, WindowState::kNormal);
}

}  // namespace
}  // namespace kestrix
