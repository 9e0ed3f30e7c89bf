// The control's settings file: six options remembered between uses, in an INI file of the control's own
// in the Windows folder, section "General", each under its property's name (zarn_properties.h). Its name is
// the control's display name (as the container reports it) followed by ".INI", or "Zarn_v2.INI" when there is
// no usable display name. The file is read when a control is created and written when it is destroyed; the
// search texts are never remembered.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "control/object/zarn_ctrl.h"

namespace zarn {

// The settings file's full name; nullopt when the Windows folder cannot be determined (error 501).
// A display name that is not a plain file name (empty, ".", "..", or holding "/" or a zero byte) is not
// used: "Zarn_v2" is.
std::optional<std::string> SettingsFileName(std::string_view display_name);

// Sets the six options from the file; missing keys (or file) give the defaults. A flag reads as FALSE
// when its text contains "FALSE", otherwise as TRUE; a number the property refuses (a ThreadPriority
// outside 0 to 4) gives the default.
void ReadControlSettings(const std::string& file_name, CZarnCtrl& control);

// Writes the six options ("TRUE" / "FALSE", ThreadPriority as a number). Write failures go unreported.
void WriteControlSettings(const std::string& file_name, const CZarnCtrl& control);

}  // namespace zarn
