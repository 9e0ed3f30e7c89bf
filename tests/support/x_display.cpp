#include "tests/support/x_display.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace kx::test {

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Own(Reply* reply) {
  return ReplyPtr<Reply>(reply, &std::free);
}

constexpr std::uint32_t kRemove = 0, kAdd = 1;
constexpr std::uint32_t kFromPager = 2;  // the request comes from a taskbar or pager, not the program

}  // namespace

XDisplay::XDisplay() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection) != 0) {
    xcb_disconnect(connection);
    return;
  }
  connection_ = connection;
  root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
}

XDisplay::~XDisplay() {
  if (connection_ != nullptr) xcb_disconnect(connection_);
}

xcb_atom_t XDisplay::Atom(const char* name) {
  const auto reply = Own(
      xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::optional<std::string> XDisplay::Text(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
  const auto reply = Own(xcb_get_property_reply(
      connection_, xcb_get_property(connection_, 0, window, name, type, 0, 256), nullptr));
  if (!reply || reply->type != type) return std::nullopt;
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                     static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

std::optional<std::uint32_t> XDisplay::Cardinal(xcb_window_t window, const char* name, int index) {
  const auto reply = Own(xcb_get_property_reply(
      connection_, xcb_get_property(connection_, 0, window, Atom(name), XCB_ATOM_CARDINAL, 0, 16), nullptr));
  if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4 * (index + 1))
    return std::nullopt;
  return static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()))[index];
}

bool XDisplay::HasWindowManager() {
  const auto reply = Own(xcb_get_property_reply(
      connection_,
      xcb_get_property(connection_, 0, root_, Atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1),
      nullptr));
  return reply && xcb_get_property_value_length(reply.get()) == 4;
}

std::optional<xcb_window_t> XDisplay::FindWindow(std::uint32_t pid, const std::string& title) {
  return Search(root_, pid, title);
}

// Looks through the window tree below `parent`: a window manager puts each program's window into a frame
// of its own.
std::optional<xcb_window_t> XDisplay::Search(xcb_window_t parent, std::uint32_t pid,
                                             const std::string& title) {
  const auto tree = Own(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, parent), nullptr));
  if (!tree) return std::nullopt;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  const std::vector<xcb_window_t> windows(children, children + xcb_query_tree_children_length(tree.get()));
  for (const xcb_window_t window : windows) {
    const auto attributes = Own(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) continue;
    const std::optional<std::string> name = Text(window, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"));
    if (Cardinal(window, "_NET_WM_PID") == pid && name && name->rfind(title, 0) == 0) return window;
    if (const auto inside = Search(window, pid, title)) return inside;
  }
  return std::nullopt;
}

XDisplay::Rect XDisplay::OuterRect(xcb_window_t window) {
  const auto place = Own(xcb_translate_coordinates_reply(
      connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0), nullptr));
  const auto size = Own(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
  if (!place || !size) return {};
  const int left = static_cast<int>(Cardinal(window, "_NET_FRAME_EXTENTS", 0).value_or(0));
  const int right = static_cast<int>(Cardinal(window, "_NET_FRAME_EXTENTS", 1).value_or(0));
  const int top = static_cast<int>(Cardinal(window, "_NET_FRAME_EXTENTS", 2).value_or(0));
  const int bottom = static_cast<int>(Cardinal(window, "_NET_FRAME_EXTENTS", 3).value_or(0));
  return {place->dst_x - left, place->dst_y - top, size->width + left + right, size->height + top + bottom};
}

bool XDisplay::Framed(xcb_window_t window) {
  return Cardinal(window, "_NET_FRAME_EXTENTS", 3).has_value();
}

bool XDisplay::Maximised(xcb_window_t window) {
  const auto reply = Own(xcb_get_property_reply(
      connection_, xcb_get_property(connection_, 0, window, Atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 32),
      nullptr));
  if (!reply) return false;
  const auto* states = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  const int count = xcb_get_property_value_length(reply.get()) / static_cast<int>(sizeof(xcb_atom_t));
  int found = 0;
  for (const xcb_atom_t wanted : {Atom("_NET_WM_STATE_MAXIMIZED_VERT"), Atom("_NET_WM_STATE_MAXIMIZED_HORZ")})
    for (int i = 0; i < count; ++i)
      if (states[i] == wanted) ++found;
  return found == 2;
}

void XDisplay::RequestMaximised(xcb_window_t window, bool maximised) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = Atom("_NET_WM_STATE");
  message.data.data32[0] = maximised ? kAdd : kRemove;
  message.data.data32[1] = Atom("_NET_WM_STATE_MAXIMIZED_VERT");
  message.data.data32[2] = Atom("_NET_WM_STATE_MAXIMIZED_HORZ");
  message.data.data32[3] = kFromPager;
  xcb_send_event(connection_, 0, root_,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection_);
}

void XDisplay::RequestClose(xcb_window_t window) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = Atom("WM_PROTOCOLS");
  message.data.data32[0] = Atom("WM_DELETE_WINDOW");
  message.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
  xcb_flush(connection_);
}

}  // namespace kx::test
