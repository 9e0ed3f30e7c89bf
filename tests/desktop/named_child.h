// A window's control found as a test finds it: by its object name (cmdFindText, fgFiles, sbStatus, ...).
#pragma once

#include <QObject>
#include <stdexcept>
#include <string>

namespace kestrix::test {

// The child of `window` called `name`; a missing one fails the test that asked.
template <typename Control>
Control& NamedChild(const QObject& window, const char* name) {
  auto* control = window.findChild<Control*>(name);
  if (control == nullptr) throw std::logic_error(std::string("no control named ") + name);
  return *control;
}

}  // namespace kestrix::test
