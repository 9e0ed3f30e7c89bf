// The Qt tests of real windows: one application on the X server of $DISPLAY (tests/support/
// with_window_manager gives each test program a server of its own, with or without a window manager).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "%s: needs an X server; run it through tests/support/with_window_manager\n",
                 argv[0]);
    return 1;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
