// The control driven only through _DZarn and _DZarnEvents, as a host drives it.
#include <gtest/gtest.h>

#include <ranges>
#include <span>

#include "control/automation/zarn_automation.h"
#include "control/automation/zarn_type_library.h"
#include "platform/ole/dispatch_driver.h"
#include "platform/ole/display_name_site.h"
#include "tests/control/automation_sinks.h"
#include "tests/control/event_recorder.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

using Events = std::vector<std::string>;

// A number property's value, or -1 when the get fails or answers no number (so that 0 means 0).
std::int32_t NumberOrMinusOne(ole::DispatchDriver& driver, std::string_view name) {
  ole::Variant value;
  if (ole::FAILED(driver.Get(name, *value.get())) || value.type() != ole::VT_I4) return -1;
  return value.get()->lVal;
}

class Automation : public ::testing::Test {
 protected:
  Automation() {
    ole::IDispatch* control = control_.Get();
    EXPECT_NE(Advise(control, IID__DZarnEvents, static_cast<ole::IDispatch*>(events_.Get())), 0u);
    EXPECT_NE(
        Advise(control, ole::IID_IPropertyNotifySink, static_cast<ole::IPropertyNotifySink*>(changes_.Get())),
        0u);
    host_.PutBool("SupportOfficeDocs", false);
    host_.PutLong("ThreadPriority", 4);
    changes_->changed.clear();
  }

  void SearchToTheEnd() {
    ASSERT_TRUE(host_.CallBool("Begin"));
    ASSERT_TRUE(
        PumpUntil([this] { return !events_->events.empty() && events_->events.back() == "ScanCompleted"; }));
  }

  kx::test::TempFolder folder_;
  ole::ComPtr<ZarnAutomation> control_ = ole::MakeObject<ZarnAutomation>();
  ole::ComPtr<EventSink> events_ = ole::MakeObject<EventSink>();
  ole::ComPtr<PropertySink> changes_ = ole::MakeObject<PropertySink>();
  ole::DispatchDriver host_{ole::ComPtr<ole::IDispatch>(control_.Get())};
};

TEST_F(Automation, EveryMemberIsFoundByItsNameWithoutRegardToCaseAndHasItsDispid) {
  for (const ole::MemberDescription& member : ZarnDispatchInterface().members) {
    EXPECT_EQ(host_.IdOf(member.name), member.id) << member.name;
    std::string lower = member.name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(host_.IdOf(lower), member.id) << lower;
  }
  EXPECT_EQ(host_.IdOf("SearchPath"), 5);
  EXPECT_EQ(host_.IdOf("AboutBox"), -552);
  EXPECT_EQ(host_.IdOf("NoSuchMember"), ole::DISPID_UNKNOWN);
}

TEST_F(Automation, PropertiesReadBackByTheirRules) {
  EXPECT_EQ(host_.PutText("SearchPath", "/data"), ole::S_OK);
  EXPECT_EQ(host_.GetText("SearchPath"), "/data/");
  host_.PutText("SearchExt", "*.txt");
  EXPECT_EQ(host_.GetText("SearchExt"), "*.TXT");
  host_.PutText("SearchString", "needle");
  EXPECT_EQ(host_.GetText("_SearchString"), "needle");  // the default member
  host_.PutText("_SearchString", "other");
  EXPECT_EQ(host_.GetText("SearchString"), "other");
  host_.PutBool("CaseSensitive", true);
  EXPECT_TRUE(host_.GetBool("CaseSensitive"));
  host_.PutLong("ThreadPriority", 7);
  EXPECT_EQ(host_.GetLong("ThreadPriority"), 4);
  EXPECT_EQ(NumberOrMinusOne(host_, "SearchCount"), 0);
  EXPECT_FALSE(host_.GetBool("SearchActive"));
}

TEST_F(Automation, ReadOnlyPropertiesRefuseAssignmentWithTheStandardError) {
  for (const char* name : {"SearchCount", "SearchActive", "SearchTime"}) {
    EXPECT_EQ(host_.PutLong(name, 5), ole::DISP_E_EXCEPTION) << name;
    EXPECT_EQ(host_.LastExceptionCode(), ole::CTL_E_SETNOTSUPPORTED);
  }
  EXPECT_EQ(NumberOrMinusOne(host_, "SearchCount"), 0);
  EXPECT_TRUE(changes_->changed.empty());
}

TEST_F(Automation, BadCallsGetTheStandardErrors) {
  ole::VARIANT one = ole::ByValue(1);
  EXPECT_EQ(host_.Call("Begin", std::span(&one, 1)), ole::DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(host_.Call("SaveDataToTabFile"), ole::DISP_E_BADPARAMCOUNT);
  ole::Variant not_a_number = ole::Variant::FromBytes("many");
  EXPECT_EQ(host_.Put("ThreadPriority", *not_a_number.get()), ole::DISP_E_TYPEMISMATCH);
  ole::VARIANT numbers[5] = {ole::ByValue(0), ole::ByValue(0), ole::ByValue(0), ole::ByValue(0),
                             ole::ByValue(0)};
  EXPECT_EQ(host_.Call("GetFileData", numbers),
            ole::DISP_E_TYPEMISMATCH);       // the out-parameters must be references
  EXPECT_EQ(host_.LastArgumentError(), 3u);  // FilePath, second from the front, fourth from the back
  ole::VARIANT value;
  ole::DISPPARAMS none;
  EXPECT_EQ(
      control_->Invoke(99, ole::GUID_NULL, 0, ole::DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr),
      ole::DISP_E_MEMBERNOTFOUND);
}

TEST_F(Automation, AcceptedAssignmentsAreAnnouncedAndMarkTheControlModified) {
  const auto fresh = ole::MakeObject<ZarnAutomation>();
  const auto changes = ole::MakeObject<PropertySink>();
  Advise(static_cast<ole::IDispatch*>(fresh.Get()), ole::IID_IPropertyNotifySink,
         static_cast<ole::IPropertyNotifySink*>(changes.Get()));
  ole::DispatchDriver host{ole::ComPtr<ole::IDispatch>(fresh.Get())};
  EXPECT_FALSE(fresh->IsModified());
  host.PutText("SearchPath", "");     // stored, but no change to announce
  host.PutLong("ThreadPriority", 9);  // ignored
  EXPECT_TRUE(changes->changed.empty());
  EXPECT_FALSE(fresh->IsModified());
  host.PutText("SearchPath", "/x");
  host.PutBool("WholeWordOnly", true);
  host.PutLong("ThreadPriority", 1);
  host.PutText("_SearchString", "s");
  EXPECT_EQ(changes->changed, (std::vector<ole::DISPID>{5, 4, 11, 0}));
  EXPECT_TRUE(fresh->IsModified());
}

TEST_F(Automation, AWholeSearchFiresItsEventsInOrderAndHandsBackTheFindings) {
  folder_.Write("a.txt", "one needle\n" + std::string(3000, 'x') + "\n");
  host_.PutText("SearchPath", folder_.path());
  host_.PutText("SearchExt", "*.txt");
  host_.PutText("SearchString", "needle");
  SearchToTheEnd();
  EXPECT_EQ(events_->events,
            (Events{"ScanStarted",
                    "OnError 505 Binary File Encountered (Line Exceeded 2048 characters)" + folder_ / "a.txt",
                    "ScanCompleted"}));
  ASSERT_EQ(host_.GetLong("SearchCount"), 1);

  ole::BSTR path = ole::BstrFromBytes("the caller's old string");
  ole::BSTR text = nullptr;
  std::int32_t line = 0, column = 0;
  ole::VARIANT path_ref, line_ref, column_ref, text_ref;
  path_ref.vt = text_ref.vt = ole::VT_BYREF | ole::VT_BSTR;
  line_ref.vt = column_ref.vt = ole::VT_BYREF | ole::VT_I4;
  path_ref.pbstrVal = &path;
  text_ref.pbstrVal = &text;
  line_ref.plVal = &line;
  column_ref.plVal = &column;
  ole::VARIANT arguments[] = {text_ref, column_ref, line_ref, path_ref, ole::ByValue(0)};  // last to first
  EXPECT_TRUE(host_.CallBool("GetFileData", arguments));
  EXPECT_EQ(ole::BytesFromBstr(path), folder_ / "a.txt");
  EXPECT_EQ(ole::BytesFromBstr(text), "needle");
  EXPECT_EQ(line, 1);
  EXPECT_EQ(column, 5);

  arguments[4] = ole::ByValue(1);
  EXPECT_FALSE(host_.CallBool("GetFileData", arguments));
  EXPECT_EQ(events_->events.back(), "OnError 506 RecordNumber argument is invalid");
  EXPECT_EQ(ole::BytesFromBstr(path), folder_ / "a.txt");  // untouched
  ole::SysFreeString(path);
  ole::SysFreeString(text);
}

// Out-parameters passed as references to variants that are still empty: a refused call leaves every one
// of them empty; an accepted one gives each the type of its value.
TEST_F(Automation, ARefusedGetFileDataLeavesEveryOutParameterAsItWas) {
  ole::VARIANT slots[4];                // FilePath, LineNumber, ColumnNumber, TextFound
  std::vector<ole::VARIANT> arguments;  // last to first: TextFound ... FilePath, RecordNumber
  for (ole::VARIANT& slot : std::views::reverse(slots)) {
    ole::VariantInit(&slot);
    ole::VARIANT reference;
    reference.vt = ole::VT_BYREF | ole::VT_VARIANT;
    reference.pvarVal = &slot;
    arguments.push_back(reference);
  }
  arguments.push_back(ole::ByValue(0));
  std::vector<ole::VARIANT> last_not_a_reference = arguments;
  last_not_a_reference.front() = ole::ByValue(0);
  struct {
    const char* what;
    std::vector<ole::VARIANT> arguments;
    ole::HRESULT answer;
  } refusals[] = {{"no such record", arguments, ole::S_OK},
                  {"TextFound not a reference", last_not_a_reference, ole::DISP_E_TYPEMISMATCH}};
  for (auto& refusal : refusals) {
    ole::VARIANT result;
    ole::VariantInit(&result);
    EXPECT_EQ(host_.Call("GetFileData", refusal.arguments, &result), refusal.answer) << refusal.what;
    EXPECT_NE(result.boolVal, ole::VARIANT_TRUE) << refusal.what;
    for (const ole::VARIANT& slot : slots) EXPECT_EQ(slot.vt, ole::VT_EMPTY) << refusal.what;
  }
  EXPECT_EQ(events_->events, Events{"OnError 506 RecordNumber argument is invalid"});

  folder_.Write("a.txt", "needle\n");
  host_.PutText("SearchPath", folder_.path());
  host_.PutText("SearchExt", "*.txt");
  host_.PutText("SearchString", "needle");
  SearchToTheEnd();
  EXPECT_TRUE(host_.CallBool("GetFileData", arguments));
  EXPECT_EQ(std::vector<int>({slots[0].vt, slots[1].vt, slots[2].vt, slots[3].vt}),
            std::vector<int>({ole::VT_BSTR, ole::VT_I4, ole::VT_I4, ole::VT_BSTR}));
  EXPECT_EQ(slots[1].lVal, 1);
  for (ole::VARIANT& slot : slots) ole::VariantClear(&slot);
}

TEST_F(Automation, ARefusedAndAnAbortedSearchFireWhatTheySay) {
  EXPECT_FALSE(host_.CallBool("Begin"));
  EXPECT_EQ(events_->events, Events{"OnError 507 Invalid Search String:  "});
  for (int i = 0; i < 40; ++i) folder_.Write("f" + std::to_string(i) + ".txt", "needle\n");
  host_.PutText("SearchPath", folder_.path());
  host_.PutText("SearchExt", "*.txt");
  host_.PutText("SearchString", "needle");
  host_.PutLong("ThreadPriority", 0);
  events_->events.clear();
  ASSERT_TRUE(host_.CallBool("Begin"));
  EXPECT_EQ(host_.Call("Abort"), ole::S_OK);
  PumpPending();
  EXPECT_EQ(events_->events, Events{"ScanStarted"});
  EXPECT_FALSE(host_.GetBool("SearchActive"));
}

TEST_F(Automation, PathsThatAreNotUtf8RoundTripThroughTheInterface) {
  const std::string odd = "caf\xE9 \xFF";
  folder_.Write(odd + "/a.txt", "needle\n");
  host_.PutText("SearchPath", folder_.path());
  host_.PutText("SearchExt", "*.txt");
  host_.PutText("SearchString", "needle");
  host_.PutBool("LookInSubfolders", true);
  SearchToTheEnd();
  ole::BSTR path = nullptr, text = nullptr;
  std::int32_t line = 0, column = 0;
  ole::VARIANT refs[4];
  refs[0].vt = refs[3].vt = ole::VT_BYREF | ole::VT_BSTR;
  refs[1].vt = refs[2].vt = ole::VT_BYREF | ole::VT_I4;
  refs[0].pbstrVal = &path;
  refs[1].plVal = &line;
  refs[2].plVal = &column;
  refs[3].pbstrVal = &text;
  ole::VARIANT arguments[] = {refs[3], refs[2], refs[1], refs[0], ole::ByValue(0)};  // last to first
  ASSERT_TRUE(host_.CallBool("GetFileData", arguments));
  std::string folder = ole::BytesFromBstr(path);
  EXPECT_EQ(folder, folder_ / odd + "/a.txt");
  folder.resize(folder.size() - 5);
  ole::VARIANT back;
  back.vt = ole::VT_BSTR;
  back.bstrVal = ole::SysAllocStringLen(path, ole::SysStringLen(path) - 5);  // the folder, through UTF-16
  EXPECT_EQ(host_.Put("SearchPath", back), ole::S_OK);
  ole::VariantClear(&back);
  EXPECT_EQ(host_.GetText("SearchPath"), folder);
  ole::SysFreeString(path);
  ole::SysFreeString(text);
}

TEST_F(Automation, ReleasedFromItsOwnEventTheControlGoesQuietly) {
  folder_.Write("a.txt", "needle\n");
  host_.PutText("SearchPath", folder_.path());
  host_.PutText("SearchExt", "*.txt");
  host_.PutText("SearchString", "needle");
  events_->on_event = [this](const std::string& event) {
    if (event == "ScanStarted") control_.Reset();
  };
  ole::DISPPARAMS none;
  ole::VARIANT result;
  ole::VariantInit(&result);
  ole::IDispatch* raw = control_.Get();
  const ole::DISPID begin = host_.IdOf("Begin");
  host_.Reset();  // the fixture's reference is the last one
  EXPECT_EQ(raw->Invoke(begin, ole::GUID_NULL, 0, ole::DISPATCH_METHOD, &none, &result, nullptr, nullptr),
            ole::S_OK);
  EXPECT_EQ(control_.Get(), nullptr);
  PumpPending();
  EXPECT_EQ(events_->events, Events{"ScanStarted"});
}

}  // namespace
}  // namespace zarn::test

namespace zarn::test {
namespace {

TEST_F(Automation, TheContainerKeepsOnlyTheVersionStampAndLearnsWhetherTheControlChanged) {
  const auto persist = control_.As<ole::IPersistStreamInit>(ole::IID_IPersistStreamInit);
  ASSERT_TRUE(persist);
  EXPECT_EQ(persist->IsDirty(), ole::S_OK);  // the fixture assigned options
  const auto stream = ole::MakeObject<MemoryStream>();
  ASSERT_EQ(persist->Save(stream.Get(), true), ole::S_OK);
  EXPECT_EQ(stream->bytes, std::string("\0\0\1\0", 4));  // 0x00010000: version 1.0
  EXPECT_EQ(persist->IsDirty(), ole::S_FALSE);
  host_.PutBool("CaseSensitive", true);
  EXPECT_EQ(persist->IsDirty(), ole::S_OK);
  EXPECT_EQ(persist->InitNew(), ole::S_OK);
  EXPECT_TRUE(host_.GetBool("CaseSensitive"));  // resetting to defaults touches no option
  EXPECT_EQ(persist->Load(stream.Get()), ole::S_OK);
  EXPECT_NE(persist->Load(stream.Get()), ole::S_OK);  // nothing left to read
  ole::CLSID clsid;
  EXPECT_EQ(persist->GetClassID(&clsid), ole::S_OK);
  EXPECT_EQ(clsid, CLSID_Zarn);
}

TEST(AutomationSite, TheSitesDisplayNameNamesTheSettingsFile) {
  kx::test::TempFolder folder;
  kx::test::ScopedEnv config("XDG_CONFIG_HOME", folder.path());
  {
    const auto control = ole::MakeObject<ZarnAutomation>();
    const auto site = ole::MakeObject<ole::DisplayNameSite>("Finder2");
    ASSERT_EQ(control->SetClientSite(static_cast<ole::IOleClientSite*>(site.Get())), ole::S_OK);
    ole::DispatchDriver(ole::ComPtr<ole::IDispatch>(control.Get())).PutLong("ThreadPriority", 3);
    control->SetClientSite(nullptr);
  }
  const auto settings = kx::test::ReadFile(folder / "kestrix/Finder2.INI");
  ASSERT_TRUE(settings);
  EXPECT_NE(settings->find("ThreadPriority=3"), std::string::npos);
  const auto again = ole::MakeObject<ZarnAutomation>();
  const auto site = ole::MakeObject<ole::DisplayNameSite>("Finder2");
  again->SetClientSite(static_cast<ole::IOleClientSite*>(site.Get()));
  EXPECT_EQ(ole::DispatchDriver(ole::ComPtr<ole::IDispatch>(again.Get())).GetLong("ThreadPriority"), 3);
  again->SetClientSite(nullptr);
}

// Without a Windows folder the settings file has no name: a host that connected its events before siting
// the control hears so (501, the message alone), whether no folder is named or the one named cannot be made.
TEST(AutomationSite, AHostHearsWhenTheSettingsFileCannotBeNamed) {
  kx::test::TempFolder folder;
  const std::optional<std::string> kNoFolder[] = {std::nullopt, folder.Write("file", "")};
  for (const std::optional<std::string>& value : kNoFolder) {
    kx::test::ScopedEnv config("XDG_CONFIG_HOME", value);
    kx::test::ScopedEnv home("HOME", value);
    const auto control = ole::MakeObject<ZarnAutomation>();
    const auto events = ole::MakeObject<EventSink>();
    ASSERT_NE(Advise(static_cast<ole::IDispatch*>(control.Get()), IID__DZarnEvents,
                     static_cast<ole::IDispatch*>(events.Get())),
              0u);
    const auto site = ole::MakeObject<ole::DisplayNameSite>("Finder3");
    ASSERT_EQ(control->SetClientSite(static_cast<ole::IOleClientSite*>(site.Get())), ole::S_OK);
    EXPECT_EQ(events->events,
              Events{"OnError 501 An error ocurred while creating a fully qualified path name "
                     "to the Kestrix initialization file."})
        << value.value_or("(unset)");
    control->SetClientSite(nullptr);
  }
}

}  // namespace
}  // namespace zarn::test

namespace zarn::test {
namespace {

// Every property answers a get by its DISPID with a value of its type, and every assignable one takes
// a value of its type by DISPID; every method is found by name and answers a call with no arguments by
// asking for the right number.
TEST_F(Automation, EveryMemberAnswersThroughInvokeByItsDispid) {
  for (const ole::MemberDescription& member : ZarnDispatchInterface().members) {
    ole::DISPPARAMS none;
    ole::VARIANT value;
    ole::VariantInit(&value);
    if (member.kind == ole::MemberKind::kProperty) {
      ASSERT_EQ(control_->Invoke(member.id, ole::GUID_NULL, 0, ole::DISPATCH_PROPERTYGET, &none, &value,
                                 nullptr, nullptr),
                ole::S_OK)
          << member.name;
      EXPECT_EQ(value.vt, member.type) << member.name;
      if (!member.read_only) {
        ole::DISPID named = ole::DISPID_PROPERTYPUT;
        ole::DISPPARAMS put{&value, &named, 1, 1};
        EXPECT_EQ(control_->Invoke(member.id, ole::GUID_NULL, 0, ole::DISPATCH_PROPERTYPUT, &put, nullptr,
                                   nullptr, nullptr),
                  ole::S_OK)
            << member.name;
      }
      ole::VariantClear(&value);
    } else if (!member.parameters.empty()) {
      EXPECT_EQ(control_->Invoke(member.id, ole::GUID_NULL, 0, ole::DISPATCH_METHOD, &none, &value, nullptr,
                                 nullptr),
                ole::DISP_E_BADPARAMCOUNT)
          << member.name;
    }
  }
}

}  // namespace
}  // namespace zarn::test
