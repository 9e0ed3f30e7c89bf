#include "desktop/frame/widget_placement.h"

#include <QWidget>

#include "platform/qt/twips.h"
#include "platform/qt/window_frame.h"

namespace kestrix {

std::string WidgetPlacement::Name() const {
  return name_.empty() ? window_.objectName().toStdString() : name_;
}

WindowState WidgetPlacement::State() const {
  if (window_.isMinimized()) return WindowState::kMinimised;
  if (window_.isMaximized()) return WindowState::kMaximised;
  return WindowState::kNormal;
}

void WidgetPlacement::SetState(WindowState state) {
  switch (state) {
    case WindowState::kMinimised:
      window_.setWindowState(Qt::WindowMinimized);
      break;
    case WindowState::kMaximised:
      window_.setWindowState(Qt::WindowMaximized);
      break;
    case WindowState::kNormal:
      window_.setWindowState(Qt::WindowNoState);
      break;
  }
}

PlacedWindow::Twips WidgetPlacement::Geometry() const {
  const QRect frame = window_.frameGeometry();
  return {static_cast<float>(PixelsToTwipsX(frame.x(), &window_)),
          static_cast<float>(PixelsToTwipsY(frame.y(), &window_)),
          static_cast<float>(PixelsToTwipsX(frame.width(), &window_)),
          static_cast<float>(PixelsToTwipsY(frame.height(), &window_))};
}

void WidgetPlacement::SetGeometry(const Twips& geometry) {
  const auto x = [this](float twips) { return TwipsToPixelsX(static_cast<int>(twips), &window_); };
  const auto y = [this](float twips) { return TwipsToPixelsY(static_cast<int>(twips), &window_); };
  // The stored edges are the outer ones: the frame the window manager adds (none for a child window)
  // lies inside them, so the window's own part goes where the frame leaves room for it.
  const QMargins frame = window_.isWindow() ? WindowFrame(window_) : QMargins();
  const QRect outer(x(geometry.left), y(geometry.top), x(geometry.width), y(geometry.height));
  window_.setGeometry(outer.marginsRemoved(frame));
}

}  // namespace kestrix
