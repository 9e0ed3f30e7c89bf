// "Excel.Application" driven by member name as the search control drives it: the first sheet saved as
// tab-delimited text, unreadable workbooks refused at Open, only the text formats saved.
#include <gtest/gtest.h>

#include "platform/ole/dispatch_driver.h"
#include "tests/platform/office/office_test_support.h"

namespace office_test {
namespace {

using ole::DISP_E_EXCEPTION;
using ole::S_OK;

// The first sheet of budget.xls as tab-delimited text.
constexpr const char* kBudgetText =
    "Item\tQuarter 1\tQuarter 2\tNote\n"
    "Paper\t120\t135\tfor the printer\n"
    "Toner\t80\t95.5\tZarnquux cartridges\n"
    "Caf\xC3\xA9, Z\xC3\xBCrich\t45\t50\tsay \"thanks\"\n";

class ExcelServer : public RegisteredServers {
 protected:
  void SetUp() override {
    RegisteredServers::SetUp();
    excel_ = CreateApplication("Excel.Application");
    ASSERT_TRUE(excel_);
  }

  Outcome Open(const std::string& path) {
    Arguments arguments;
    arguments.Text(path).Long(0).Long(1);
    return Call(Get(excel_, "Workbooks").Object(), "Open", arguments);
  }

  ole::ComPtr<ole::IDispatch> excel_;
};

// workbooks, Open (3 arguments), ActiveWorkbook, SaveAs (3 arguments), activeworkbook, saved = 1, quit, as
// the control calls them.
std::string ConvertLikeTheControl(ole::DispatchDriver& excel, const std::string& workbook,
                                  const std::string& text, bool* saved) {
  ole::Variant workbooks, opened, active, again;
  EXPECT_EQ(excel.Get("workbooks", *workbooks.get()), S_OK);
  ole::DispatchDriver collection{ObjectOf(workbooks)};
  Arguments open;
  open.Text(workbook).Long(0).Long(1);
  EXPECT_EQ(collection.Call("Open", open.values(), opened.get()), S_OK);
  EXPECT_EQ(excel.Get("ActiveWorkbook", *active.get()), S_OK);
  ole::DispatchDriver active_workbook{ObjectOf(active)};
  Arguments save;
  save.Text(text).Long(-4158).Long(0);
  EXPECT_EQ(active_workbook.Call("SaveAs", save.values()), S_OK);
  EXPECT_EQ(excel.Get("activeworkbook", *again.get()), S_OK);
  ole::DispatchDriver still_active{ObjectOf(again)};
  EXPECT_EQ(still_active.PutLong("saved", 1), S_OK);
  *saved = still_active.GetBool("Saved");
  EXPECT_EQ(excel.Call("quit"), S_OK);
  return kx::test::ReadFile(text).value_or("(no file)");
}

TEST_F(ExcelServer, SavesTheFirstSheetAsTabDelimitedText) {
  ole::DispatchDriver excel{excel_};
  bool saved = false;
  const std::string text = ConvertLikeTheControl(excel, TestData("budget.xls"),
                                                 folder_.Write("budget.txt", std::string(900, 'x')), &saved);
  EXPECT_EQ(text, kBudgetText);  // the second sheet ("Quibblewort") left out
  EXPECT_TRUE(saved);
  EXPECT_EQ(Get(excel_, "ActiveWorkbook").hr, DISP_E_EXCEPTION);  // Quit closed it
}

TEST_F(ExcelServer, NamesWithBlanksAndQuotesWork) {
  ole::DispatchDriver excel{excel_};
  bool saved = false;
  const std::string workbook = CopyTestData("budget.xls", "the \"budget\" of 'this' year.xls");
  EXPECT_EQ(ConvertLikeTheControl(excel, workbook, folder_ / "a \"b\" c.txt", &saved), kBudgetText);
}

TEST_F(ExcelServer, SavesOnlyTheTextFormats) {
  const ole::ComPtr<ole::IDispatch> workbook = Open(TestData("budget.xls")).Object();
  ASSERT_TRUE(workbook);
  Arguments text, workbook_format, no_format;
  text.Text(folder_ / "text.txt").Long(20);
  workbook_format.Text(folder_ / "copy.xls").Long(56).Long(0);
  no_format.Text(folder_ / "plain.xls");
  EXPECT_EQ(Call(workbook, "SaveAs", text).hr, S_OK);
  EXPECT_EQ(kx::test::ReadFile(folder_ / "text.txt"), kBudgetText);
  const Outcome other = Call(workbook, "SaveAs", workbook_format);
  EXPECT_EQ(other.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(other.scode, ole::E_FAIL);
  EXPECT_NE(other.description.find("format 56"), std::string::npos) << other.description;
  EXPECT_EQ(Call(workbook, "SaveAs", no_format).hr, DISP_E_EXCEPTION);
  EXPECT_FALSE(kx::test::ReadFile(folder_ / "copy.xls"));
}

TEST_F(ExcelServer, ActiveWorkbookRaisesUntilOneOpens) {
  const Outcome none = Get(excel_, "ActiveWorkbook");
  EXPECT_EQ(none.hr, DISP_E_EXCEPTION);
  EXPECT_NE(none.description.find("no workbook is open"), std::string::npos);
  ASSERT_EQ(Open(TestData("budget.xls")).hr, S_OK);
  EXPECT_EQ(Get(excel_, "ActiveWorkbook").hr, S_OK);
}

TEST_F(ExcelServer, WorkbooksTheConverterCannotReadMakeOpenRaise) {
  const std::string damaged = CopyTestData("damaged.doc", "damaged.xls");  // a broken compound file
  const std::string document = CopyTestData("letter.doc", "letter.xls");   // a compound file, no workbook
  for (const std::string& path : {damaged, document, folder_ / "missing.xls"}) {
    SCOPED_TRACE(path);
    const Outcome opened = Open(path);
    EXPECT_EQ(opened.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(opened.description.rfind("The file could not be opened: " + path + " (", 0), 0u)
        << opened.description;
  }
  EXPECT_EQ(Get(excel_, "ActiveWorkbook").hr, DISP_E_EXCEPTION);
}

TEST_F(ExcelServer, ApplicationSwitchesKeepWhatTheyAreGiven) {
  ole::DispatchDriver excel{excel_};
  EXPECT_TRUE(excel.GetBool("DisplayAlerts"));
  EXPECT_EQ(excel.PutBool("DisplayAlerts", false), S_OK);
  EXPECT_EQ(excel.PutBool("visible", true), S_OK);
  EXPECT_FALSE(excel.GetBool("DisplayAlerts"));
  EXPECT_TRUE(excel.GetBool("Visible"));
  EXPECT_EQ(excel.PutText("Visible", "perhaps"), ole::DISP_E_TYPEMISMATCH);
}

}  // namespace
}  // namespace office_test
