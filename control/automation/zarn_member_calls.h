// How the dispatch surface carries out what a host asks of a member: a property read into a variant or
// assigned from an argument converted to its type, and each method's call (see zarn_members.h).
// Text crosses the interface as UTF-16, converted losslessly from and to the control's bytes.
#pragma once

#include "control/object/zarn_properties.h"
#include "platform/ole/dispatch_arguments.h"

namespace zarn {

ole::HRESULT ReadProperty(const ZarnProperty& property, const CZarnCtrl& control, ole::VARIANT* result);
// Assigns argument 0; `changed` holds what the property's setter answered (for _DZarn whether the
// assignment counts as a change to announce, for _DZarnPace whether the value was taken).
ole::HRESULT AssignProperty(const ZarnProperty& property, CZarnCtrl& control,
                            const ole::DispatchArguments& arguments, bool* changed);

ole::HRESULT CallAbort(CZarnCtrl& control, const ole::DispatchArguments& arguments, ole::VARIANT* result);
ole::HRESULT CallGetFileData(CZarnCtrl& control, const ole::DispatchArguments& arguments,
                             ole::VARIANT* result);
ole::HRESULT CallSaveDataToTabFile(CZarnCtrl& control, const ole::DispatchArguments& arguments,
                                   ole::VARIANT* result);
ole::HRESULT CallBegin(CZarnCtrl& control, const ole::DispatchArguments& arguments, ole::VARIANT* result);
ole::HRESULT CallSaveOfficeDocAsText(CZarnCtrl& control, const ole::DispatchArguments& arguments,
                                     ole::VARIANT* result);
// E_FAIL when there is no user interface to show the box in.
ole::HRESULT CallAboutBox(CZarnCtrl& control, const ole::DispatchArguments& arguments, ole::VARIANT* result);

}  // namespace zarn
