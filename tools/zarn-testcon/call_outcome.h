// What one call of a control's dispatch interface answered: its result code and, for DISP_E_EXCEPTION,
// what the control said went wrong (EXCEPINFO), plus the argument a conversion error names; and how the
// container writes that down.
#pragma once

#include <QString>

#include "platform/ole/type_description.h"

namespace testcon {

struct CallOutcome {
  ole::HRESULT result = ole::S_OK;
  ole::HRESULT exception_code = ole::S_OK;  // the EXCEPINFO's scode (or its wCode, when that is set)
  QString description;                      // the EXCEPINFO's description and source, when given
  QString source;
  unsigned argument_error = 0;  // the argument a DISP_E_TYPEMISMATCH or DISP_E_PARAMNOTFOUND names, counted
                                // from the last (as DISPPARAMS holds them)

  bool Succeeded() const { return ole::SUCCEEDED(result); }
  // Takes the texts out of `info` and clears it.
  void TakeException(ole::EXCEPINFO& info);
};

// "0x80020005 DISP_E_TYPEMISMATCH" (the name only for codes the automation runtime names).
QString ResultText(ole::HRESULT result);
// ResultText of the outcome's result, the parameter of `member` a conversion error names, then what the
// control said: "0x80020009 DISP_E_EXCEPTION: Property is read-only (source; code 0x800A017F)".
QString OutcomeText(const CallOutcome& outcome, const ole::MemberDescription* member = nullptr);

}  // namespace testcon
