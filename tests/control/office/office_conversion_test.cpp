// The Office conversion as the applications see it: which members are called, in which order, with which
// arguments; what the user is shown when a member fails; and what the conversion reports. The
// applications here are a recording stand-in named in the class manifest beside this test.
#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>
#include <vector>

#include "control/office/office_conversion.h"
#include "platform/window/message_box.h"
#include "tests/support/temp_folder.h"

namespace zarn {
namespace {

struct Shown {
  std::string text, caption;
  win::UINT type;
  bool operator==(const Shown&) const = default;
};

class OfficeConversion : public ::testing::Test {
 protected:
  std::vector<std::string> Calls() {
    std::vector<std::string> lines;
    std::string text = kx::test::ReadFile(log_).value_or("");
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
      lines.push_back(text.substr(start, end - start));
    return lines;
  }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_.path()};  // an empty registry
  std::string log_ = folder_ / "calls.log";
  kx::test::ScopedEnv log_variable_{"KX_RECORDING_LOG", log_};
  std::string document_ = folder_.Write("my \"letter\".doc", "bytes");
  std::string target_ = folder_ / "ZarnTemp.TXT";
  std::vector<Shown> shown_;
  const win::ScopedMessageBoxPresenter presenter_{
      [this](win::HWND owner, const std::string& text, const std::string& caption, win::UINT type) {
        EXPECT_EQ(owner, nullptr);
        shown_.push_back({text, caption, type});
        return win::IDOK;
      }};
};

constexpr win::UINT kErrorBox = win::MB_OK | win::MB_ICONERROR | win::MB_SETFOREGROUND;

TEST_F(OfficeConversion, WordIsAskedToOpenTheDocumentReadOnlyAndSaveItAsPlainText) {
  folder_.Write("ZarnTemp.TXT", "text of an earlier document");
  EXPECT_TRUE(ConvertWordDocument(document_, target_));
  EXPECT_EQ(Calls(), (std::vector<std::string>{
                         "created Word",
                         "2 Documents()",
                         "1 Open(BSTR:" + document_ + ", I4:0, I4:1, I4:0, BSTR:, BSTR:, I4:0, BSTR:)",
                         "2 ActiveDocument()",
                         "1 SaveAs(BSTR:" + target_ + ", I4:2, I4:0, BSTR:, I4:0) no-target",
                         "1 Quit()",
                     }));
  EXPECT_TRUE(shown_.empty());
}

TEST_F(OfficeConversion, ExcelDeletesTheTargetBeforeSavingTabDelimitedTextAndMarksTheWorkbookSaved) {
  folder_.Write("ZarnTemp.TXT", "text of an earlier workbook");
  EXPECT_TRUE(ConvertExcelWorkbook(document_, target_));
  EXPECT_EQ(Calls(), (std::vector<std::string>{
                         "created Excel",
                         "2 workbooks()",
                         "1 Open(BSTR:" + document_ + ", I4:0, I4:1)",
                         "2 ActiveWorkbook()",
                         "1 SaveAs(BSTR:" + target_ + ", I4:-4158, I4:0) no-target",
                         "2 activeworkbook()",
                         "4 saved(I4:1) named",
                         "1 quit()",
                     }));
}

TEST_F(OfficeConversion, AFailingMemberIsShownAndTheSequenceGoesOnButTheConversionFails) {
  kx::test::ScopedEnv fail("KX_RECORDING_FAIL", "Open");
  EXPECT_FALSE(ConvertWordDocument(document_, target_));
  EXPECT_EQ(Calls().size(), 6u);  // every step still runs, Quit last
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0],
            (Shown{"IDispatch::Invoke(\"Open\"=00000001) failed w/err 0x80020009", "AutoWrap()", kErrorBox}));
}

TEST_F(OfficeConversion, AnUnknownMemberAndTheStepsNeedingItsObjectEachShowAMessage) {
  kx::test::ScopedEnv unknown("KX_RECORDING_UNKNOWN", "workbooks");
  EXPECT_FALSE(ConvertExcelWorkbook(document_, target_));
  ASSERT_GE(shown_.size(), 2u);
  EXPECT_EQ(shown_[0].text, "IDispatch::GetIDsOfNames(\"workbooks\") failed w/err 0x80020006");
  EXPECT_EQ(shown_[0].caption, "AutoWrap()");
  EXPECT_EQ(shown_[1], (Shown{"NULL IDispatch passed to AutoWrap()", "Error", kErrorBox}));
  EXPECT_EQ(Calls().back(), "1 quit()");
}

TEST_F(OfficeConversion, WithoutTheApplicationsNothingIsShownAndTheConversionFails) {
  kx::test::ScopedEnv no_manifest("KESTRIX_CLASSES", folder_ / "none.classes");
  EXPECT_FALSE(ConvertWordDocument(document_, target_));
  EXPECT_FALSE(ConvertExcelWorkbook(document_, target_));
  EXPECT_TRUE(Calls().empty());
  EXPECT_TRUE(shown_.empty());
}

// A target that names the document itself, by its own path or through a link, would be the document
// overwritten by its text: the conversion refuses it before any application starts, and the document
// stays as it was.
TEST_F(OfficeConversion, ATargetThatIsTheDocumentItselfIsRefusedAndTheDocumentKept) {
  const std::string symbolic = folder_ / "symbolic.txt", hard = folder_ / "hard.txt";
  ASSERT_EQ(symlink(document_.c_str(), symbolic.c_str()), 0);
  ASSERT_EQ(link(document_.c_str(), hard.c_str()), 0);
  const std::function<bool(const std::string&, const std::string&)> conversions[] = {ConvertWordDocument,
                                                                                     ConvertExcelWorkbook};
  for (const auto& convert : conversions) {
    for (const std::string& target : {document_, symbolic, hard}) {
      SCOPED_TRACE(target);
      EXPECT_FALSE(convert(document_, target));
      EXPECT_EQ(kx::test::ReadFile(document_), "bytes");
    }
  }
  EXPECT_TRUE(Calls().empty());
  EXPECT_TRUE(shown_.empty());
}

}  // namespace
}  // namespace zarn
