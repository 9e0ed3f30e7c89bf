#include "control/automation/zarn_member_calls.h"

#include "control/dialogs/about_box.h"

namespace zarn {

namespace {

using ole::DispatchArguments;
using ole::HRESULT;
using ole::VARIANT;

void SetBool(VARIANT* out, bool value) {
  out->vt = ole::VT_BOOL;
  out->boolVal = value ? ole::VARIANT_TRUE : ole::VARIANT_FALSE;
}

void SetLong(VARIANT* out, std::int32_t value) {
  out->vt = ole::VT_I4;
  out->lVal = value;
}

HRESULT SetText(VARIANT* out, std::string_view bytes) {
  out->vt = ole::VT_BSTR;
  out->bstrVal = ole::BstrFromBytes(bytes);
  return out->bstrVal || bytes.empty() ? ole::S_OK : ole::E_OUTOFMEMORY;
}

// Replaces the caller's string with a new one holding `bytes`.
void ReplaceString(ole::BSTR* slot, std::string_view bytes) {
  ole::SysFreeString(*slot);
  *slot = ole::BstrFromBytes(bytes);
}

// Argument 0 converted to the type of `property`.
HRESULT ArgumentValue(const ZarnProperty& property, const DispatchArguments& arguments,
                      PropertyValue* value) {
  HRESULT converted = ole::S_OK;
  if (std::holds_alternative<FlagAccess>(property.access)) {
    bool flag = false;
    converted = arguments.GetBool(0, &flag);
    *value = flag;
  } else if (std::holds_alternative<NumberAccess>(property.access)) {
    std::int32_t number = 0;
    converted = arguments.GetLong(0, &number);
    *value = number;
  } else {
    std::string text;
    converted = arguments.GetBytes(0, &text);
    *value = std::move(text);
  }
  return converted;
}

}  // namespace

HRESULT ReadProperty(const ZarnProperty& property, const CZarnCtrl& control, VARIANT* result) {
  const PropertyValue value = property.Read(control);
  if (const bool* flag = std::get_if<bool>(&value)) {
    SetBool(result, *flag);
  } else if (const std::int32_t* number = std::get_if<std::int32_t>(&value)) {
    SetLong(result, *number);
  } else {
    return SetText(result, std::get<std::string>(value));
  }
  return ole::S_OK;
}

HRESULT AssignProperty(const ZarnProperty& property, CZarnCtrl& control, const DispatchArguments& arguments,
                       bool* changed) {
  PropertyValue value;
  if (const HRESULT converted = ArgumentValue(property, arguments, &value); ole::FAILED(converted))
    return converted;
  *changed = property.Assign(control, value);
  return ole::S_OK;
}

HRESULT CallAbort(CZarnCtrl& control, const DispatchArguments&, VARIANT*) {
  control.Abort();
  return ole::S_OK;
}

// GetFileData(RecordNumber, FilePath, LineNumber, ColumnNumber, TextFound): the four out-parameters are
// changed only when the record exists; the caller's strings are freed and new ones take their place. A
// refused call (a parameter of the wrong kind, or 506) leaves each of them as it was, so the references
// are only checked until the record has been found: taking one makes an empty variant a typed one.
HRESULT CallGetFileData(CZarnCtrl& control, const DispatchArguments& arguments, VARIANT* result) {
  std::int32_t number = 0;
  HRESULT checked = arguments.GetLong(0, &number);
  if (ole::SUCCEEDED(checked)) checked = arguments.CheckReference(1, ole::VT_BSTR);
  if (ole::SUCCEEDED(checked)) checked = arguments.CheckReference(2, ole::VT_I4);
  if (ole::SUCCEEDED(checked)) checked = arguments.CheckReference(3, ole::VT_I4);
  if (ole::SUCCEEDED(checked)) checked = arguments.CheckReference(4, ole::VT_BSTR);
  if (ole::FAILED(checked)) return checked;
  FindingView record{};
  const bool found = control.GetFileData(number, &record);
  if (found) {
    ole::BSTR* path = nullptr;
    ole::BSTR* text = nullptr;
    std::int32_t* line = nullptr;
    std::int32_t* column = nullptr;
    // Fails only when two parameters name one variant that must hold a string and a number at once.
    checked = arguments.GetBstrReference(1, &path);
    if (ole::SUCCEEDED(checked)) checked = arguments.GetLongReference(2, &line);
    if (ole::SUCCEEDED(checked)) checked = arguments.GetLongReference(3, &column);
    if (ole::SUCCEEDED(checked)) checked = arguments.GetBstrReference(4, &text);
    if (ole::FAILED(checked)) return checked;
    *column = record.column_number;
    ReplaceString(path, record.file_path);
    *line = record.line_number;
    ReplaceString(text, record.text_found);
  }
  SetBool(result, found);
  return ole::S_OK;
}

HRESULT CallSaveDataToTabFile(CZarnCtrl& control, const DispatchArguments& arguments, VARIANT* result) {
  std::string file;
  if (const HRESULT failed = arguments.GetBytes(0, &file); ole::FAILED(failed)) return failed;
  SetBool(result, control.SaveDataToTabFile(file));
  return ole::S_OK;
}

HRESULT CallBegin(CZarnCtrl& control, const DispatchArguments&, VARIANT* result) {
  SetBool(result, control.Begin());
  return ole::S_OK;
}

HRESULT CallSaveOfficeDocAsText(CZarnCtrl& control, const DispatchArguments& arguments, VARIANT* result) {
  std::string source, target;
  if (const HRESULT failed = arguments.GetBytes(0, &source); ole::FAILED(failed)) return failed;
  if (const HRESULT failed = arguments.GetBytes(1, &target); ole::FAILED(failed)) return failed;
  SetBool(result, control.SaveOfficeDocAsText(source, target));
  return ole::S_OK;
}

HRESULT CallAboutBox(CZarnCtrl& control, const DispatchArguments&, VARIANT*) {
  return ShowAboutBox(control.Window()) ? ole::S_OK : ole::E_FAIL;
}

}  // namespace zarn
