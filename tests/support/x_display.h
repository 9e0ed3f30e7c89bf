// A test's own connection to the X server ($DISPLAY), for looking at another program's windows from
// outside and acting on them as a window manager, a taskbar or a user at the close box does.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <string>

namespace kx::test {

class XDisplay {
 public:
  // Connects to $DISPLAY; Connected() tells whether that worked.
  XDisplay();
  ~XDisplay();
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;

  bool Connected() const { return connection_ != nullptr; }
  // Whether a window manager runs (it announces itself on the root window).
  bool HasWindowManager();

  // The viewable top-level window of process `pid` whose title begins with `title`, if there is one.
  std::optional<xcb_window_t> FindWindow(std::uint32_t pid, const std::string& title);

  struct Rect {
    int x, y, width, height;
    bool operator==(const Rect&) const = default;
  };
  // The window's outer rectangle on the screen: its own, with the window manager's frame around it.
  Rect OuterRect(xcb_window_t window);
  // Whether the window manager has framed the window (no frame comes without one).
  bool Framed(xcb_window_t window);
  // Whether the window is maximised in both directions, as its _NET_WM_STATE says.
  bool Maximised(xcb_window_t window);

  // Asks the window manager to maximise the window or to restore it, as a taskbar does.
  void RequestMaximised(xcb_window_t window, bool maximised);
  // Asks the window's program to close it, as a click on the close box does.
  void RequestClose(xcb_window_t window);

 private:
  xcb_atom_t Atom(const char* name);
  std::optional<std::string> Text(xcb_window_t window, xcb_atom_t name, xcb_atom_t type);
  std::optional<std::uint32_t> Cardinal(xcb_window_t window, const char* name, int index = 0);
  std::optional<xcb_window_t> Search(xcb_window_t parent, std::uint32_t pid, const std::string& title);

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = XCB_WINDOW_NONE;
};

}  // namespace kx::test
