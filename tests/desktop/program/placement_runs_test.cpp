// The main window's placement across runs of the real program on a real X server: started, looked at,
// closed by its close box and started again, comparing the stored placement and where the window shows
// each time. Runs with a window manager (whose frame the placement must account for) and without one.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "desktop/frame/placement_settings.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_display.h"

extern char** environ;

namespace kestrix {
namespace {

using namespace std::chrono_literals;
using kx::test::XDisplay;

constexpr const char* kSection = "frmMainMDISettings";
constexpr const char* kTitle = "Kestrix From Brantwell";
constexpr int kTwipsPerPixel = 15;  // the X server's 96 dots per inch
constexpr int kRunsAfterTheFirst = 5;

// The stored placement: WindowState, Left, Top, Width, Height.
using Stored = std::array<std::string, 5>;
constexpr const char* kKeys[] = {"WindowState", "Left", "Top", "Width", "Height"};
const Stored kNormalDefault = {"0", "1005", "1005", "6495", "6495"};  // 1000 twips is 67 pixels

XDisplay::Rect OnScreen(const Stored& stored) {
  return {std::stoi(stored[1]) / kTwipsPerPixel, std::stoi(stored[2]) / kTwipsPerPixel,
          std::stoi(stored[3]) / kTwipsPerPixel, std::stoi(stored[4]) / kTwipsPerPixel};
}

std::string Text(const XDisplay::Rect& rect) {
  return std::to_string(rect.x) + "," + std::to_string(rect.y) + " " + std::to_string(rect.width) + "x" +
         std::to_string(rect.height);
}

class PlacementAcrossRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_.Connected())
        << "needs an X server: run it through tests/support/with_window_manager";
    managed_ = display_.HasWindowManager();
  }

  Stored StoredPlacement() const {
    const PlacementSettings store(kProgramTitle);
    Stored stored;
    for (std::size_t i = 0; i < stored.size(); ++i)
      stored[i] = store.Get(kSection, kKeys[i]).value_or("(none)");
    return stored;
  }
  void Store(const Stored& stored) const {
    PlacementSettings store(kProgramTitle);
    for (std::size_t i = 0; i < stored.size(); ++i) store.Set(kSection, kKeys[i], stored[i]);
  }

  bool Wait(const std::function<bool()>& condition) {
    return kx::test::WaitFor(condition, 20s, [] { std::this_thread::sleep_for(5ms); });
  }

  // One run of the program: started, `during` done to its main window once it shows (and is framed,
  // when a window manager runs), then closed by the close box; the program must end by itself.
  void Run(const std::function<void(xcb_window_t)>& during) {
    const pid_t pid = Start();
    ASSERT_GT(pid, 0);
    xcb_window_t window = XCB_WINDOW_NONE;
    const bool shown = Wait([&] {
      const auto found = display_.FindWindow(static_cast<std::uint32_t>(pid), kTitle);
      window = found.value_or(XCB_WINDOW_NONE);
      return found && (!managed_ || display_.Framed(window));
    });
    if (shown) during(window);
    if (shown) display_.RequestClose(window);
    int status = 0;
    const bool ended = Wait([&] { return waitpid(pid, &status, WNOHANG) == pid; });
    if (!ended) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(shown) << "the main window did not show";
    ASSERT_TRUE(ended) << "the program did not end when its window was closed";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  pid_t Start() const {
    const std::string program = KX_PROGRAM;
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    return posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) == 0 ? pid : -1;
  }

  // Waits until the window is as asked and shows at `rect` (any rectangle when none is given).
  bool WaitUntilShown(xcb_window_t window, bool maximised, const std::optional<XDisplay::Rect>& rect = {}) {
    return Wait([&] {
      return display_.Maximised(window) == maximised && (!rect || display_.OuterRect(window) == *rect);
    });
  }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv home_{"HOME", folder_ / "home"};
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_ / "config"};
  kx::test::ScopedEnv data_{"XDG_DATA_HOME", folder_ / "data"};
  XDisplay display_;
  bool managed_ = false;
};

TEST_F(PlacementAcrossRuns, EachRunShowsTheWindowWhereTheLastOneLeftItAndStoresTheSame) {
  if (managed_) {
    // A first run opens maximised; restored, it shows the default rectangle.
    Run([&](xcb_window_t window) {
      ASSERT_TRUE(WaitUntilShown(window, true));
      display_.RequestMaximised(window, false);
      EXPECT_TRUE(WaitUntilShown(window, false, OnScreen(kNormalDefault)))
          << Text(display_.OuterRect(window));
    });
  } else {
    Store(kNormalDefault);  // without a window manager nothing can restore a maximised window
  }
  ASSERT_EQ(StoredPlacement(), kNormalDefault);
  for (int run = 1; run <= kRunsAfterTheFirst; ++run) {
    SCOPED_TRACE("run " + std::to_string(run + 1));
    Run([&](xcb_window_t window) {
      EXPECT_TRUE(WaitUntilShown(window, false, OnScreen(kNormalDefault)))
          << Text(display_.OuterRect(window));
    });
    ASSERT_EQ(StoredPlacement(), kNormalDefault);
  }
}

TEST_F(PlacementAcrossRuns, AMaximisedWindowKeepsItsNormalRectangleForLater) {
  const Stored normal = {"0", "1500", "1200", "9000", "7500"};
  Stored maximised = normal;
  maximised[0] = "2";
  Store(maximised);
  for (int run = 1; run <= 2; ++run) {
    Run([&](xcb_window_t window) { EXPECT_TRUE(WaitUntilShown(window, true)); });
    EXPECT_EQ(StoredPlacement(), maximised);
  }
  if (!managed_) return;  // only a window manager restores a maximised window
  Run([&](xcb_window_t window) {
    ASSERT_TRUE(WaitUntilShown(window, true));
    display_.RequestMaximised(window, false);
    EXPECT_TRUE(WaitUntilShown(window, false, OnScreen(normal))) << Text(display_.OuterRect(window));
  });
  EXPECT_EQ(StoredPlacement(), normal);
}

}  // namespace
}  // namespace kestrix
