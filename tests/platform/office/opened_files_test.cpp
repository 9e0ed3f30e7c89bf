// What "Word.Application" and "Excel.Application" open besides their own compound files, as the real
// applications do: plain text (and so CSV) is its own text in both, rich text is converted to text by
// Word, an empty file is an empty document or workbook; bytes that are no text, and a compound file of
// the other application's kind, are refused at Open. A save never writes over the file that was opened.
#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>

#include "tests/platform/office/office_test_support.h"

namespace office_test {
namespace {

constexpr const char* kWord = "Word.Application";
constexpr const char* kExcel = "Excel.Application";

class OpenedFiles : public RegisteredServers {
 protected:
  Outcome Open(const char* prog_id, const std::string& path) {
    const bool word = prog_id == std::string(kWord);
    Arguments open;
    if (word) open.Text(path).Long(0).Long(1).Long(0).Text("").Text("").Long(0).Text("");
    if (!word) open.Text(path).Long(0).Long(1);
    return Call(Get(CreateApplication(prog_id), word ? "Documents" : "Workbooks").Object(), "Open", open);
  }
  Outcome Save(const char* prog_id, const Outcome& opened, const std::string& target) {
    Arguments save;
    save.Text(target).Long(prog_id == std::string(kWord) ? 2 : -4158);
    return Call(opened.Object(), "SaveAs", save);
  }
  // The text the application saves of the file; nullopt when Open refuses it.
  std::optional<std::string> TextOf(const char* prog_id, const std::string& path) {
    const Outcome opened = Open(prog_id, path);
    if (opened.hr != ole::S_OK) return std::nullopt;
    const std::string target = folder_ / "saved.txt";
    EXPECT_EQ(Save(prog_id, opened, target).hr, ole::S_OK);
    return kx::test::ReadFile(target).value_or("(no file)");
  }
};

TEST_F(OpenedFiles, EachApplicationOpensWhatItsRealCounterpartOpens) {
  const std::string text = "deps.o: deps.c \\\n  deps.h\r\nZarnquux\tcaf\xE9\x1B[0m\f\n";
  const std::string rich_text =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}\n{\\pard Zarnquux in rich text\\par}\n}\n";
  const std::string csv = "name,count\n\"Zarnquux, the\",3\n";
  const std::string letter_text = TextOf(kWord, TestData("letter.doc")).value_or("");
  const std::string budget_text = TextOf(kExcel, TestData("budget.xls")).value_or("");
  ASSERT_NE(letter_text.find("Zarnquux"), std::string::npos);
  ASSERT_NE(budget_text.find("Zarnquux"), std::string::npos);
  struct Case {
    const char* name;
    std::string bytes;
    std::optional<std::string> word, excel;  // the saved text; nullopt: Open refuses the file
  };
  const Case cases[] = {
      {"deps.d", text, text, text},
      {"rich.do", rich_text, "Zarnquux in rich text\n", rich_text},
      {"table.xl", csv, csv, csv},
      {"empty.", "", "", ""},
      {"program.d", std::string("\x7F\x45LF\x02\x01\x01", 7) + std::string(9, '\0') + "Zarnquux", {}, {}},
      {"controls.d", "Zarnquux\x01\x02\n", {}, {}},
      {"letter.xls", kx::test::ReadFile(TestData("letter.doc")).value(), letter_text, {}},
      {"budget.doc", kx::test::ReadFile(TestData("budget.xls")).value(), {}, budget_text},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const std::string path = folder_.Write(test.name, test.bytes);
    EXPECT_EQ(TextOf(kWord, path), test.word);
    EXPECT_EQ(TextOf(kExcel, path), test.excel);
  }
}

TEST_F(OpenedFiles, ATextFileOfManyBlocksIsSavedWhole) {
  std::string text;
  for (int line = 0; text.size() < (600 << 10); ++line) text += "line " + std::to_string(line) + "\n";
  const std::string path = folder_.Write("long.x", text);
  for (const char* prog_id : {kWord, kExcel}) {
    const std::optional<std::string> saved = TextOf(prog_id, path);
    EXPECT_TRUE(saved == text) << prog_id << ": " << (saved ? saved->size() : 0) << " bytes";
  }
}

TEST_F(OpenedFiles, SaveAsRefusesTheFileThatWasOpenedAndLeavesItAsItWas) {
  const std::string text = folder_.Write("notes.d", "Zarnquux\n");
  const std::string document = CopyTestData("letter.doc", "letter.doc");
  const std::string workbook = CopyTestData("budget.xls", "budget.xls");
  const struct {
    const char* prog_id;
    std::string path;
  } cases[] = {{kWord, text}, {kWord, document}, {kExcel, text}, {kExcel, workbook}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.path);
    const std::string bytes = kx::test::ReadFile(test.path).value();
    const std::string linked = folder_ / "linked.txt";
    ASSERT_EQ(symlink(test.path.c_str(), linked.c_str()), 0);
    const Outcome opened = Open(test.prog_id, test.path);
    ASSERT_EQ(opened.hr, ole::S_OK);
    for (const std::string& target : {test.path, linked}) {
      const Outcome saved = Save(test.prog_id, opened, target);
      EXPECT_EQ(saved.hr, ole::DISP_E_EXCEPTION);
      EXPECT_EQ(saved.description.rfind("The file could not be saved: " + target + " (", 0), 0u)
          << saved.description;
      EXPECT_TRUE(kx::test::ReadFile(test.path) == bytes);
    }
    unlink(linked.c_str());
  }
}

}  // namespace
}  // namespace office_test
