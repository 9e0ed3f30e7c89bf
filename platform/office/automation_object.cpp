#include "platform/office/automation_object.h"

#include <limits>

namespace office {

namespace {

using ole::HRESULT;
using ole::VARIANT;

constexpr unsigned kNoPosition = std::numeric_limits<unsigned>::max();

// How a caller marks a parameter it leaves out.
VARIANT LeftOutArgument() {
  VARIANT argument;
  ole::VariantInit(&argument);
  argument.vt = ole::VT_ERROR;
  argument.scode = ole::DISP_E_PARAMNOTFOUND;
  return argument;
}

bool IsLeftOut(const VARIANT& argument) {
  return argument.vt == ole::VT_ERROR && argument.scode == ole::DISP_E_PARAMNOTFOUND;
}

unsigned RequiredCount(const ServerInterface& server, const ole::MemberDescription& member) {
  const auto required = server.required.find(member.id);
  return required == server.required.end() ? static_cast<unsigned>(member.parameters.size())
                                           : required->second;
}

// How many trailing parameters a method call leaves out; 0 when it leaves out none or more than it may
// (the count check then reports the call).
unsigned LeftOutCount(const ServerInterface& server, const ole::MemberDescription* member,
                      const ole::DISPPARAMS& params) {
  if (!member || member->kind != ole::MemberKind::kMethod || params.cNamedArgs != 0) return 0;
  const unsigned total = static_cast<unsigned>(member->parameters.size());
  if (params.cArgs < RequiredCount(server, *member) || params.cArgs >= total) return 0;
  return total - params.cArgs;
}

std::vector<bool> GivenParameters(const ole::DISPPARAMS& params, std::size_t count) {
  std::vector<bool> given(count, true);
  for (std::size_t p = 0; p < count && p < params.cArgs; ++p)
    given[p] = !IsLeftOut(params.rgvarg[params.cArgs - 1 - p]);
  return given;
}

// Every required parameter given, every given argument convertible to its parameter's type.
HRESULT CheckArguments(const ServerInterface& server, const MemberCall& call) {
  const std::vector<ole::ParameterDescription>& parameters = call.member.parameters;
  for (unsigned p = 0; p < parameters.size(); ++p) {
    if (!call.given[p]) {
      if (p < RequiredCount(server, call.member)) return ole::DISP_E_PARAMNOTOPTIONAL;
      continue;
    }
    HRESULT converted = ole::S_OK;
    std::int32_t number;
    bool flag;
    std::string text;
    if (parameters[p].type == ole::VT_I4) converted = call.arguments.GetLong(p, &number);
    if (parameters[p].type == ole::VT_BOOL) converted = call.arguments.GetBool(p, &flag);
    if (parameters[p].type == ole::VT_BSTR) converted = call.arguments.GetBytes(p, &text);
    if (ole::FAILED(converted)) return converted;
  }
  return ole::S_OK;
}

}  // namespace

HRESULT InvokeMember(const ServerInterface& server, ole::DISPID id, ole::WORD flags, ole::DISPPARAMS* params,
                     VARIANT* result, ole::EXCEPINFO* exception, unsigned* argument_error,
                     const MemberHandler& handler) {
  const ole::DISPPARAMS none;
  const ole::DISPPARAMS& given = params ? *params : none;
  if (given.cArgs > 0 && !given.rgvarg) return ole::E_INVALIDARG;
  const unsigned left_out = LeftOutCount(server, server.members.Find(id), given);
  // The caller's arguments (borrowed, never cleared here) after the left-out ones, last to first.
  std::vector<VARIANT> arguments(left_out, LeftOutArgument());
  if (given.cArgs > 0) arguments.insert(arguments.end(), given.rgvarg, given.rgvarg + given.cArgs);
  ole::DISPPARAMS complete{arguments.data(), given.rgdispidNamedArgs, static_cast<unsigned>(arguments.size()),
                           given.cNamedArgs};
  unsigned position = kNoPosition;
  const HRESULT outcome = ole::InvokeDescribed(
      server.members, id, flags, &complete, result, exception, &position,
      [&](const ole::CheckedCall& checked) {
        const MemberCall call{checked.member,    checked.put,
                              checked.arguments, GivenParameters(complete, checked.member.parameters.size()),
                              checked.result,    exception};
        const HRESULT checked_arguments = CheckArguments(server, call);
        return ole::FAILED(checked_arguments) ? checked_arguments : handler(call);
      });
  if (position != kNoPosition && argument_error) *argument_error = position - left_out;
  return outcome;
}

ServerInterface Describe(const char* name, std::vector<ole::MemberDescription> members,
                         std::map<ole::DISPID, unsigned> required) {
  return {{name, ole::GUID_NULL, false, "", std::move(members)}, std::move(required)};
}

ole::MemberDescription Property(ole::DISPID id, const char* name, ole::VARTYPE type, bool read_only) {
  return ole::MemberDescription{id, name, ole::MemberKind::kProperty, type, "", read_only, {}, ""};
}

ole::MemberDescription Method(ole::DISPID id, const char* name,
                              std::vector<ole::ParameterDescription> parameters) {
  return ole::MemberDescription{id, name,  ole::MemberKind::kMethod, ole::VT_EMPTY,
                                "", false, std::move(parameters),    ""};
}

void ReturnBool(VARIANT* result, bool value) {
  result->vt = ole::VT_BOOL;
  result->boolVal = value ? ole::VARIANT_TRUE : ole::VARIANT_FALSE;
}

HRESULT AssignBool(const MemberCall& call, std::atomic<bool>& property) {
  bool value = false;
  if (const HRESULT converted = call.arguments.GetBool(0, &value); ole::FAILED(converted)) return converted;
  property = value;
  return ole::S_OK;
}

HRESULT Raise(ole::EXCEPINFO* exception, const char* source, const std::string& description) {
  if (exception) {
    ole::ClearExcepInfo(exception);
    exception->bstrSource = ole::BstrFromBytes(source);
    exception->bstrDescription = ole::BstrFromBytes(description);
    exception->scode = ole::E_FAIL;
  }
  return ole::DISP_E_EXCEPTION;
}

}  // namespace office
