// Searches with Office support on, against the real Word and Excel stand-ins of this platform
// (libkestrix-office.so, named in a class manifest for the test): the words inside documents are found
// under the documents' own paths and the line numbers of their text; what cannot be converted is
// searched as it is, and the search goes on.
#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>
#include <set>

#include "control/object/zarn_ctrl.h"
#include "platform/window/message_box.h"
#include "tests/control/event_recorder.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

struct Found {
  std::string file;  // the name within the searched folder
  std::int32_t line;
  std::string text;
  bool operator<(const Found& other) const { return std::tie(file, line) < std::tie(other.file, other.line); }
  bool operator==(const Found&) const = default;
};

class OfficeSearch : public ::testing::Test {
 protected:
  OfficeSearch() {
    folder_.Write("search.classes",
                  "{3A8A4FCF-7D63-4407-BA38-408A65A7F4B5} Word.Application " KX_OFFICE_LIBRARY
                  "\n{6D4AF14A-243B-48A7-A139-9DDB11399440} Excel.Application " KX_OFFICE_LIBRARY "\n");
    control_.SetEventSink(&events_);
    control_.SetSupportOfficeDocs(true);
    control_.SetThreadPriority(4);
    control_.SetLookInSubfolders(true);
    control_.SetSearchPath(folder_ / "docs/");
    control_.SetSearchExt("*.doc;*.xls;*.txt;*.docx");
    control_.SetSearchString("Zarnquux");
  }
  ~OfficeSearch() override { control_.SetEventSink(nullptr); }

  void Copy(const char* data_file, const std::string& as) {
    const std::filesystem::path target = folder_ / ("docs/" + as);
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(std::string(KX_OFFICE_TEST_DATA) + "/" + data_file, target);
  }
  std::set<Found> Search() {
    EXPECT_TRUE(control_.Begin());
    EXPECT_TRUE(PumpUntil([this] { return events_.Saw("ScanCompleted"); }));
    std::set<Found> found;
    for (std::int32_t i = 0; i < control_.GetSearchCount(); ++i) {
      std::string path, text;
      std::int32_t line = 0, column = 0;
      if (control_.GetFileData(i, &path, &line, &column, &text))
        found.insert({path.substr((folder_ / "docs/").size()), line, text});
    }
    return found;
  }
  std::vector<std::string> Shown() {
    const std::lock_guard lock(mutex_);
    return shown_;
  }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_ / "config"};
  kx::test::ScopedEnv classes_{"KESTRIX_CLASSES", folder_ / "search.classes"};
  EventRecorder events_;
  CZarnCtrl control_;
  std::mutex mutex_;
  std::vector<std::string> shown_;
  const win::ScopedMessageBoxPresenter presenter_{
      [this](win::HWND, const std::string& text, const std::string&, win::UINT) {
        const std::lock_guard lock(mutex_);
        shown_.push_back(text);
        return win::IDOK;
      }};
};

TEST_F(OfficeSearch, WordsInsideDocumentsAreFoundUnderTheDocumentsPathsAndLines) {
  Copy("letter.doc", "letter.doc");
  Copy("budget.xls", "sub/the \"budget\" 2026.XLS");
  folder_.Write("docs/notes.txt", "plain text\nZarnquux in a text file\n");
  folder_.Write("docs/new.docx", "a docx is not converted: Zarnquux as bytes\n");
  EXPECT_EQ(Search(), (std::set<Found>{
                          {"letter.doc", 4, "Zarnquux so that a search can find it."},
                          {"new.docx", 1, "Zarnquux as bytes"},
                          {"notes.txt", 2, "Zarnquux in a text file"},
                          {"sub/the \"budget\" 2026.XLS", 3, "Zarnquux cartridges"},
                      }));
  EXPECT_TRUE(Shown().empty());
}

TEST_F(OfficeSearch, ADocumentThatCannotBeConvertedIsSearchedAsItIsAndTheSearchGoesOn) {
  Copy("damaged.doc", "damaged.doc");
  folder_.Write("docs/renamed.doc", "really plain text with Zarnquux\n");
  Copy("letter.doc", "z-letter.doc");
  const std::set<Found> found = Search();
  EXPECT_EQ(found.count({"renamed.doc", 1, "Zarnquux"}), 1u);
  EXPECT_EQ(found.count({"z-letter.doc", 4, "Zarnquux so that a search can find it."}), 1u);
  const std::vector<std::string> shown = Shown();
  ASSERT_FALSE(shown.empty());  // Open failed for the damaged one; plain text opens as itself
  EXPECT_NE(shown.front().find("IDispatch::Invoke(\"Open\""), std::string::npos) << shown.front();
}

TEST_F(OfficeSearch, AConverterThatHangsIsStoppedAtTheTimeLimit) {
  const std::string hanging = folder_.Write("hang.sh", "#!/bin/sh\nexec sleep 30\n");
  std::filesystem::permissions(hanging, std::filesystem::perms::owner_all);
  kx::test::ScopedEnv converter("KESTRIX_DOC_CONVERTER", hanging);
  kx::test::ScopedEnv limit("KESTRIX_OFFICE_TIMEOUT_MS", "300");
  Copy("letter.doc", "letter.doc");
  folder_.Write("docs/after.txt", "Zarnquux after the document\n");
  const auto started = std::chrono::steady_clock::now();
  const std::set<Found> found = Search();
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
  EXPECT_EQ(found.count({"after.txt", 1, "Zarnquux after the document"}), 1u);
  EXPECT_FALSE(Shown().empty());
}

TEST_F(OfficeSearch, SaveOfficeDocAsTextWritesTheDocumentsTextAndRefusesOtherTypes) {
  Copy("letter.doc", "letter.doc");
  const std::string target = folder_ / "out.txt";
  EXPECT_TRUE(control_.SaveOfficeDocAsText(folder_ / "docs/letter.doc", target));
  EXPECT_NE(kx::test::ReadFile(target).value_or("").find("Zarnquux"), std::string::npos);
  folder_.Write("docs/report.txt", "text");
  EXPECT_FALSE(control_.SaveOfficeDocAsText(folder_ / "docs/report.txt", target));
  EXPECT_FALSE(control_.SaveOfficeDocAsText(folder_ / "docs/missing.doc", target));
}

}  // namespace
}  // namespace zarn::test
