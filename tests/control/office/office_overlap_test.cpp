// Two searches with Office support converting at the same time, each in its own control: every finding
// carries the text of the document it is recorded under, and the settings folder holds nothing extra
// afterwards. The applications are the recording stand-in, whose SaveAs writes "text of DOCUMENT" and
// whose Quit can be held until the test lets it go.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "control/object/zarn_ctrl.h"
#include "tests/control/event_recorder.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

struct Search {
  EventRecorder events;
  CZarnCtrl control;
};

// The pipe a held conversion waits on: it goes on once a byte is written or the writing end is closed.
struct Hold {
  Hold() { EXPECT_EQ(pipe(ends), 0); }
  ~Hold() {
    Release();
    close(ends[0]);
  }
  void Release() {
    if (ends[1] >= 0) close(ends[1]);
    ends[1] = -1;
  }
  int ends[2] = {-1, -1};
};

class OfficeOverlap : public ::testing::Test {
 protected:
  OfficeOverlap() {
    for (Search* search : {&first_, &second_}) {
      search->control.SetEventSink(&search->events);
      search->control.SetSupportOfficeDocs(true);
      search->control.SetThreadPriority(4);
      search->control.SetSearchExt("*.doc;*.xls");
      search->control.SetSearchString("text of");
    }
  }
  ~OfficeOverlap() override {
    hold_.Release();  // lets a held conversion go, whatever the test did
    for (Search* search : {&first_, &second_}) search->control.SetEventSink(nullptr);
  }

  void Begin(Search& search, const std::string& folder) {
    search.control.SetSearchPath(folder);
    ASSERT_TRUE(search.control.Begin());
  }
  // Every finding as "path: text".
  static std::set<std::string> Findings(Search& search) {
    std::set<std::string> found;
    for (std::int32_t i = 0; i < search.control.GetSearchCount(); ++i) {
      std::string path, text;
      std::int32_t line = 0, column = 0;
      if (search.control.GetFileData(i, &path, &line, &column, &text)) found.insert(path + ": " + text);
    }
    return found;
  }
  std::set<std::string> SettingsFolder() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_ / "config/kestrix"))
      names.insert(entry.path().filename());
    return names;
  }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_ / "config"};
  std::string log_ = folder_ / "calls.log";
  kx::test::ScopedEnv log_variable_{"KX_RECORDING_LOG", log_};
  std::string held_ = folder_.Write("one/held.doc", "bytes");
  std::string other_ = folder_.Write("two/other.xls", "bytes");
  Hold hold_;
  kx::test::ScopedEnv hold_document_{"KX_RECORDING_HOLD_DOCUMENT", held_};
  kx::test::ScopedEnv hold_descriptor_{"KX_RECORDING_HOLD_FD", std::to_string(hold_.ends[0])};
  Search first_, second_;
};

TEST_F(OfficeOverlap, ASearchConvertingMeanwhileNeverChangesTheTextAnotherIsAboutToScan) {
  Begin(first_, folder_ / "one/");
  // The first conversion has saved its text and is held before its scan.
  ASSERT_TRUE(PumpUntil(
      [this] { return kx::test::ReadFile(log_).value_or("").find("1 Quit()") != std::string::npos; }));
  Begin(second_, folder_ / "two/");
  ASSERT_TRUE(PumpUntil([this] { return second_.events.Saw("ScanCompleted"); }));
  ASSERT_EQ(write(hold_.ends[1], "", 1), 1);
  ASSERT_TRUE(PumpUntil([this] { return first_.events.Saw("ScanCompleted"); }));

  EXPECT_EQ(Findings(first_), std::set<std::string>{held_ + ": text of " + held_});
  EXPECT_EQ(Findings(second_), std::set<std::string>{other_ + ": text of " + other_});
  for (const std::string& name : SettingsFolder())
    EXPECT_TRUE(name == "ZarnTemp.TXT" || name.find("ZarnTemp") == std::string::npos) << name;
}

}  // namespace
}  // namespace zarn::test
