// Automation values as the container shows and reads them: text for any variant (by value or by
// reference), a typed variant from the text the user typed, and automation strings from and to QString.
#pragma once

#include <QString>

#include "platform/ole/variant.h"

namespace testcon {

QString QStringFromBstr(ole::BSTR text);
ole::Bstr BstrFromQString(const QString& text);

// The value as text: numbers in decimal, booleans "True"/"False", strings as they are, "Empty", "Null",
// "(object)" for an interface, "Error 0x..." for an error code. A by-reference variant shows the value it
// refers to.
QString VariantText(const ole::VARIANT& value);
// As VariantText, with strings in double quotes (for the log, where an empty string must show).
QString QuotedVariantText(const ole::VARIANT& value);

// `text` converted to `type` (VariantChangeType from a string); VT_VARIANT keeps the string. The
// conversion's error (DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW ...) when the text does not fit the type.
ole::HRESULT VariantFromText(const QString& text, ole::VARTYPE type, ole::Variant& out);

}  // namespace testcon
