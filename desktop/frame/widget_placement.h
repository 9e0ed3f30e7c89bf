// A Qt window seen as a PlacedWindow: its object name, its edges in twips (a child window's relative to
// its parent, the main window's client area) and its state.
#pragma once

#include <string>

#include "desktop/frame/window_placement.h"

class QWidget;

namespace kestrix {

// A child window given a minimised or maximised state while hidden takes it only when it is shown through
// ShowPlacedWindow; until then it stays as it is, and its placement reports the state it will take.
class WidgetPlacement : public PlacedWindow {
 public:
  explicit WidgetPlacement(QWidget& window) : window_(window) {}
  // A window kept under another name than its object name (a child window's frame in the main window).
  WidgetPlacement(QWidget& window, std::string name) : window_(window), name_(std::move(name)) {}

  std::string Name() const override;
  WindowState State() const override;
  void SetState(WindowState state) override;
  Twips Geometry() const override;
  void SetGeometry(const Twips& geometry) override;

 private:
  QWidget& window_;
  std::string name_;  // empty: the window's object name
};

// Shows `window` in the state its placement gave it while it was hidden.
void ShowPlacedWindow(QWidget& window);

}  // namespace kestrix
