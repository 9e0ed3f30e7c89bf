#include "control/automation/zarn_members.h"

#include "control/automation/zarn_identities.h"
#include "control/automation/zarn_member_calls.h"

namespace zarn {

namespace {

using ole::MemberDescription;
using ole::MemberKind;
using ole::ParameterDescription;

MemberDescription Method(ole::DISPID id, const char* name, ole::VARTYPE result,
                         std::vector<ParameterDescription> parameters, const char* help = "") {
  return MemberDescription{id, name, MemberKind::kMethod, result, "", false, std::move(parameters), help};
}

ole::VARTYPE TypeOf(const ZarnProperty& property) {
  if (std::holds_alternative<FlagAccess>(property.access)) return ole::VT_BOOL;
  return std::holds_alternative<NumberAccess>(property.access) ? ole::VT_I4 : ole::VT_BSTR;
}

std::vector<ZarnMethod> Methods() {
  return {
      {Method(14, "Abort", ole::VT_EMPTY, {}, "Call this to terminate a currently executing search. "),
       CallAbort},
      {Method(15, "GetFileData", ole::VT_BOOL,
              {{"RecordNumber", ole::VT_I4},
               {"FilePath", ole::VT_BSTR, true},
               {"LineNumber", ole::VT_I4, true},
               {"ColumnNumber", ole::VT_I4, true},
               {"TextFound", ole::VT_BSTR, true}},
              "This method allows read access to the data found from the Kestrix Begin() method."),
       CallGetFileData},
      {Method(16, "SaveDataToTabFile", ole::VT_BOOL, {{"FileName", ole::VT_BSTR}},
              "The data received by Zarn may be saved to a tab delimited text file, as specified by the "
              "FileName parameter."),
       CallSaveDataToTabFile},
      {Method(17, "Begin", ole::VT_BOOL, {}), CallBegin},
      {Method(18, "SaveOfficeDocAsText", ole::VT_BOOL,
              {{"SourceFile", ole::VT_BSTR}, {"TargetFile", ole::VT_BSTR}}),
       CallSaveOfficeDocAsText},
      {Method(-552, "AboutBox", ole::VT_EMPTY, {}), CallAboutBox},
  };
}

}  // namespace

std::span<const ZarnMethod> ZarnMethods() {
  static const std::vector<ZarnMethod> methods = Methods();
  return methods;
}

const ZarnMethod* FindZarnMethod(ole::DISPID id) {
  for (const ZarnMethod& method : ZarnMethods())
    if (method.description.id == id) return &method;
  return nullptr;
}

MemberDescription DescribeProperty(const ZarnProperty& property) {
  return MemberDescription{property.dispid,
                           property.name,
                           MemberKind::kProperty,
                           TypeOf(property),
                           property.enumeration,
                           property.ReadOnly(),
                           {},
                           property.help};
}

std::vector<MemberDescription> ZarnEventMembers() {
  return {
      Method(kDispidScanStarted, "ScanStarted", ole::VT_EMPTY, {}),
      Method(kDispidScanCompleted, "ScanCompleted", ole::VT_EMPTY, {}),
      Method(kDispidOnError, "OnError", ole::VT_EMPTY,
             {{"ErrorCode", ole::VT_I4}, {"ErrorString", ole::VT_BSTR, true}}),
  };
}

}  // namespace zarn
