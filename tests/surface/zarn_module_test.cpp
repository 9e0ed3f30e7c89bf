// The control library as hosts use it: loaded by class identity or ProgID, its classes served by its
// factory, unloadable only when nothing of it lives, and registering and unregistering itself.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "control/surface/zarn_identities.h"
#include "platform/ole/object_creation.h"
#include "platform/ole/registry.h"
#include "tests/support/temp_folder.h"
#include "tests/surface/automation_sinks.h"
#include "tests/surface/dispatch_client.h"
#include "tests/surface/event_recorder.h"

namespace zarn::test {
namespace {

using Entry = ole::HRESULT (*)();

// An export of the loaded control library.
Entry Export(const char* name) {
  ole::ComPtr<ole::IDispatch> keep;  // make sure the library is loaded
  ole::CoCreateInstance(CLSID_Zarn, nullptr, ole::IID_IDispatch, keep.OutVoid());
  Dl_info info{};
  void* factory_code = nullptr;
  ole::CoGetClassObject(CLSID_Zarn, ole::IID_IClassFactory, &factory_code);
  dladdr(*static_cast<void**>(factory_code), &info);  // the factory's vtable lives in the library
  static_cast<ole::IUnknown*>(factory_code)->Release();
  void* library = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  const auto entry = reinterpret_cast<Entry>(dlsym(library, name));
  dlclose(library);
  return entry;
}

TEST(ZarnModule, TheControlIsCreatedByClassIdentityAndByProgIdWithoutRegistration) {
  ole::ComPtr<ole::IDispatch> control;
  ASSERT_EQ(ole::CoCreateInstance(CLSID_Zarn, nullptr, ole::IID_IDispatch, control.OutVoid()), ole::S_OK);
  DispatchClient host(control.Get());
  host.PutText("SearchExt", "*.txt");
  EXPECT_EQ(host.GetText("SearchExt"), "*.TXT");
  ole::CLSID clsid;
  ASSERT_EQ(ole::CLSIDFromProgID(kZarnProgId, &clsid), ole::S_OK);
  EXPECT_EQ(clsid, CLSID_Zarn);
  ole::ComPtr<ole::IUnknown> other;
  EXPECT_EQ(ole::CoCreateInstance(ole::MakeGuid("00000000-0000-0000-0000-000000000001"), nullptr,
                                  ole::IID_IUnknown, other.OutVoid()),
            ole::REGDB_E_CLASSNOTREG);
}

TEST(ZarnModule, TheLibraryMayBeUnloadedOnlyWhenNoObjectLives) {
  const Entry can_unload_now = Export("DllCanUnloadNow");
  ASSERT_NE(can_unload_now, nullptr);
  {
    ole::ComPtr<ole::IDispatch> control;
    ASSERT_EQ(ole::CoCreateInstance(CLSID_Zarn, nullptr, ole::IID_IDispatch, control.OutVoid()), ole::S_OK);
    EXPECT_EQ(can_unload_now(), ole::S_FALSE);
  }
  EXPECT_EQ(can_unload_now(), ole::S_OK);
}

TEST(ZarnModule, RegisteringThenUnregisteringLeavesNoIdentityBehind) {
  kx::test::TempFolder folder;
  kx::test::ScopedEnv registry_file("KESTRIX_REGISTRY", folder / "registry");
  ASSERT_EQ(Export("DllRegisterServer")(), ole::S_OK);
  const std::string clsid_key = "CLSID\\" + ole::StringFromGUID(CLSID_Zarn);
  ole::Registry registry = ole::Registry::Load();
  EXPECT_EQ(registry.GetText(clsid_key), "Kestrix Control");
  EXPECT_EQ(registry.GetText(clsid_key + "\\ProgID"), kZarnProgId);
  EXPECT_EQ(registry.GetText(clsid_key + "\\MiscStatus\\1"), "132497");
  EXPECT_EQ(registry.GetText(std::string(kZarnProgId) + "\\CLSID"), ole::StringFromGUID(CLSID_Zarn));
  EXPECT_TRUE(registry.KeyExists("TypeLib\\" + ole::StringFromGUID(LIBID_ZARNLib) + "\\1.0"));
  ASSERT_EQ(Export("DllUnregisterServer")(), ole::S_OK);
  registry = ole::Registry::Load();
  EXPECT_FALSE(registry.KeyExists(clsid_key));
  EXPECT_FALSE(registry.KeyExists(kZarnProgId));
  EXPECT_FALSE(registry.KeyExists("TypeLib\\" + ole::StringFromGUID(LIBID_ZARNLib)));
}

TEST(ZarnModule, ASearchRunsThroughTheLoadedLibrary) {
  kx::test::TempFolder folder;
  folder.Write("a.txt", "find the needle\n");
  ole::ComPtr<ole::IDispatch> control;
  ASSERT_EQ(ole::CoCreateInstance(CLSID_Zarn, nullptr, ole::IID_IDispatch, control.OutVoid()), ole::S_OK);
  const auto events = ole::MakeObject<EventSink>();
  ASSERT_NE(Advise(control.Get(), IID__DZarnEvents, static_cast<ole::IDispatch*>(events.Get())), 0u);
  DispatchClient host(control.Get());
  host.PutBool("SupportOfficeDocs", false);
  host.PutLong("ThreadPriority", 4);
  host.PutText("SearchPath", folder.path());
  host.PutText("SearchExt", "*.txt");
  host.PutText("SearchString", "needle");
  ASSERT_TRUE(host.CallBool("Begin"));
  ASSERT_TRUE(PumpUntil([&] { return !events->events.empty() && events->events.back() == "ScanCompleted"; }));
  EXPECT_EQ(host.GetLong("SearchCount"), 1);
}

}  // namespace
}  // namespace zarn::test

namespace zarn::test {
namespace {

// Hosts create, search with and drop controls at any moment; nothing of a control may outlive it badly.
TEST(ZarnModule, ControlsCreatedSearchingAndReleasedManyTimes) {
  kx::test::TempFolder folder;
  for (int i = 0; i < 20; ++i)
    folder.Write("f" + std::to_string(i) + ".txt", std::string(2000, 'x') + " needle\n");
  for (int cycle = 0; cycle < 100; ++cycle) {
    ole::ComPtr<ole::IDispatch> control;
    ASSERT_EQ(ole::CoCreateInstance(CLSID_Zarn, nullptr, ole::IID_IDispatch, control.OutVoid()), ole::S_OK);
    DispatchClient host(control.Get());
    host.PutBool("SupportOfficeDocs", false);
    host.PutLong("ThreadPriority", cycle % 5);
    host.PutText("SearchPath", folder.path());
    host.PutText("SearchExt", "*.txt");
    host.PutText("SearchString", cycle % 2 ? "needle" : "x");
    ASSERT_TRUE(host.CallBool("Begin"));
    for (int step = 0; step < cycle % 4; ++step) {
      host.GetLong("SearchCount");
      win::DispatchPendingMessages();
    }
  }
  PumpPending();
}

}  // namespace
}  // namespace zarn::test
