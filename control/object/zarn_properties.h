// The control's properties, each described once: its DISPID and name on the dispatch interface _DZarn
// (or on the pace extension _DZarnPace), its help string, how the control object reads and assigns it,
// and where the settings file keeps it. The type library, the dispatch surface and the settings file all
// read these tables.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "control/object/zarn_ctrl.h"

namespace zarn {

// How the control object reads a property and assigns it. An assignment answers whether it counts as a
// change to tell the container about; a property without a setter is read-only.
template <typename T, typename Parameter = T>
struct PropertyAccess {
  using Value = T;
  T (CZarnCtrl::*get)() const;
  bool (CZarnCtrl::*set)(Parameter) = nullptr;
};
using FlagAccess = PropertyAccess<bool>;
using NumberAccess = PropertyAccess<std::int32_t>;
using TextAccess = PropertyAccess<std::string, std::string_view>;

// A property's value; it holds the alternative of the property's access (a flag, a number, a text).
using PropertyValue = std::variant<bool, std::int32_t, std::string>;

// Where the settings file keeps a property under its name: `position` orders the keys in the file, and
// `default_text` is what a missing key reads as.
struct SettingsKey {
  int position;
  const char* default_text;
};

struct ZarnProperty {
  std::int32_t dispid;
  const char* name;
  std::variant<FlagAccess, NumberAccess, TextAccess> access;
  const char* help = "";
  const char* enumeration = "";  // the enumeration a number's values are named by ("" for none)
  std::optional<SettingsKey> settings_key = std::nullopt;  // none: not remembered

  bool ReadOnly() const;
  PropertyValue Read(const CZarnCtrl& control) const;
  // Assigns `value`, which must hold the property's alternative; false for a read-only property.
  bool Assign(CZarnCtrl& control, const PropertyValue& value) const;
};

// Every property of _DZarn, in the order the type library lists them.
std::span<const ZarnProperty> ZarnProperties();
// The property of _DZarn with `dispid`, or nullptr.
const ZarnProperty* FindZarnProperty(std::int32_t dispid);

// The properties of the pace extension _DZarnPace, an interface of the control beside _DZarn: none of
// them is on _DZarn, in the settings file or on the property pages. Their assignments answer whether the
// value was taken; one that is refused changes nothing.
std::span<const ZarnProperty> ZarnPaceProperties();
// The property of _DZarnPace with `dispid`, or nullptr.
const ZarnProperty* FindZarnPaceProperty(std::int32_t dispid);

}  // namespace zarn
