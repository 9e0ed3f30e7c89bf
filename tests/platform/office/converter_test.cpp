// The servers with their converters replaced by scripts: the argument vector a converter gets, and what
// Open reports when a converter hangs, fails or cannot be started.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "tests/platform/office/office_test_support.h"

namespace office_test {
namespace {

using kx::test::ScopedEnv;

// Prints each argument it gets between brackets, one to a line.
constexpr const char* kPrintArguments = "for argument in \"$@\"; do printf '[%s]\\n' \"$argument\"; done";

class ReplacedConverters : public RegisteredServers {
 protected:
  // Opens `path` in the application and saves it as text; the text, or the outcome that failed.
  Outcome OpenIn(const char* prog_id, const std::string& path) {
    const ole::ComPtr<ole::IDispatch> application = CreateApplication(prog_id);
    Arguments open;
    open.Text(path).Long(0).Long(1);
    const char* collection = prog_id == std::string("Word.Application") ? "Documents" : "Workbooks";
    return Call(Get(application, collection).Object(), "Open", open);
  }

  std::string SavedText(const char* prog_id, const std::string& path) {
    const Outcome opened = OpenIn(prog_id, path);
    EXPECT_EQ(opened.hr, ole::S_OK) << opened.description;
    Arguments save;
    save.Text(folder_ / "saved.txt").Long(prog_id == std::string("Word.Application") ? 2 : -4158);
    EXPECT_EQ(Call(opened.Object(), "SaveAs", save).hr, ole::S_OK);
    return kx::test::ReadFile(folder_ / "saved.txt").value_or("(no file)");
  }
};

TEST_F(ReplacedConverters, ConvertersGetTheirOptionsAndThenTheFileAsSeparateArguments) {
  const std::string script = WriteScript("print-arguments", kPrintArguments);
  ScopedEnv doc_converter("KESTRIX_DOC_CONVERTER", script), xls_converter("KESTRIX_XLS_CONVERTER", script);
  const std::string document = CopyTestData("letter.doc", "a \"letter\" it's.doc");
  const std::string workbook = CopyTestData("budget.xls", "a budget;.xls");
  EXPECT_EQ(SavedText("Word.Application", document), "[-w]\n[-d]\n[utf-8]\n[" + document + "]\n");
  EXPECT_EQ(SavedText("Excel.Application", workbook),
            "[-q]\n[0]\n[-c]\n[\t]\n[-d]\n[utf-8]\n[" + workbook + "]\n");
}

TEST_F(ReplacedConverters, AFileNamedLikeAnOptionIsPassedAsAPath) {
  const std::string script = WriteScript("print-arguments", kPrintArguments);
  ScopedEnv doc_converter("KESTRIX_DOC_CONVERTER", script);
  CopyTestData("letter.doc", "-h.doc");
  const std::string previous = std::filesystem::current_path();
  ASSERT_EQ(chdir(folder_.path().c_str()), 0);
  const std::string text = SavedText("Word.Application", "-h.doc");
  ASSERT_EQ(chdir(previous.c_str()), 0);
  EXPECT_EQ(Lines(text).back(), "[./-h.doc]");
}

TEST_F(ReplacedConverters, AConverterStillRunningAtTheLimitIsKilledAndOpenRaises) {
  ScopedEnv doc_converter("KESTRIX_DOC_CONVERTER", WriteScript("hang", "sleep 30"));
  ScopedEnv time_limit("KESTRIX_OFFICE_TIMEOUT_MS", "300");
  const auto start = std::chrono::steady_clock::now();
  const Outcome opened = OpenIn("Word.Application", TestData("letter.doc"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(opened.hr, ole::DISP_E_EXCEPTION);
  EXPECT_NE(opened.description.find("did not finish within 300 ms"), std::string::npos) << opened.description;
  EXPECT_TRUE(NoChildLeft());
}

TEST_F(ReplacedConverters, FailingConvertersMakeOpenRaiseWithTheirComplaint) {
  ScopedEnv doc_converter("KESTRIX_DOC_CONVERTER", WriteScript("fail", "echo 'cannot parse it' >&2\nexit 3"));
  // A converter that only complains, with exit status 0, as xls2csv does.
  ScopedEnv xls_converter("KESTRIX_XLS_CONVERTER", WriteScript("complain", "echo 'not OLE file' >&2"));
  const Outcome document = OpenIn("Word.Application", TestData("letter.doc"));
  EXPECT_EQ(document.hr, ole::DISP_E_EXCEPTION);
  EXPECT_NE(document.description.find("exit status 3: cannot parse it)"), std::string::npos)
      << document.description;
  const Outcome workbook = OpenIn("Excel.Application", TestData("budget.xls"));
  EXPECT_EQ(workbook.hr, ole::DISP_E_EXCEPTION);
  EXPECT_NE(workbook.description.find("could not read it: not OLE file)"), std::string::npos)
      << workbook.description;
}

TEST_F(ReplacedConverters, AConverterThatCannotStartMakesOpenRaise) {
  ScopedEnv doc_converter("KESTRIX_DOC_CONVERTER", folder_ / "no-such-converter");
  const Outcome opened = OpenIn("Word.Application", TestData("letter.doc"));
  EXPECT_EQ(opened.hr, ole::DISP_E_EXCEPTION);
  EXPECT_NE(opened.description.find("could not be started"), std::string::npos) << opened.description;
}

}  // namespace
}  // namespace office_test
