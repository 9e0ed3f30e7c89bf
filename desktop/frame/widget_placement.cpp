#include "desktop/frame/widget_placement.h"

#include <QVariant>
#include <QWidget>
#include <optional>

#include "platform/qt/twips.h"
#include "platform/qt/window_frame.h"

namespace kestrix {

namespace {

// A hidden child window's stored state waits in this property until the window is shown through
// ShowPlacedWindow. Given at once, a maximised state would make the hidden child the active one, with its
// caption in the main window's and its buttons in the main window's menu bar, while nobody sees it.
constexpr const char* kStateWhenShown = "kxStateWhenShown";

Qt::WindowStates QtStateOf(WindowState state) {
  switch (state) {
    case WindowState::kMinimised:
      return Qt::WindowMinimized;
    case WindowState::kMaximised:
      return Qt::WindowMaximized;
    case WindowState::kNormal:
      break;
  }
  return Qt::WindowNoState;
}

// The state waiting for the window to show, if any (a window that shows by other means drops it).
std::optional<WindowState> StateWhenShown(const QWidget& window) {
  const QVariant waiting = window.property(kStateWhenShown);
  if (!waiting.isValid() || !window.isHidden()) return std::nullopt;
  return static_cast<WindowState>(waiting.toInt());
}

}  // namespace

void ShowPlacedWindow(QWidget& window) {
  if (const std::optional<WindowState> waiting = StateWhenShown(window))
    window.setWindowState(QtStateOf(*waiting));
  window.setProperty(kStateWhenShown, QVariant());
  window.show();
}

std::string WidgetPlacement::Name() const {
  return name_.empty() ? window_.objectName().toStdString() : name_;
}

WindowState WidgetPlacement::State() const {
  if (const std::optional<WindowState> waiting = StateWhenShown(window_)) return *waiting;
  if (window_.isMinimized()) return WindowState::kMinimised;
  if (window_.isMaximized()) return WindowState::kMaximised;
  return WindowState::kNormal;
}

void WidgetPlacement::SetState(WindowState state) {
  window_.setProperty(kStateWhenShown, QVariant());
  if (!window_.isWindow() && window_.isHidden() && state != WindowState::kNormal) {
    window_.setProperty(kStateWhenShown, static_cast<int>(state));
    return;
  }
  window_.setWindowState(QtStateOf(state));
}

PlacedWindow::Twips WidgetPlacement::Geometry() const {
  const QRect frame = window_.frameGeometry();
  return {static_cast<float>(qtplatform::PixelsToTwipsX(frame.x(), &window_)),
          static_cast<float>(qtplatform::PixelsToTwipsY(frame.y(), &window_)),
          static_cast<float>(qtplatform::PixelsToTwipsX(frame.width(), &window_)),
          static_cast<float>(qtplatform::PixelsToTwipsY(frame.height(), &window_))};
}

void WidgetPlacement::SetGeometry(const Twips& geometry) {
  const auto x = [this](float twips) {
    return qtplatform::TwipsToPixelsX(static_cast<int>(twips), &window_);
  };
  const auto y = [this](float twips) {
    return qtplatform::TwipsToPixelsY(static_cast<int>(twips), &window_);
  };
  // The stored edges are the outer ones: the frame the window manager adds (none for a child window)
  // lies inside them, so the window's own part goes where the frame leaves room for it.
  const QMargins frame = window_.isWindow() ? qtplatform::WindowFrame(window_) : QMargins();
  const QRect outer(x(geometry.left), y(geometry.top), x(geometry.width), y(geometry.height));
  window_.setGeometry(outer.marginsRemoved(frame));
}

}  // namespace kestrix
