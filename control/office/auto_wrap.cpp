#include "control/office/auto_wrap.h"

#include <cstdio>
#include <string>
#include <vector>

#include "platform/ole/automation_string.h"
#include "platform/window/message_box.h"

namespace zarn {

namespace {

constexpr ole::LCID kUserDefaultLocale = 0x0400;
constexpr ole::LCID kSystemDefaultLocale = 0x0800;
constexpr std::size_t kNameLimit = 255;  // the member's name as messages show it

void ShowFailure(const std::string& text, const char* caption) {
  win::MessageBox(nullptr, text, caption, win::MB_OK | win::MB_ICONERROR | win::MB_SETFOREGROUND);
}

std::string NameForMessages(const char16_t* name) {
  std::string text = ole::BytesFromUtf16(name ? std::u16string_view(name) : std::u16string_view());
  if (text.size() > kNameLimit) text.resize(kNameLimit);
  return text;
}

std::string Format(const char* pattern, const std::string& name, unsigned first, unsigned second = 0) {
  char text[512];
  std::snprintf(text, sizeof text, pattern, name.c_str(), first, second);
  return text;
}

}  // namespace

ole::HRESULT AutoWrap(InvocationKind kind, ole::VARIANT* result, ole::IDispatch* object, const char16_t* name,
                      std::initializer_list<ole::VARIANT> arguments) {
  if (!object) {
    ShowFailure("NULL IDispatch passed to AutoWrap()", "Error");
    return ole::E_FAIL;
  }
  const std::string shown_name = NameForMessages(name);
  std::u16string wide_name(name ? name : u"");
  ole::OLECHAR* names[] = {wide_name.data()};
  ole::DISPID id = ole::DISPID_UNKNOWN;
  ole::HRESULT status = object->GetIDsOfNames(ole::GUID_NULL, names, 1, kUserDefaultLocale, &id);
  if (ole::FAILED(status)) {
    ShowFailure(Format("IDispatch::GetIDsOfNames(\"%s\") failed w/err 0x%08x", shown_name,
                       static_cast<unsigned>(status)),
                "AutoWrap()");
    return status;
  }
  std::vector<ole::VARIANT> argument_array(arguments);  // the callee may not keep or change the caller's
  ole::DISPID named = ole::DISPID_PROPERTYPUT;
  const bool put = kind & ole::DISPATCH_PROPERTYPUT;
  ole::DISPPARAMS params{argument_array.data(), put ? &named : nullptr,
                         static_cast<unsigned>(argument_array.size()), put ? 1u : 0u};
  status = object->Invoke(id, ole::GUID_NULL, kSystemDefaultLocale, kind, &params, result, nullptr, nullptr);
  if (ole::FAILED(status)) {
    ShowFailure(Format("IDispatch::Invoke(\"%s\"=%08x) failed w/err 0x%08x", shown_name,
                       static_cast<unsigned>(id), static_cast<unsigned>(status)),
                "AutoWrap()");
    return status;
  }
  return ole::S_OK;
}

}  // namespace zarn
