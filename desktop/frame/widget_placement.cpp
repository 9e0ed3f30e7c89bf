#include "desktop/frame/widget_placement.h"

#include <QEvent>
#include <QWidget>

#include "platform/qt/twips.h"
#include "platform/qt/window_frame.h"

namespace kestrix {

namespace {

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

// The state of a hidden child window, given to it when it shows. Given at once, a maximised state would
// make the hidden child the active one, its caption part of the main window's and its buttons part of
// the main window's menu bar, while nobody sees it.
class StateWhenShown : public QObject {
 public:
  StateWhenShown(QWidget& window, WindowState state) : QObject(&window), state_(state) {
    setObjectName(kStateWhenShown);
    window.installEventFilter(this);
  }
  WindowState State() const { return state_; }

  static StateWhenShown* Of(const QWidget& window) {
    return window.findChild<StateWhenShown*>(kStateWhenShown, Qt::FindDirectChildrenOnly);
  }
  // Forgets the state (a new one was given meanwhile, or the window shows).
  void Drop(QWidget& window) {
    window.removeEventFilter(this);
    setObjectName(QString());
    deleteLater();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto& window = static_cast<QWidget&>(*watched);
      Drop(window);
      window.setWindowState(QtStateOf(state_));
    }
    return false;
  }

 private:
  WindowState state_;
};

}  // namespace

std::string WidgetPlacement::Name() const {
  return name_.empty() ? window_.objectName().toStdString() : name_;
}

WindowState WidgetPlacement::State() const {
  if (const StateWhenShown* waiting = StateWhenShown::Of(window_)) return waiting->State();
  if (window_.isMinimized()) return WindowState::kMinimised;
  if (window_.isMaximized()) return WindowState::kMaximised;
  return WindowState::kNormal;
}

void WidgetPlacement::SetState(WindowState state) {
  if (StateWhenShown* waiting = StateWhenShown::Of(window_)) waiting->Drop(window_);
  if (!window_.isWindow() && window_.isHidden() && state != WindowState::kNormal) {
    new StateWhenShown(window_, state);
    return;
  }
  window_.setWindowState(QtStateOf(state));
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
