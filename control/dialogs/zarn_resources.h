// The control library's string table and dialog templates: the general property page (200), the about
// page (1) and the about box (201), laid out in dialog units for an 8-point "MS Sans Serif".
#pragma once

#include <string>

#include "platform/window/dialog_template.h"

namespace zarn {

// String table entries.
inline constexpr int kStringControlTypeName = 1;   // "Kestrix Control"
inline constexpr int kStringPropPageName = 2;      // "Kestrix Property Page"
inline constexpr int kStringGeneralCaption = 200;  // "&General"
inline constexpr int kStringAboutCaption = 201;    // "&About"

// "" for an id the table does not hold.
std::string LoadString(int id);

// Item ids.
inline constexpr int kIdCaseSensitive = 201;
inline constexpr int kIdLookInSubfolders = 202;
inline constexpr int kIdWholeWordOnly = 203;
inline constexpr int kIdRegularExpression = 204;
inline constexpr int kIdPriorityIdle = 210;  // 210 to 214: Idle, Lowest, Normal, Highest, Time Critical
inline constexpr int kIdPriorityTimeCritical = 214;
inline constexpr int kIdChangingLine = 206;
inline constexpr int kIdAboutPicture = 211;

const win::DialogTemplate& GeneralPageTemplate();  // 200
const win::DialogTemplate& AboutPageTemplate();    // 1
const win::DialogTemplate& AboutBoxTemplate();     // 201

// The first text of the changing line.
inline constexpr const char* kChangingLineStart =
    "!!!!!!!!!!!!!!!!!!!!!!!!!! Kestrix !!!!!!!!!!!!!!!!!!!!!!!!!!";

}  // namespace zarn
