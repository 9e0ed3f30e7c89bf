#include "tools/zarn-testcon/member_text.h"

#include <QStringList>

namespace testcon {

QString TypeName(ole::VARTYPE type) {
  switch (type) {
    case ole::VT_EMPTY:
      return {};
    case ole::VT_I2:
      return QStringLiteral("Integer");
    case ole::VT_I4:
      return QStringLiteral("Long");
    case ole::VT_R8:
      return QStringLiteral("Double");
    case ole::VT_BSTR:
      return QStringLiteral("String");
    case ole::VT_DISPATCH:
      return QStringLiteral("Object");
    case ole::VT_ERROR:
      return QStringLiteral("SCODE");
    case ole::VT_BOOL:
      return QStringLiteral("Boolean");
    case ole::VT_VARIANT:
      return QStringLiteral("Variant");
    case ole::VT_UNKNOWN:
      return QStringLiteral("Unknown");
    case ole::VT_UI1:
      return QStringLiteral("Byte");
    case ole::VT_UI4:
      return QStringLiteral("Unsigned Long");
    case ole::VT_INT:
      return QStringLiteral("Int");
    case ole::VT_UINT:
      return QStringLiteral("Unsigned Int");
    default:
      return QStringLiteral("Type %1").arg(type);
  }
}

QString MemberTypeName(const ole::MemberDescription& member) {
  return member.type_name.empty() ? TypeName(member.type) : QString::fromStdString(member.type_name);
}

QString ParameterList(const ole::MemberDescription& member) {
  QStringList parameters;
  for (const ole::ParameterDescription& parameter : member.parameters) {
    const QString name =
        QString::fromStdString(parameter.name) + QStringLiteral(" As ") + TypeName(parameter.type);
    parameters << (parameter.by_reference ? QStringLiteral("ByRef ") + name : name);
  }
  return parameters.join(QStringLiteral(", "));
}

const ole::EnumDescription* EnumOf(const ole::TypeLibraryDescription* library,
                                   const ole::MemberDescription& member) {
  if (!library || member.type_name.empty()) return nullptr;
  for (const ole::EnumDescription& enumeration : library->enumerations)
    if (ole::NamesMatch(enumeration.name, member.type_name)) return &enumeration;
  return nullptr;
}

QString EnumValueName(const ole::EnumDescription& enumeration, std::int32_t value) {
  for (const ole::EnumValueDescription& named : enumeration.values)
    if (named.value == value) return QString::fromStdString(named.name);
  return {};
}

QString EnumValueList(const ole::EnumDescription& enumeration) {
  QStringList values;
  for (const ole::EnumValueDescription& named : enumeration.values)
    values << QString::number(named.value) + QLatin1Char(' ') + QString::fromStdString(named.name);
  return values.join(QStringLiteral(", "));
}

std::optional<std::int32_t> EnumValueNamed(const ole::EnumDescription& enumeration, const QString& text) {
  const std::string name = text.trimmed().toStdString();
  for (const ole::EnumValueDescription& named : enumeration.values)
    if (ole::NamesMatch(named.name, name)) return named.value;
  return std::nullopt;
}

}  // namespace testcon
