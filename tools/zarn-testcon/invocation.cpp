#include "tools/zarn-testcon/invocation.h"

#include "tools/zarn-testcon/call_outcome.h"
#include "tools/zarn-testcon/member_text.h"
#include "tools/zarn-testcon/variant_text.h"

namespace testcon {

namespace {

// The parameter's value for `text`: the type's empty value for no text, else the text converted.
ole::HRESULT ParameterValue(const ole::ParameterDescription& parameter, const QString& text,
                            ole::Variant& value) {
  if (!text.isEmpty()) return VariantFromText(text, parameter.type, value);
  if (parameter.type == ole::VT_VARIANT) return ole::S_OK;  // an empty variant
  return ole::VariantChangeType(value.out(), ole::Variant().get(), 0, parameter.type);
}

}  // namespace

QStringList SplitArguments(const QString& text, const QString& separator) {
  if (text.trimmed().isEmpty()) return {};
  QStringList texts = separator.isEmpty() ? QStringList{text} : text.split(separator);
  for (QString& each : texts) each = each.trimmed();
  return texts;
}

bool Invocation::Prepare(const ole::MemberDescription& member, const QStringList& texts, QString* error) {
  member_ = &member;
  const std::size_t count = member.parameters.size();
  if (static_cast<std::size_t>(texts.size()) > count) {
    *error = QStringLiteral("%1 takes %2 argument(s), %3 given")
                 .arg(QString::fromStdString(member.name))
                 .arg(count)
                 .arg(texts.size());
    return false;
  }
  values_ = std::vector<ole::Variant>(count);
  for (std::size_t position = 0; position < count; ++position) {
    const ole::ParameterDescription& parameter = member.parameters[position];
    const QString text = position < static_cast<std::size_t>(texts.size())
                             ? texts[static_cast<qsizetype>(position)]
                             : QString();
    if (const ole::HRESULT result = ParameterValue(parameter, text, values_[position]); ole::FAILED(result)) {
      *error = QStringLiteral("%1: \"%2\" is not a %3: %4")
                   .arg(QString::fromStdString(parameter.name), text, TypeName(parameter.type),
                        ResultText(result));
      return false;
    }
  }
  PassArguments();
  return true;
}

void Invocation::PassArguments() {
  const std::size_t count = values_.size();
  arguments_.assign(count, ole::VARIANT{});
  for (std::size_t position = 0; position < count; ++position) {
    const ole::ParameterDescription& parameter = member_->parameters[position];
    ole::VARIANT& argument = arguments_[count - 1 - position];
    ole::VARIANT* value = values_[position].get();
    if (!parameter.by_reference) {
      argument = *value;  // a shallow copy: the value stays owned by values_
    } else if (parameter.type == ole::VT_VARIANT) {
      argument.vt = ole::VT_BYREF | ole::VT_VARIANT;
      argument.pvarVal = value;
    } else {
      argument.vt = ole::VT_BYREF | value->vt;
      argument.byref = &value->lVal;  // the union's storage, whichever member the type uses
    }
  }
  params_ = ole::DISPPARAMS{arguments_.data(), nullptr, static_cast<unsigned>(count), 0};
}

QString Invocation::CallText() const {
  QStringList given;
  for (const ole::Variant& value : values_) given << QuotedVariantText(*value.get());
  const QString name = member_ ? QString::fromStdString(member_->name) : QString();
  return name + QLatin1Char('(') + given.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QStringList Invocation::ReturnedValues() const {
  QStringList returned;
  for (std::size_t position = 0; member_ && position < values_.size(); ++position) {
    if (!member_->parameters[position].by_reference) continue;
    returned << QString::fromStdString(member_->parameters[position].name) + QLatin1Char('=') +
                    QuotedVariantText(*values_[position].get());
  }
  return returned;
}

}  // namespace testcon
