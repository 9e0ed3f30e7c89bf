// "Word.Application" driven by member name as the search control drives it: the document's text saved as
// plain text, documents the converter cannot read refused at Open, and calls checked like the runtime.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/ole/dispatch_driver.h"
#include "tests/platform/office/office_test_support.h"

namespace office_test {
namespace {

using ole::DISP_E_EXCEPTION;
using ole::S_OK;

class WordServer : public RegisteredServers {
 protected:
  void SetUp() override {
    RegisteredServers::SetUp();
    word_ = CreateApplication("Word.Application");
    ASSERT_TRUE(word_);
  }

  // Documents.Open with the arguments the control sends.
  Outcome Open(const std::string& path) {
    Arguments arguments;
    arguments.Text(path).Long(0).Long(1).Long(0).Text("").Text("").Long(0).Text("");
    return Call(Get(word_, "Documents").Object(), "Open", arguments);
  }

  ole::ComPtr<ole::IDispatch> word_;
};

// Documents, Open (8 arguments), ActiveDocument, SaveAs (5 arguments), Quit, as the control calls them.
std::string ConvertLikeTheControl(ole::DispatchDriver& word, const std::string& document,
                                  const std::string& text) {
  ole::Variant documents, opened, active;
  EXPECT_EQ(word.Get("Documents", *documents.get()), S_OK);
  ole::DispatchDriver collection{ObjectOf(documents)};
  Arguments open;
  open.Text(document).Long(0).Long(1).Long(0).Text("").Text("").Long(0).Text("");
  EXPECT_EQ(collection.Call("Open", open.values(), opened.get()), S_OK);
  EXPECT_EQ(word.Get("ActiveDocument", *active.get()), S_OK);
  ole::DispatchDriver active_document{ObjectOf(active)};
  Arguments save;
  save.Text(text).Long(2).Long(0).Text("").Long(0);
  EXPECT_EQ(active_document.Call("SaveAs", save.values()), S_OK);
  EXPECT_EQ(word.Call("Quit"), S_OK);
  return kx::test::ReadFile(text).value_or("(no file)");
}

TEST_F(WordServer, SavesTheDocumentAsTextLineByParagraph) {
  ole::DispatchDriver word{word_};
  const std::string text_file = folder_.Write("letter.txt", std::string(5000, 'x'));  // overwritten
  const std::vector<std::string> lines =
      Lines(ConvertLikeTheControl(word, TestData("letter.doc"), text_file));
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "Kestrix Test Letter");
  EXPECT_EQ(lines[3], "The fourth line names the word Zarnquux so that a search can find it.");
  EXPECT_GT(lines[4].size(), 150u);  // a long paragraph is not wrapped
  EXPECT_EQ(lines[5], "Greetings from Caf\xC3\xA9 Z\xC3\xBCrich.");
  EXPECT_EQ(lines[7], "The Kestrix team");
}

TEST_F(WordServer, NamesWithBlanksAndQuotesReachTheConverterAsTheyAre) {
  ole::DispatchDriver word{word_};
  const std::string document = CopyTestData("letter.doc", "my \"quoted\" letter's $(touch owned).doc");
  const std::string text = ConvertLikeTheControl(word, document, folder_ / "the \"text\" 'copy'.txt");
  EXPECT_NE(text.find("Zarnquux"), std::string::npos);
  EXPECT_FALSE(kx::test::ReadFile(folder_ / "owned"));
}

TEST_F(WordServer, OpenTakesItsOptionalArgumentsLeftOutAndNamesInAnyCase) {
  Arguments file_only;
  file_only.Text(TestData("letter.doc"));
  const Outcome opened = Call(Get(word_, "documents").Object(), "OPEN", file_only);
  ASSERT_EQ(opened.hr, S_OK);
  Arguments save;
  save.Text(folder_ / "out.txt").Long(2).LeftOut();
  EXPECT_EQ(Call(opened.Object(), "saveas", save).hr, S_OK);
  EXPECT_NE(kx::test::ReadFile(folder_ / "out.txt").value_or("").find("Zarnquux"), std::string::npos);
}

TEST_F(WordServer, ActiveDocumentRaisesWhenNoneIsOpen) {
  Outcome active = Get(word_, "ActiveDocument");
  EXPECT_EQ(active.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(active.scode, ole::E_FAIL);
  EXPECT_NE(active.description.find("no document is open"), std::string::npos);

  ASSERT_EQ(Open(TestData("letter.doc")).hr, S_OK);
  EXPECT_EQ(Get(word_, "ActiveDocument").hr, S_OK);
  Arguments none;
  ASSERT_EQ(Call(word_, "Quit", none).hr, S_OK);
  EXPECT_EQ(Get(word_, "ActiveDocument").hr, DISP_E_EXCEPTION);
}

TEST_F(WordServer, DocumentsTheConverterCannotReadMakeOpenRaise) {
  const std::string damaged = TestData("damaged.doc");
  const std::string binary = folder_.Write("program.doc", std::string("\x7F\x45LF\x02\x01\0\0", 8));
  const std::string workbook = CopyTestData("budget.xls", "budget.doc");
  const std::string missing = folder_ / "missing.doc";
  const std::string fifo = folder_ / "pipe.doc";  // must not wait for a writer
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {damaged, binary, workbook, missing, fifo}) {
    SCOPED_TRACE(path);
    const Outcome opened = Open(path);
    EXPECT_EQ(opened.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(opened.scode, ole::E_FAIL);
    EXPECT_EQ(opened.description.rfind("The file could not be opened: " + path + " (", 0), 0u)
        << opened.description;
    EXPECT_EQ(Get(word_, "ActiveDocument").hr, DISP_E_EXCEPTION);  // nothing was opened
  }
}

TEST_F(WordServer, SaveAsRaisesForOtherFormatsAndUnwritableFiles) {
  const ole::ComPtr<ole::IDispatch> document = Open(TestData("letter.doc")).Object();
  ASSERT_TRUE(document);
  Arguments word_format, no_format, unwritable;
  word_format.Text(folder_ / "a.doc").Long(0).Long(0).Text("").Long(0);
  no_format.Text(folder_ / "b.doc");
  unwritable.Text(folder_ / "missing/c.txt").Long(2);
  const Outcome other = Call(document, "SaveAs", word_format);
  EXPECT_EQ(other.hr, DISP_E_EXCEPTION);
  EXPECT_NE(other.description.find("format 0"), std::string::npos) << other.description;
  EXPECT_EQ(Call(document, "SaveAs", no_format).hr, DISP_E_EXCEPTION);
  const Outcome unwritten = Call(document, "SaveAs", unwritable);
  EXPECT_EQ(unwritten.hr, DISP_E_EXCEPTION);
  EXPECT_NE(unwritten.description.find("could not be saved: " + folder_ / "missing/c.txt"),
            std::string::npos);
  EXPECT_FALSE(kx::test::ReadFile(folder_ / "a.doc"));
}

TEST_F(WordServer, CallsAreCheckedLikeTheRuntimeChecksThem) {
  const ole::ComPtr<ole::IDispatch> documents = Get(word_, "Documents").Object();
  EXPECT_EQ(Get(word_, "Selection").hr, ole::DISP_E_UNKNOWNNAME);
  EXPECT_EQ(word_->Invoke(77, ole::GUID_NULL, 0, ole::DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
            ole::DISP_E_MEMBERNOTFOUND);

  Arguments none, nine, file_left_out, bad_read_only;
  nine.Text(TestData("letter.doc")).Long(0).Long(1).Long(0).Text("").Text("").Long(0).Text("").Long(0);
  file_left_out.LeftOut().Long(0);
  bad_read_only.Text(TestData("letter.doc")).Long(0).Text("maybe");
  EXPECT_EQ(Call(documents, "Open", none).hr, ole::DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(documents, "Open", nine).hr, ole::DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(documents, "Open", file_left_out).hr, ole::DISP_E_PARAMNOTOPTIONAL);
  const Outcome mismatch = Call(documents, "Open", bad_read_only);
  EXPECT_EQ(mismatch.hr, ole::DISP_E_TYPEMISMATCH);
  EXPECT_EQ(mismatch.argument_error, 0u);  // ReadOnly, the last of the three given
  EXPECT_EQ(Get(word_, "ActiveDocument").hr, DISP_E_EXCEPTION);

  Arguments visible;
  visible.Long(1);
  EXPECT_EQ(Invoke(word_, "Visible", ole::DISPATCH_PROPERTYPUT, &visible).hr, S_OK);
  const Outcome shown = Get(word_, "Visible");
  EXPECT_EQ(shown.result.type(), ole::VT_BOOL);
  EXPECT_EQ(shown.result.get()->boolVal, ole::VARIANT_TRUE);
  Arguments replaced;
  replaced.Long(0);
  EXPECT_EQ(Invoke(word_, "Documents", ole::DISPATCH_PROPERTYPUT, &replaced).hr, DISP_E_EXCEPTION);
}

}  // namespace
}  // namespace office_test
