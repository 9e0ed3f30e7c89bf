// Registering the library with regsvr: both classes with their ProgIDs and the library's absolute path,
// created by ProgID or class identity; unregistering removes them; objects alive keep the library loaded.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/office/office_identities.h"
#include "platform/ole/object_creation.h"
#include "platform/ole/registry.h"
#include "tests/platform/office/office_test_support.h"

namespace office_test {
namespace {

using Registration = RegisteredServers;

void ExpectRegistered(const ole::Registry& registry, const ole::CLSID& clsid, const std::string& prog_id) {
  const std::string key = "CLSID\\" + ole::StringFromGUID(clsid);
  EXPECT_EQ(registry.GetText(prog_id + "\\CLSID"), ole::StringFromGUID(clsid));
  EXPECT_EQ(registry.GetText(key + "\\ProgID"), prog_id);
  EXPECT_EQ(registry.GetText(key + "\\InprocServer32"), std::filesystem::canonical(LibraryPath()).string());
  EXPECT_EQ(registry.GetText(key + "\\InprocServer32", "ThreadingModel"), "Both");
}

TEST_F(Registration, RegistersBothClassesAndUnregistersThem) {
  ExpectRegistered(ole::Registry::Load(), office::CLSID_WordApplication, "Word.Application");
  ExpectRegistered(ole::Registry::Load(), office::CLSID_ExcelApplication, "Excel.Application");
  ole::ComPtr<ole::IDispatch> excel;
  EXPECT_EQ(
      ole::CoCreateInstance(office::CLSID_ExcelApplication, nullptr, ole::IID_IDispatch, excel.OutVoid()),
      ole::S_OK);

  ASSERT_EQ(RunRegsvr(true), 0);
  const ole::Registry registry = ole::Registry::Load();
  for (const char* key : {"Word.Application", "Excel.Application", "CLSID"})
    EXPECT_TRUE(registry.SubKeys(key).empty());
  EXPECT_FALSE(CreateApplication("Word.Application"));
}

TEST_F(Registration, UnregisteringLeavesAProgIdAnotherServerTookOver) {
  const std::string other = "{11111111-2222-3333-4444-555555555555}";
  ASSERT_TRUE(
      ole::UpdateRegistry([&](ole::Registry& r) { r.SetValue("Word.Application\\CLSID", "", other); }));
  ASSERT_EQ(RunRegsvr(true), 0);
  const ole::Registry registry = ole::Registry::Load();
  EXPECT_EQ(registry.GetText("Word.Application\\CLSID"), other);
  EXPECT_FALSE(registry.KeyExists("Excel.Application"));
}

TEST_F(Registration, ObjectsAliveKeepTheLibraryFromUnloading) {
  ole::ComPtr<ole::IDispatch> word = CreateApplication("Word.Application");
  ASSERT_TRUE(word);
  void* library = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(library, nullptr);
  const auto can_unload = reinterpret_cast<ole::HRESULT (*)()>(dlsym(library, "DllCanUnloadNow"));
  ASSERT_NE(can_unload, nullptr);
  ole::ComPtr<ole::IDispatch> documents = Get(word, "Documents").Object();
  word.Reset();
  EXPECT_EQ(can_unload(), ole::S_FALSE);  // the collection still lives
  documents.Reset();
  EXPECT_EQ(can_unload(), ole::S_OK);
  dlclose(library);
}

}  // namespace
}  // namespace office_test
