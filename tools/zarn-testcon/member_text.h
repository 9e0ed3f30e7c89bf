// How the container names what a type library describes: automation types ("Long", "String" ...), a
// method's parameter list, and the value names of enumeration-typed properties.
#pragma once

#include <QString>
#include <optional>

#include "platform/ole/type_description.h"

namespace testcon {

// "Long", "String", "Boolean" ... for the automation types; "Type N" for others; "" for VT_EMPTY (no value).
QString TypeName(ole::VARTYPE type);
// The member's type as listed: its enumeration's name when it has one, else TypeName.
QString MemberTypeName(const ole::MemberDescription& member);
// "RecordNumber As Long, ByRef FilePath As String".
QString ParameterList(const ole::MemberDescription& member);

// The enumeration the member's type names in `library`; nullptr when it has none (or the library does not
// describe it).
const ole::EnumDescription* EnumOf(const ole::TypeLibraryDescription* library,
                                   const ole::MemberDescription& member);
// The name of `value` in `enumeration`, or "".
QString EnumValueName(const ole::EnumDescription& enumeration, std::int32_t value);
// "0 Idle, 1 Lowest, 2 Normal".
QString EnumValueList(const ole::EnumDescription& enumeration);
// The number of the value named `text` (without regard to letter case); nullopt when none is named so.
std::optional<std::int32_t> EnumValueNamed(const ole::EnumDescription& enumeration, const QString& text);

}  // namespace testcon
