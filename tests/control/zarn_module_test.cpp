// The control library as hosts use it: loaded by class identity or ProgID, its classes served by its
// factory, unloadable only when nothing of it lives, and registering and unregistering itself.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "control/automation/zarn_identities.h"
#include "platform/ole/class_lookup.h"
#include "platform/ole/dispatch_driver.h"
#include "platform/ole/object_creation.h"
#include "platform/ole/property_page.h"
#include "platform/ole/registry.h"
#include "tests/control/automation_sinks.h"
#include "tests/control/event_recorder.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

using Entry = ole::HRESULT (*)();

// The control library as the runtime finds it, kept loaded for the rest of the test program.
void* ControlLibrary() {
  static void* library = dlopen(ole::InprocServerPath(CLSID_Zarn).value_or("").c_str(), RTLD_NOW);
  return library;
}

// An export of the control library.
Entry Export(const char* name) {
  return reinterpret_cast<Entry>(dlsym(ControlLibrary(), name));
}

TEST(ZarnModule, TheControlIsCreatedByClassIdentityAndByProgIdWithoutRegistration) {
  ole::ComPtr<ole::IDispatch> control;
  ASSERT_EQ(ole::CoCreateInstance(CLSID_Zarn, nullptr, ole::IID_IDispatch, control.OutVoid()), ole::S_OK);
  ole::DispatchDriver host(control);
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
  const std::string general_key = "CLSID\\" + ole::StringFromGUID(CLSID_ZarnPropPage);
  const std::string about_key = "CLSID\\" + ole::StringFromGUID(CLSID_ZarnAboutPage);
  EXPECT_EQ(registry.GetText(general_key), "Kestrix Property Page");
  EXPECT_EQ(registry.GetText(about_key), "&About");
  EXPECT_TRUE(registry.KeyExists(about_key + "\\InprocServer32"));
  ASSERT_EQ(Export("DllUnregisterServer")(), ole::S_OK);
  registry = ole::Registry::Load();
  EXPECT_FALSE(registry.KeyExists(clsid_key));
  EXPECT_FALSE(registry.KeyExists(general_key));
  EXPECT_FALSE(registry.KeyExists(about_key));
  EXPECT_FALSE(registry.KeyExists(kZarnProgId));
  EXPECT_FALSE(registry.KeyExists("TypeLib\\" + ole::StringFromGUID(LIBID_ZARNLib)));
}

// What else lies under the type library's key (another version, a value of its own) is not the
// library's to remove: unregistration takes version 1.0 away and leaves the key with the rest.
TEST(ZarnModule, UnregisteringRemovesOnlyVersionOneOfTheTypeLibrary) {
  const std::string type_library = "TypeLib\\" + ole::StringFromGUID(LIBID_ZARNLib);
  const struct { std::string key, name; } others[] = {{type_library + "\\2.0", ""}, {type_library, "Note"}};
  for (const auto& other : others) {
    kx::test::TempFolder folder;
    kx::test::ScopedEnv registry_file("KESTRIX_REGISTRY", folder / "registry");
    ASSERT_EQ(Export("DllRegisterServer")(), ole::S_OK);
    ASSERT_TRUE(ole::UpdateRegistry(
        [&](ole::Registry& registry) { registry.SetValue(other.key, other.name, std::string("kept")); }));
    ASSERT_EQ(Export("DllUnregisterServer")(), ole::S_OK);
    const ole::Registry registry = ole::Registry::Load();
    EXPECT_FALSE(registry.KeyExists(type_library + "\\1.0")) << other.key;
    EXPECT_EQ(registry.GetText(other.key, other.name), "kept") << other.key;
  }
}

TEST(ZarnModule, ASearchRunsThroughTheLoadedLibrary) {
  kx::test::TempFolder folder;
  folder.Write("a.txt", "find the needle\n");
  ole::ComPtr<ole::IDispatch> control;
  ASSERT_EQ(ole::CoCreateInstance(CLSID_Zarn, nullptr, ole::IID_IDispatch, control.OutVoid()), ole::S_OK);
  const auto events = ole::MakeObject<EventSink>();
  ASSERT_NE(Advise(control.Get(), IID__DZarnEvents, static_cast<ole::IDispatch*>(events.Get())), 0u);
  ole::DispatchDriver host(control);
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
    ole::DispatchDriver host(control);
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

namespace zarn::test {
namespace {

TEST(ZarnModule, HostsReadTheTypeLibraryFromTheLibrary) {
  const ole::TypeLibraryDescription* library = ole::TypeLibraryOfClass(CLSID_Zarn);
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(library->name, "ZARNLib");
  EXPECT_EQ(library->guid, LIBID_ZARNLib);
  EXPECT_EQ(library->major_version, 1);
  EXPECT_EQ(library->minor_version, 0);
  EXPECT_EQ(library->help_file, "KESTRIX.HLP");
  EXPECT_EQ(library->help, "Kestrix ActiveX Control module");
  ASSERT_EQ(library->enumerations.size(), 1u);
  EXPECT_EQ(library->enumerations[0].values[4].name, "TimeCritical");
  EXPECT_EQ(library->enumerations[0].values[4].help, "Time Critical (4)");
  const ole::InterfaceDescription* dispatch = library->FindInterface(IID__DZarn);
  ASSERT_NE(dispatch, nullptr);
  EXPECT_TRUE(dispatch->hidden);
  EXPECT_EQ(dispatch->members.size(), 19u);
  const ole::MemberDescription* get_file_data = dispatch->Find("GetFileData");
  ASSERT_NE(get_file_data, nullptr);
  EXPECT_EQ(get_file_data->id, 15);
  ASSERT_EQ(get_file_data->parameters.size(), 5u);
  EXPECT_EQ(get_file_data->parameters[1].name, "FilePath");
  EXPECT_TRUE(get_file_data->parameters[1].by_reference);
  EXPECT_EQ(dispatch->Find("CaseSensitive")->help.size(), 254u);
  EXPECT_EQ(dispatch->Find(11)->type_name, "ThreadPriorities");
  const ole::InterfaceDescription* events = library->FindInterface(IID__DZarnEvents);
  ASSERT_NE(events, nullptr);
  EXPECT_EQ(events->Find("OnError")->id, 3);
  ASSERT_EQ(library->classes.size(), 1u);
  EXPECT_EQ(library->classes[0].clsid, CLSID_Zarn);
}

struct VersionBlock {
  const char* file_name;
  const char* description;
  const char* file_version;
  const char* product_version;
  bool self_registering;
};

TEST(ZarnModule, TheVersionBlockNamesTheLibraryAndItsVersion) {
  const auto* block = static_cast<const VersionBlock*>(dlsym(ControlLibrary(), "kZarnVersionBlock"));
  ASSERT_NE(block, nullptr);
  EXPECT_STREQ(block->description, "Kestrix ActiveX");
  EXPECT_STREQ(block->file_version, "1.6.4.0");
  EXPECT_STREQ(block->product_version, "1.6.4.0");
  EXPECT_TRUE(block->self_registering);
}

TEST(ZarnModule, ARegistryThatCannotBeWrittenFailsRegistrationWithTheTypeLibraryCode) {
  kx::test::TempFolder folder;
  kx::test::ScopedEnv registry_file("KESTRIX_REGISTRY", folder / "missing/folder/registry");
  EXPECT_EQ(Export("DllRegisterServer")(), ole::SELFREG_E_TYPELIB);
}

}  // namespace
}  // namespace zarn::test

namespace zarn {
namespace {

TEST(ZarnModule, ThePropertyPagesAreCreatedFromTheLibraryByTheirIdentities) {
  for (const ole::CLSID& page : {CLSID_ZarnPropPage, CLSID_ZarnAboutPage}) {
    ole::ComPtr<ole::IPropertyPage> created;
    ASSERT_EQ(ole::CoCreateInstance(page, nullptr, ole::IID_IPropertyPage, created.OutVoid()), ole::S_OK);
    ole::PROPPAGEINFO info;
    EXPECT_EQ(created->GetPageInfo(&info), ole::S_OK);
    EXPECT_EQ(info.title, page == CLSID_ZarnPropPage ? "&General" : "&About");
  }
}

}  // namespace
}  // namespace zarn
