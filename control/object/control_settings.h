// The control's settings file: six options remembered between uses, in an INI file of the control's own
// in the Windows folder, section "General". Its name is the control's display name (as the container
// reports it) followed by ".INI", or "Zarn_v2.INI" when there is no usable display name. The file is read
// when a control is created and written when it is destroyed; the search texts are never remembered.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "control/engine/search_options.h"

namespace zarn {

// The settings file's full name; nullopt when the Windows folder cannot be determined (error 501).
// A display name that is not a plain file name (empty, ".", "..", or holding "/" or a zero byte) is not
// used: "Zarn_v2" is.
std::optional<std::string> SettingsFileName(std::string_view display_name);

// Sets the six options from the file; missing keys (or file) give the defaults. A flag reads as FALSE
// when its text contains "FALSE", otherwise as TRUE; a ThreadPriority outside 0 to 4 gives 2.
void ReadControlSettings(const std::string& file_name, SearchOptions& options);

// Writes the six options ("TRUE" / "FALSE", ThreadPriority as a number). Write failures go unreported.
void WriteControlSettings(const std::string& file_name, const SearchOptions& options);

}  // namespace zarn
