#include "control/object/zarn_properties.h"

#include <type_traits>

namespace zarn {

namespace {

// The help strings as the library has always carried them, spelling and all.
constexpr const char* kCaseSensitiveHelp =
    "When TRUE: Finds all occurrences with the exact combination of uppercase and lowercase letters "
    "specified "
    "in the SearchString property.  When FALSE: Finds all occurrences of the string specified in the "
    "SearchString property ignoring of the case of individ";
constexpr const char* kLookInSubfoldersHelp =
    "Set this property to true to have the search extend to those directories under the specified "
    "SearchPath";
constexpr const char* kWholeWordOnlyHelp =
    "When set to TRUE: Searches for the full word by itself and not as part of a larger word.  When set "
    "to FALSE:  Searches for the SearchString regardless of it's neighboring text.";
constexpr const char* kSearchExtHelp =
    "This specifies what file extension to use when searching for text.  Wild cards are acceptable (i.e. "
    "*.*)";
constexpr const char* kSearchStringHelp =
    "Specifies what text to search for.  Set CaseSensitive to TRUE to enforce case sensitivity.";
constexpr const char* kRegularExpressionHelp =
    " Set this property to true to have the search engine use regular expressions detailed in the "
    "SearchString.";
constexpr const char* kSearchActiveHelp =
    "While the search is active, this property will be TRUE.  If the user does not want to have the an "
    "active search interrupted, this method will be useful.  Users can use the ScanCompleted() event to "
    "determine when the current search is complete.";
constexpr const char* kSearchTimeHelp =
    "This read only property returns the duration the last search took in milliseconds.  The "
    "ScanCompleted() event signifies when this parameter is valid.";

constexpr TextAccess kSearchStringAccess{&CZarnCtrl::GetSearchString, &CZarnCtrl::SetSearchString};

constexpr ZarnProperty kProperties[] = {
    {.dispid = 0, .name = "_SearchString", .access = kSearchStringAccess},
    {.dispid = 1,
     .name = "SearchCount",
     .access = NumberAccess{&CZarnCtrl::GetSearchCount},
     .help = "Number of matches found (ReadOnly)"},
    {.dispid = 2,
     .name = "CaseSensitive",
     .access = FlagAccess{&CZarnCtrl::GetCaseSensitive, &CZarnCtrl::SetCaseSensitive},
     .help = kCaseSensitiveHelp,
     .settings_key = SettingsKey{0, "FALSE"}},
    {.dispid = 3,
     .name = "LookInSubfolders",
     .access = FlagAccess{&CZarnCtrl::GetLookInSubfolders, &CZarnCtrl::SetLookInSubfolders},
     .help = kLookInSubfoldersHelp,
     .settings_key = SettingsKey{2, "FALSE"}},
    {.dispid = 4,
     .name = "WholeWordOnly",
     .access = FlagAccess{&CZarnCtrl::GetWholeWordOnly, &CZarnCtrl::SetWholeWordOnly},
     .help = kWholeWordOnlyHelp,
     .settings_key = SettingsKey{1, "FALSE"}},
    {.dispid = 5,
     .name = "SearchPath",
     .access = TextAccess{&CZarnCtrl::GetSearchPath, &CZarnCtrl::SetSearchPath},
     .help = "Specifies what directory to begin the text search."},
    {.dispid = 6,
     .name = "SearchExt",
     .access = TextAccess{&CZarnCtrl::GetSearchExt, &CZarnCtrl::SetSearchExt},
     .help = kSearchExtHelp},
    {.dispid = 7, .name = "SearchString", .access = kSearchStringAccess, .help = kSearchStringHelp},
    {.dispid = 8,
     .name = "RegularExpression",
     .access = FlagAccess{&CZarnCtrl::GetRegularExpression, &CZarnCtrl::SetRegularExpression},
     .help = kRegularExpressionHelp,
     .settings_key = SettingsKey{3, "FALSE"}},
    {.dispid = 9,
     .name = "SearchActive",
     .access = FlagAccess{&CZarnCtrl::GetSearchActive},
     .help = kSearchActiveHelp},
    {.dispid = 10,
     .name = "SearchTime",
     .access = NumberAccess{&CZarnCtrl::GetSearchTime},
     .help = kSearchTimeHelp},
    {.dispid = 11,
     .name = "ThreadPriority",
     .access = NumberAccess{&CZarnCtrl::GetThreadPriority, &CZarnCtrl::SetThreadPriority},
     .help = "The search engine's thread priority may be set via this property.",
     .enumeration = "ThreadPriorities",
     .settings_key = SettingsKey{5, "2"}},
    {.dispid = 13,
     .name = "SupportOfficeDocs",
     .access = FlagAccess{&CZarnCtrl::GetSupportOfficeDocs, &CZarnCtrl::SetSupportOfficeDocs},
     .settings_key = SettingsKey{4, "TRUE"}},
};

constexpr ZarnProperty kPaceProperties[] = {
    {.dispid = 1,
     .name = "EntryPause",
     .access = NumberAccess{&CZarnCtrl::GetEntryPause, &CZarnCtrl::SetEntryPause},
     .help =
         "Pause after each folder entry in milliseconds; -1 (the default) pauses as ThreadPriority says."},
};

const ZarnProperty* FindIn(std::span<const ZarnProperty> properties, std::int32_t dispid) {
  for (const ZarnProperty& property : properties)
    if (property.dispid == dispid) return &property;
  return nullptr;
}

}  // namespace

bool ZarnProperty::ReadOnly() const {
  return std::visit([](const auto& how) { return how.set == nullptr; }, access);
}

PropertyValue ZarnProperty::Read(const CZarnCtrl& control) const {
  return std::visit([&control](const auto& how) { return PropertyValue((control.*how.get)()); }, access);
}

bool ZarnProperty::Assign(CZarnCtrl& control, const PropertyValue& value) const {
  return std::visit(
      [&](const auto& how) {
        using Value = typename std::decay_t<decltype(how)>::Value;
        return how.set != nullptr && (control.*how.set)(std::get<Value>(value));
      },
      access);
}

std::span<const ZarnProperty> ZarnProperties() {
  return kProperties;
}

const ZarnProperty* FindZarnProperty(std::int32_t dispid) {
  return FindIn(kProperties, dispid);
}

std::span<const ZarnProperty> ZarnPaceProperties() {
  return kPaceProperties;
}

const ZarnProperty* FindZarnPaceProperty(std::int32_t dispid) {
  return FindIn(kPaceProperties, dispid);
}

}  // namespace zarn
