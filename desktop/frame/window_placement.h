// Window placement: where a window was and how (normal, minimised, maximised), kept in the per-user
// settings store under the program's title, section "<window name>Settings", keys "Left", "Top",
// "Width", "Height" (twips) and "WindowState" (0 normal, 1 minimised, 2 maximised). A window closed while
// minimised or maximised keeps the position and size it last had in the normal state.
#pragma once

#include <optional>
#include <string>

namespace kestrix {

enum class WindowState { kNormal = 0, kMinimised = 1, kMaximised = 2 };

// The per-user settings store (text values by application, section and key).
class PlacementStore {
 public:
  virtual ~PlacementStore() = default;
  virtual std::optional<std::string> Get(const std::string& section, const std::string& key) const = 0;
  virtual void Set(const std::string& section, const std::string& key, const std::string& value) = 0;
};

// A window whose placement is kept: its name, its edges in twips (for a child window relative to the main
// window's client area) and its state.
class PlacedWindow {
 public:
  virtual ~PlacedWindow() = default;
  virtual std::string Name() const = 0;
  virtual WindowState State() const = 0;
  virtual void SetState(WindowState state) = 0;
  struct Twips {
    float left, top, width, height;
  };
  virtual Twips Geometry() const = 0;
  virtual void SetGeometry(const Twips& geometry) = 0;
};

// Gives the window its stored edges (1000, 1000, 6500, 6500 by default), then its stored state (2 by
// default) unless that is normal.
void RestoreWindowPlacement(PlacedWindow& window, const PlacementStore& store);

// Stores the state, and the edges only when the state is normal.
void SaveWindowPlacement(const PlacedWindow& window, PlacementStore& store);

}  // namespace kestrix
