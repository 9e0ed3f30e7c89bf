#include "tools/zarn-testcon/variant_text.h"

namespace testcon {

namespace {

QString ErrorCodeText(ole::HRESULT code) {
  return QString::asprintf("Error 0x%08X", static_cast<unsigned>(code));
}

}  // namespace

QString QStringFromBstr(ole::BSTR text) {
  return QString(reinterpret_cast<const QChar*>(text), static_cast<qsizetype>(ole::SysStringLen(text)));
}

ole::Bstr BstrFromQString(const QString& text) {
  return ole::Bstr(ole::SysAllocStringLen(reinterpret_cast<const ole::OLECHAR*>(text.utf16()),
                                          static_cast<unsigned>(text.size())));
}

QString VariantText(const ole::VARIANT& value) {
  ole::Variant plain;
  if (ole::FAILED(ole::VariantCopyInd(plain.get(), &value))) return QStringLiteral("(unreadable)");
  switch (plain.type()) {
    case ole::VT_EMPTY:
      return QStringLiteral("Empty");
    case ole::VT_NULL:
      return QStringLiteral("Null");
    case ole::VT_DISPATCH:
    case ole::VT_UNKNOWN:
      return QStringLiteral("(object)");
    case ole::VT_ERROR:
      return ErrorCodeText(plain.get()->scode);
    default:
      break;
  }
  if (ole::FAILED(plain.ChangeType(ole::VT_BSTR))) return QStringLiteral("(type %1)").arg(plain.type());
  return QStringFromBstr(plain.get()->bstrVal);
}

QString QuotedVariantText(const ole::VARIANT& value) {
  const ole::VARTYPE type = value.vt & ~ole::VT_BYREF;
  const bool text =
      type == ole::VT_BSTR || (type == ole::VT_VARIANT && value.pvarVal && value.pvarVal->vt == ole::VT_BSTR);
  return text ? QLatin1Char('"') + VariantText(value) + QLatin1Char('"') : VariantText(value);
}

ole::HRESULT VariantFromText(const QString& text, ole::VARTYPE type, ole::Variant& out) {
  ole::Variant given(BstrFromQString(text));
  if (type == ole::VT_VARIANT || type == ole::VT_BSTR) {
    out = std::move(given);
    return ole::S_OK;
  }
  ole::Variant converted;
  const ole::HRESULT result = ole::VariantChangeType(converted.get(), given.get(), 0, type);
  if (ole::SUCCEEDED(result)) out = std::move(converted);
  return result;
}

}  // namespace testcon
