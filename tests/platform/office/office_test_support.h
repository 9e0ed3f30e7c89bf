// What the tests of the office automation servers share: a fresh registry in which regsvr registered
// the library, calls by member name that report the exception an object raised, and the test documents.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/ole/dispatch.h"
#include "tests/support/temp_folder.h"

namespace office_test {

// A file of tests/data/office.
std::string TestData(std::string_view name);
std::string LibraryPath();  // the built libkestrix-office.so

// Runs regsvr (with /u when `unregister`); its exit status.
int RunRegsvr(bool unregister);

// Each test gets its own settings folder and registry, with the library registered there, and the
// library's own converters and time limit.
class RegisteredServers : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(RunRegsvr(false), 0); }

  // An executable shell script in the test's folder; returns its path.
  std::string WriteScript(std::string_view name, std::string_view body) const;
  // A copy of a test document under another name in the test's folder; returns its path.
  std::string CopyTestData(std::string_view name, std::string_view copy_name) const;

  kx::test::TempFolder folder_;

 private:
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_ / "config"};
  kx::test::ScopedEnv registry_{"KESTRIX_REGISTRY", folder_ / "registry"};
  kx::test::ScopedEnv classes_{"KESTRIX_CLASSES", folder_ / "none.classes"};
  kx::test::ScopedEnv doc_converter_{"KESTRIX_DOC_CONVERTER", std::nullopt};
  kx::test::ScopedEnv xls_converter_{"KESTRIX_XLS_CONVERTER", std::nullopt};
  kx::test::ScopedEnv time_limit_{"KESTRIX_OFFICE_TIMEOUT_MS", std::nullopt};
};

// Arguments of a call, added first to last; kept last to first, as an Invoke takes them.
class Arguments {
 public:
  Arguments() = default;
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;
  ~Arguments();

  Arguments& Text(std::string_view bytes);
  Arguments& Long(std::int32_t value);
  Arguments& LeftOut();  // VT_ERROR DISP_E_PARAMNOTFOUND, as a caller marks an omitted argument

  std::vector<ole::VARIANT>& values() { return values_; }

 private:
  std::vector<ole::VARIANT> values_;
};

// The object a variant holds (empty when it holds none).
ole::ComPtr<ole::IDispatch> ObjectOf(const ole::Variant& value);

// The outcome of one call: the result, or what the object raised.
struct Outcome {
  ole::HRESULT hr = ole::E_FAIL;
  ole::Variant result;
  ole::HRESULT scode = ole::S_OK;
  std::string description;
  unsigned argument_error = ~0u;

  // The object the call answered (empty when it answered none).
  ole::ComPtr<ole::IDispatch> Object() const { return ObjectOf(result); }
};

Outcome Invoke(const ole::ComPtr<ole::IDispatch>& object, std::string_view name, ole::WORD flags,
               Arguments* arguments = nullptr);
inline Outcome Get(const ole::ComPtr<ole::IDispatch>& object, std::string_view name) {
  return Invoke(object, name, ole::DISPATCH_PROPERTYGET);
}
inline Outcome Call(const ole::ComPtr<ole::IDispatch>& object, std::string_view name, Arguments& arguments) {
  return Invoke(object, name, ole::DISPATCH_METHOD, &arguments);
}

// A new application object by ProgID, as the search control creates it.
ole::ComPtr<ole::IDispatch> CreateApplication(const char* prog_id);

std::vector<std::string> Lines(const std::string& text);

// Whether the process has ended (gone, or ended and waiting for its parent to reap it).
bool ProcessEnded(int pid);
// Whether this process has no child at all, running or unreaped.
bool NoChildLeft();

}  // namespace office_test
