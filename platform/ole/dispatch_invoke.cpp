#include "platform/ole/dispatch_invoke.h"

namespace ole {

namespace {

bool IsPut(WORD flags) {
  return (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
}

// An assignment names its value DISPID_PROPERTYPUT, or passes it unnamed.
bool NamedArgumentsFit(const DISPPARAMS& params, bool put) {
  if (params.cNamedArgs == 0) return true;
  return put && params.cNamedArgs == 1 && params.rgdispidNamedArgs &&
         params.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
}

HRESULT ReadOnly(EXCEPINFO* exception) {
  if (exception) {
    ClearExcepInfo(exception);
    exception->scode = CTL_E_SETNOTSUPPORTED;
    exception->bstrDescription = BstrFromBytes("Property is read-only");
  }
  return DISP_E_EXCEPTION;
}

// Whether `flags` ask for something the member offers, and how many arguments that takes.
HRESULT CheckShape(const MemberDescription& member, WORD flags, const DISPPARAMS& params,
                   EXCEPINFO* exception) {
  const bool put = IsPut(flags);
  if (member.kind == MemberKind::kMethod) {
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    if (params.cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    return params.cArgs == member.parameters.size() ? S_OK : DISP_E_BADPARAMCOUNT;
  }
  if (put) {
    if (member.read_only) return ReadOnly(exception);
    if (!NamedArgumentsFit(params, true)) return DISP_E_NONAMEDARGS;
    return params.cArgs == 1 ? S_OK : DISP_E_BADPARAMCOUNT;
  }
  if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD))) return DISP_E_MEMBERNOTFOUND;
  if (params.cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  return params.cArgs == 0 ? S_OK : DISP_E_BADPARAMCOUNT;
}

}  // namespace

HRESULT GetIDsOfDescribedNames(const InterfaceDescription& description, OLECHAR** names, unsigned count,
                               DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  const MemberDescription* member = names[0] ? description.Find(BytesFromUtf16(names[0])) : nullptr;
  ids[0] = member ? member->id : DISPID_UNKNOWN;
  HRESULT result = member ? S_OK : DISP_E_UNKNOWNNAME;
  for (unsigned i = 1; i < count; ++i) {  // parameter names
    ids[i] = DISPID_UNKNOWN;
    if (member && names[i]) {
      const std::string name = BytesFromUtf16(names[i]);
      for (std::size_t p = 0; p < member->parameters.size(); ++p)
        if (NamesMatch(member->parameters[p].name, name)) ids[i] = static_cast<DISPID>(p);
    }
    if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

HRESULT InvokeDescribed(const InterfaceDescription& description, DISPID id, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, unsigned* argument_error,
                        const DescribedCall& call) {
  const MemberDescription* member = description.Find(id);
  if (!member) return DISP_E_MEMBERNOTFOUND;
  DISPPARAMS no_arguments;
  const DISPPARAMS& arguments = params ? *params : no_arguments;
  if (arguments.cArgs > 0 && !arguments.rgvarg) return E_INVALIDARG;
  if (const HRESULT shape = CheckShape(*member, flags, arguments, exception); FAILED(shape)) return shape;
  VARIANT ignored;
  VariantInit(&ignored);
  VARIANT* out = result ? result : &ignored;
  if (result) VariantInit(result);
  const DispatchArguments view(arguments, argument_error);
  const HRESULT outcome = call(CheckedCall{*member, IsPut(flags), view, out});
  VariantClear(&ignored);
  return outcome;
}

}  // namespace ole
