#include "tools/zarn-testcon/call_outcome.h"

#include <QStringList>
#include <utility>

#include "tools/zarn-testcon/variant_text.h"

namespace testcon {

namespace {

struct NamedResult {
  ole::HRESULT code;
  const char* name;
};

constexpr NamedResult kNamedResults[] = {
    {ole::S_OK, "S_OK"},
    {ole::S_FALSE, "S_FALSE"},
    {ole::E_NOTIMPL, "E_NOTIMPL"},
    {ole::E_NOINTERFACE, "E_NOINTERFACE"},
    {ole::E_POINTER, "E_POINTER"},
    {ole::E_FAIL, "E_FAIL"},
    {ole::E_UNEXPECTED, "E_UNEXPECTED"},
    {ole::E_OUTOFMEMORY, "E_OUTOFMEMORY"},
    {ole::E_INVALIDARG, "E_INVALIDARG"},
    {ole::CLASS_E_NOAGGREGATION, "CLASS_E_NOAGGREGATION"},
    {ole::CLASS_E_CLASSNOTAVAILABLE, "CLASS_E_CLASSNOTAVAILABLE"},
    {ole::REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG"},
    {ole::CO_E_CLASSSTRING, "CO_E_CLASSSTRING"},
    {ole::DISP_E_UNKNOWNINTERFACE, "DISP_E_UNKNOWNINTERFACE"},
    {ole::DISP_E_MEMBERNOTFOUND, "DISP_E_MEMBERNOTFOUND"},
    {ole::DISP_E_PARAMNOTFOUND, "DISP_E_PARAMNOTFOUND"},
    {ole::DISP_E_TYPEMISMATCH, "DISP_E_TYPEMISMATCH"},
    {ole::DISP_E_UNKNOWNNAME, "DISP_E_UNKNOWNNAME"},
    {ole::DISP_E_NONAMEDARGS, "DISP_E_NONAMEDARGS"},
    {ole::DISP_E_BADVARTYPE, "DISP_E_BADVARTYPE"},
    {ole::DISP_E_EXCEPTION, "DISP_E_EXCEPTION"},
    {ole::DISP_E_OVERFLOW, "DISP_E_OVERFLOW"},
    {ole::DISP_E_BADPARAMCOUNT, "DISP_E_BADPARAMCOUNT"},
    {ole::DISP_E_PARAMNOTOPTIONAL, "DISP_E_PARAMNOTOPTIONAL"},
    {ole::CONNECT_E_NOCONNECTION, "CONNECT_E_NOCONNECTION"},
    {ole::CONNECT_E_ADVISELIMIT, "CONNECT_E_ADVISELIMIT"},
    {ole::CONNECT_E_CANNOTCONNECT, "CONNECT_E_CANNOTCONNECT"},
};

QString Hex(ole::HRESULT code) {
  return QString::asprintf("0x%08X", static_cast<unsigned>(code));
}

// The parameter a conversion error names (the index counts from the last argument).
QString ParameterNamed(const CallOutcome& outcome, const ole::MemberDescription* member) {
  if (outcome.result != ole::DISP_E_TYPEMISMATCH && outcome.result != ole::DISP_E_PARAMNOTFOUND) return {};
  if (!member || outcome.argument_error >= member->parameters.size()) return {};
  const auto& parameter = member->parameters[member->parameters.size() - 1 - outcome.argument_error];
  return QStringLiteral(" in parameter ") + QString::fromStdString(parameter.name);
}

}  // namespace

void CallOutcome::TakeException(ole::EXCEPINFO& info) {
  exception_code = info.wCode != 0 ? static_cast<ole::HRESULT>(info.wCode) : info.scode;
  description = QStringFromBstr(info.bstrDescription);
  source = QStringFromBstr(info.bstrSource);
  ole::ClearExcepInfo(&info);
}

QString ResultText(ole::HRESULT result) {
  for (const NamedResult& named : kNamedResults)
    if (named.code == result) return Hex(result) + QLatin1Char(' ') + QLatin1String(named.name);
  return Hex(result);
}

QString OutcomeText(const CallOutcome& outcome, const ole::MemberDescription* member) {
  QString text = ResultText(outcome.result) + ParameterNamed(outcome, member);
  if (outcome.result != ole::DISP_E_EXCEPTION) return text;
  text += QStringLiteral(": ") +
          (outcome.description.isEmpty() ? QStringLiteral("(no description)") : outcome.description);
  QStringList details;
  if (!outcome.source.isEmpty()) details << outcome.source;
  if (outcome.exception_code != ole::S_OK) details << QStringLiteral("code ") + Hex(outcome.exception_code);
  if (!details.isEmpty())
    text += QStringLiteral(" (") + details.join(QStringLiteral("; ")) + QLatin1Char(')');
  return text;
}

}  // namespace testcon
