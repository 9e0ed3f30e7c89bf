// The control's pace extension _DZarnPace: a host that never asks for it gets the pauses ThreadPriority
// asks for; one that asks reaches it by QueryInterface as a face of the same control, sets the walk's
// pause after each folder entry through it, and finds _DZarn and the class's description unchanged.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>

#include "control/automation/zarn_automation.h"
#include "control/automation/zarn_type_library.h"
#include "platform/ole/dispatch_driver.h"
#include "tests/control/automation_sinks.h"
#include "tests/control/event_recorder.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

class Pace : public ::testing::Test {
 protected:
  Pace() {
    EXPECT_NE(Advise(dispatch_.Get(), IID__DZarnEvents, static_cast<ole::IDispatch*>(events_.Get())), 0u);
    host_.PutBool("SupportOfficeDocs", false);
    host_.PutText("SearchExt", "*.txt");
    host_.PutText("SearchString", "needle");
  }

  // `count` files that hold the search string, alone in the search folder.
  void WriteFiles(int count) {
    for (int i = 0; i < count; ++i) folder_.Write("files/f" + std::to_string(i) + ".txt", "needle\n");
    host_.PutText("SearchPath", folder_ / "files");
  }

  bool Completed() const { return !events_->events.empty() && events_->events.back() == "ScanCompleted"; }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_ / "config"};
  ole::ComPtr<ZarnAutomation> control_ = ole::MakeObject<ZarnAutomation>();
  ole::ComPtr<ole::IDispatch> dispatch_{control_.Get()};
  ole::ComPtr<EventSink> events_ = ole::MakeObject<EventSink>();
  ole::DispatchDriver host_{dispatch_};
};

// Measured only as a lower bound: the pauses alone take at least this long, however fast the machine.
TEST_F(Pace, AHostThatNeverAsksGetsThePausesOfThreadPriority) {
  constexpr int kFiles = 20;
  WriteFiles(kFiles);
  host_.PutLong("ThreadPriority", 0);  // 41 ms after every entry
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(host_.CallBool("Begin"));
  ASSERT_TRUE(PumpUntil([this] { return Completed(); }));
  EXPECT_GE(std::chrono::steady_clock::now() - start, kFiles * std::chrono::milliseconds(41));
  EXPECT_EQ(host_.GetLong("SearchCount"), kFiles);
}

// A walk whose pauses alone would outlast the wait for its completion (PumpUntil: 30 s) ends in time once
// the pause is set to 0 through the extension while it runs.
TEST_F(Pace, EntryPauseZeroReachesARunningWalkAtItsNextEntry) {
  constexpr int kFiles = 2000;  // 42 s of pauses at ThreadPriority Normal (21 ms each)
  WriteFiles(kFiles);
  host_.PutLong("ThreadPriority", 2);
  ole::DispatchDriver pace(control_.As<ole::IDispatch>(IID__DZarnPace));
  ASSERT_TRUE(host_.CallBool("Begin"));
  ASSERT_TRUE(PumpUntil([this] { return host_.GetLong("SearchCount") > 0; }));
  EXPECT_EQ(pace.PutLong("EntryPause", 0), ole::S_OK);
  ASSERT_TRUE(PumpUntil([this] { return Completed(); }));
  EXPECT_EQ(host_.GetLong("SearchCount"), kFiles);
}

TEST_F(Pace, TheExtensionIsAFaceOfTheSameControlBesideDZarn) {
  const ole::ComPtr<ole::IDispatch> pace = dispatch_.As<ole::IDispatch>(IID__DZarnPace);
  ASSERT_TRUE(pace);
  EXPECT_NE(pace.Get(), dispatch_.Get());
  EXPECT_EQ(dispatch_.As<ole::IDispatch>(ole::IID_IDispatch).Get(), dispatch_.Get());
  EXPECT_EQ(pace.As<ole::IUnknown>(ole::IID_IUnknown).Get(),
            dispatch_.As<ole::IUnknown>(ole::IID_IUnknown).Get());
  EXPECT_EQ(pace.As<ole::IDispatch>(IID__DZarn).Get(), dispatch_.Get());
  EXPECT_EQ(pace.As<ole::IDispatch>(IID__DZarnPace).Get(), pace.Get());
  const ole::ULONG through_control = dispatch_->AddRef();
  EXPECT_EQ(pace->AddRef(), through_control + 1);  // one reference count
  pace->Release();
  dispatch_->Release();

  ole::DispatchDriver extension(pace);
  EXPECT_EQ(extension.IdOf("EntryPause"), 1);
  EXPECT_EQ(extension.IdOf("entrypause"), 1);
  EXPECT_EQ(extension.IdOf("SearchPath"), ole::DISPID_UNKNOWN);
  EXPECT_EQ(host_.IdOf("EntryPause"), ole::DISPID_UNKNOWN);
  ole::VARIANT value;
  ole::DISPPARAMS none;
  EXPECT_EQ(pace->Invoke(5, ole::GUID_NULL, 0, ole::DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr),
            ole::DISP_E_MEMBERNOTFOUND);

  host_.Reset();  // the extension alone keeps the control alive
  dispatch_.Reset();
  control_.Reset();
  EXPECT_EQ(extension.PutLong("EntryPause", 5), ole::S_OK);
  EXPECT_EQ(extension.GetLong("EntryPause"), 5);
}

TEST_F(Pace, EntryPauseTakesMinusOneAndZeroToTenSecondsAndRefusesTheRest) {
  const auto changes = ole::MakeObject<PropertySink>();
  Advise(dispatch_.Get(), ole::IID_IPropertyNotifySink,
         static_cast<ole::IPropertyNotifySink*>(changes.Get()));
  const auto persist = control_.As<ole::IPersistStreamInit>(ole::IID_IPersistStreamInit);
  persist->Save(ole::MakeObject<MemoryStream>().Get(), true);  // not modified from here on
  ole::DispatchDriver pace(control_.As<ole::IDispatch>(IID__DZarnPace));
  EXPECT_EQ(pace.GetLong("EntryPause"), -1);
  for (const std::int32_t taken : {0, 1, 10000, -1, 250}) {
    EXPECT_EQ(pace.PutLong("EntryPause", taken), ole::S_OK) << taken;
    EXPECT_EQ(pace.GetLong("EntryPause"), taken);
  }
  for (const std::int32_t refused : {-2, 10001, INT_MIN, INT_MAX}) {
    EXPECT_EQ(pace.PutLong("EntryPause", refused), ole::DISP_E_OVERFLOW) << refused;
    EXPECT_EQ(pace.GetLong("EntryPause"), 250) << refused;
  }
  EXPECT_TRUE(changes->changed.empty());
  EXPECT_EQ(persist->IsDirty(), ole::S_FALSE);
}

TEST_F(Pace, EntryPauseIsNotRememberedInTheSettingsFile) {
  ole::DispatchDriver(control_.As<ole::IDispatch>(IID__DZarnPace)).PutLong("EntryPause", 250);
  host_.Reset();
  dispatch_.Reset();
  control_.Reset();  // writes the settings file
  const auto settings = kx::test::ReadFile(folder_ / "config/kestrix/Zarn_v2.INI");
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->find("EntryPause"), std::string::npos);
  const auto again = ole::MakeObject<ZarnAutomation>();
  EXPECT_EQ(ole::DispatchDriver(again.As<ole::IDispatch>(IID__DZarnPace)).GetLong("EntryPause"), -1);
}

TEST(PaceTypeLibrary, TheExtensionIsAnInterfaceOfItsOwnAfterTheControlsEntries) {
  const ole::TypeLibraryDescription& library = ZarnTypeLibrary();
  ASSERT_EQ(library.interfaces.size(), 3u);
  EXPECT_EQ(library.interfaces[0].iid, IID__DZarn);
  EXPECT_EQ(library.interfaces[1].iid, IID__DZarnEvents);
  const ole::InterfaceDescription& pace = library.interfaces[2];
  EXPECT_EQ(pace.name, "_DZarnPace");
  EXPECT_EQ(pace.iid, IID__DZarnPace);
  ASSERT_EQ(pace.members.size(), 1u);
  const ole::MemberDescription& entry_pause = pace.members[0];
  EXPECT_EQ(entry_pause.id, 1);
  EXPECT_EQ(entry_pause.name, "EntryPause");
  EXPECT_EQ(entry_pause.kind, ole::MemberKind::kProperty);
  EXPECT_EQ(entry_pause.type, ole::VT_I4);
  EXPECT_FALSE(entry_pause.read_only);
  EXPECT_EQ(ZarnDispatchInterface().Find("EntryPause"), nullptr);
  ASSERT_EQ(library.classes.size(), 1u);
  EXPECT_EQ(library.classes[0].default_interface, IID__DZarn);
  EXPECT_EQ(library.classes[0].default_source, IID__DZarnEvents);
}

}  // namespace
}  // namespace zarn::test
