#include "desktop/frame/window_placement.h"

#include <cstdlib>
#include <sstream>

namespace kestrix {

namespace {

std::string SectionOf(const PlacedWindow& window) {
  return window.Name() + "Settings";
}

// A stored number, or `fallback` when the value is missing or not a number.
float StoredNumber(const PlacementStore& store, const std::string& section, const char* key, float fallback) {
  const std::optional<std::string> text = store.Get(section, key);
  if (!text) return fallback;
  char* end = nullptr;
  const float value = std::strtof(text->c_str(), &end);
  return end == text->c_str() ? fallback : value;
}

std::string NumberText(float value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

}  // namespace

void RestoreWindowPlacement(PlacedWindow& window, const PlacementStore& store) {
  const std::string section = SectionOf(window);
  window.SetGeometry({StoredNumber(store, section, "Left", 1000), StoredNumber(store, section, "Top", 1000),
                      StoredNumber(store, section, "Width", 6500),
                      StoredNumber(store, section, "Height", 6500)});
  const int state = static_cast<int>(StoredNumber(store, section, "WindowState", 2));
  if (state == 1 || state == 2) window.SetState(static_cast<WindowState>(state));
}

void SaveWindowPlacement(const PlacedWindow& window, PlacementStore& store) {
  const std::string section = SectionOf(window);
  store.Set(section, "WindowState", std::to_string(static_cast<int>(window.State())));
  if (window.State() != WindowState::kNormal) return;
  const PlacedWindow::Twips geometry = window.Geometry();
  store.Set(section, "Left", NumberText(geometry.left));
  store.Set(section, "Top", NumberText(geometry.top));
  store.Set(section, "Width", NumberText(geometry.width));
  store.Set(section, "Height", NumberText(geometry.height));
}

}  // namespace kestrix
