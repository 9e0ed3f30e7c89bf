// The arguments of one Invoke, seen as the member's parameters from the first to the last, each converted
// to the type the member needs. A conversion that fails names the argument in `argument_error` (its
// position in the caller's array, which holds the arguments last to first) and answers
// DISP_E_TYPEMISMATCH.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ole/dispatch.h"

namespace ole {

class DispatchArguments {
 public:
  DispatchArguments(const DISPPARAMS& params, unsigned* argument_error)
      : params_(params), argument_error_(argument_error) {}

  unsigned Count() const { return params_.cArgs; }

  HRESULT GetLong(unsigned parameter, std::int32_t* value) const;
  HRESULT GetBool(unsigned parameter, bool* value) const;
  // A string parameter as the control's 8-bit text.
  HRESULT GetBytes(unsigned parameter, std::string* value) const;

  // Reference parameters: where the caller's value lives. A reference to a variant is accepted too; an
  // empty variant there is made a variant of the needed type first.
  // CheckReference answers as they would (S_OK or DISP_E_TYPEMISMATCH) but changes no variant, so that
  // a call can be refused with the caller's out-parameters as they were.
  HRESULT CheckReference(unsigned parameter, VARTYPE type) const;
  HRESULT GetLongReference(unsigned parameter, std::int32_t** slot) const;
  HRESULT GetBstrReference(unsigned parameter, BSTR** slot) const;

 private:
  VARIANT* Argument(unsigned parameter) const { return &params_.rgvarg[params_.cArgs - 1 - parameter]; }
  HRESULT Converted(unsigned parameter, VARTYPE type, VARIANT* out) const;
  HRESULT Mismatch(unsigned parameter) const;
  VARIANT* ReferencedVariant(unsigned parameter, VARTYPE type) const;

  const DISPPARAMS& params_;
  unsigned* argument_error_;
};

}  // namespace ole
