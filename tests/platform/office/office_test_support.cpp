#include "tests/platform/office/office_test_support.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>

#include <filesystem>

#include "platform/ole/object_creation.h"
#include "tests/support/run_program.h"

namespace office_test {

std::string TestData(std::string_view name) {
  return std::string(KX_OFFICE_TEST_DATA) + "/" + std::string(name);
}

std::string LibraryPath() {
  return KX_OFFICE_LIBRARY;
}

int RunRegsvr(bool unregister) {
  std::vector<std::string> arguments;
  if (unregister) arguments.push_back("/u");
  arguments.push_back(LibraryPath());
  return kx::test::RunProgram(KX_REGSVR, arguments).status;
}

std::string RegisteredServers::WriteScript(std::string_view name, std::string_view body) const {
  const std::string path = folder_.Write(name, "#!/bin/sh\n" + std::string(body) + "\n");
  chmod(path.c_str(), 0755);
  return path;
}

std::string RegisteredServers::CopyTestData(std::string_view name, std::string_view copy_name) const {
  const std::string copy = folder_ / copy_name;
  std::filesystem::copy_file(TestData(name), copy);
  return copy;
}

Arguments::~Arguments() {
  for (ole::VARIANT& value : values_) ole::VariantClear(&value);
}

Arguments& Arguments::Text(std::string_view bytes) {
  values_.insert(values_.begin(), ole::Variant::FromBytes(bytes).Detach());
  return *this;
}

Arguments& Arguments::Long(std::int32_t value) {
  values_.insert(values_.begin(), ole::Variant(value).Detach());
  return *this;
}

Arguments& Arguments::LeftOut() {
  ole::VARIANT missing;
  ole::VariantInit(&missing);
  missing.vt = ole::VT_ERROR;
  missing.scode = ole::DISP_E_PARAMNOTFOUND;
  values_.insert(values_.begin(), missing);
  return *this;
}

ole::ComPtr<ole::IDispatch> ObjectOf(const ole::Variant& value) {
  if (value.type() != ole::VT_DISPATCH) return {};
  return ole::ComPtr<ole::IDispatch>(value.get()->pdispVal);
}

Outcome Invoke(const ole::ComPtr<ole::IDispatch>& object, std::string_view name, ole::WORD flags,
               Arguments* arguments) {
  Outcome outcome;
  if (!object) return outcome;
  std::u16string wide = ole::Utf16FromBytes(name);
  ole::OLECHAR* names[] = {wide.data()};
  ole::DISPID id = ole::DISPID_UNKNOWN;
  outcome.hr = object->GetIDsOfNames(ole::GUID_NULL, names, 1, 0, &id);
  if (ole::FAILED(outcome.hr)) return outcome;
  ole::DISPID named = ole::DISPID_PROPERTYPUT;
  const bool put = flags == ole::DISPATCH_PROPERTYPUT;
  ole::DISPPARAMS params{arguments ? arguments->values().data() : nullptr, put ? &named : nullptr,
                         arguments ? static_cast<unsigned>(arguments->values().size()) : 0u, put ? 1u : 0u};
  ole::EXCEPINFO exception;
  outcome.hr = object->Invoke(id, ole::GUID_NULL, 0, flags, &params, outcome.result.out(), &exception,
                              &outcome.argument_error);
  outcome.scode = exception.scode;
  outcome.description = ole::BytesFromBstr(exception.bstrDescription);
  ole::ClearExcepInfo(&exception);
  return outcome;
}

ole::ComPtr<ole::IDispatch> CreateApplication(const char* prog_id) {
  ole::CLSID clsid;
  ole::ComPtr<ole::IDispatch> application;
  if (ole::SUCCEEDED(ole::CLSIDFromProgID(prog_id, &clsid)))
    ole::CoCreateInstance(clsid, nullptr, ole::IID_IDispatch, application.OutVoid());
  return application;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool ProcessEnded(int pid) {
  const std::optional<std::string> stat = kx::test::ReadFile("/proc/" + std::to_string(pid) + "/stat");
  if (!stat) return true;
  const std::size_t name_end = stat->rfind(") ");  // the state follows the program's name
  return name_end != std::string::npos && name_end + 2 < stat->size() &&
         ((*stat)[name_end + 2] == 'Z' || (*stat)[name_end + 2] == 'X');
}

bool NoChildLeft() {
  errno = 0;
  return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

}  // namespace office_test
