#include "platform/qt/window_frame.h"

#include <QGuiApplication>
#include <QWidget>

#if KX_HAVE_XCB && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#endif

namespace qtplatform {

#if KX_HAVE_XCB && QT_CONFIG(xcb)
namespace {

constexpr std::chrono::milliseconds kAnswerDeadline{500};

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t AtomOf(xcb_connection_t* connection, const char* name) {
  const ReplyPtr<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A window's property of 32-bit values, or nothing when it is not set.
ReplyPtr<xcb_get_property_reply_t> Property(xcb_connection_t* connection, xcb_window_t window,
                                            xcb_atom_t name, xcb_atom_t type, std::uint32_t count) {
  ReplyPtr<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, name, type, 0, count),
                             nullptr),
      &std::free);
  if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) == 0) reply.reset();
  return reply;
}

// Whether the running window manager says it answers a request for the frame extents.
bool ManagerAnswersFrameRequests(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t request) {
  const auto supported =
      Property(connection, root, AtomOf(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 1024);
  if (!supported) return false;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
  const int count = xcb_get_property_value_length(supported.get()) / static_cast<int>(sizeof(xcb_atom_t));
  for (int i = 0; i < count; ++i)
    if (atoms[i] == request) return true;
  return false;
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window) {
  const ReplyPtr<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &std::free);
  return geometry ? geometry->root : xcb_window_t{XCB_WINDOW_NONE};
}

// Asks the window manager for the frame it will give `window` and waits a short while for its answer,
// the window's _NET_FRAME_EXTENTS (left, right, top, bottom).
QMargins AskWindowManager(xcb_connection_t* connection, xcb_window_t window) {
  const xcb_window_t root = RootOf(connection, window);
  const xcb_atom_t request = AtomOf(connection, "_NET_REQUEST_FRAME_EXTENTS");
  const xcb_atom_t extents = AtomOf(connection, "_NET_FRAME_EXTENTS");
  if (root == XCB_WINDOW_NONE || request == XCB_ATOM_NONE ||
      !ManagerAnswersFrameRequests(connection, root, request))
    return {};
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = request;
  xcb_send_event(connection, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
  const auto deadline = std::chrono::steady_clock::now() + kAnswerDeadline;
  while (true) {
    if (const auto answer = Property(connection, window, extents, XCB_ATOM_CARDINAL, 4);
        answer && xcb_get_property_value_length(answer.get()) == 4 * 4) {
      const auto* value = static_cast<const std::uint32_t*>(xcb_get_property_value(answer.get()));
      return QMargins(static_cast<int>(value[0]), static_cast<int>(value[2]), static_cast<int>(value[1]),
                      static_cast<int>(value[3]));
    }
    if (std::chrono::steady_clock::now() >= deadline) return {};
    std::this_thread::sleep_for(std::chrono::milliseconds(1));  // the manager answers between two tries
  }
}

}  // namespace
#endif

QMargins WindowFrame(QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect inner = window.geometry();
  const QMargins known(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                       frame.bottom() - inner.bottom());
  // Qt knows the frame once the window shows, and on platforms that draw no frame of their own at once.
  if (!known.isNull() || window.testAttribute(Qt::WA_Mapped)) return known;
#if KX_HAVE_XCB && QT_CONFIG(xcb)
  if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
    if (xcb_connection_t* connection = x11->connection())
      return AskWindowManager(connection, static_cast<xcb_window_t>(window.winId()));
  }
#endif
  return {};
}

}  // namespace qtplatform
