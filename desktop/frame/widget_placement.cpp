#include "desktop/frame/widget_placement.h"

#include <QWidget>

#include "platform/qt/twips.h"

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
  // The stored size is the outer one; the frame the window system adds comes off the inner size.
  const QSize decoration = window_.frameGeometry().size() - window_.size();
  window_.move(x(geometry.left), y(geometry.top));
  window_.resize(x(geometry.width) - decoration.width(), y(geometry.height) - decoration.height());
}

}  // namespace kestrix
