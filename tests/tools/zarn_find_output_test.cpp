// zarn-find's output forms as a terminal user and a script rely on them: colours where asked, the files
// with findings, counts per file, the closing figures, JSON Lines that carry every byte of a path, and a
// manual page that names the options --help names.
#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/tools/zarn_find_run.h"

namespace {

using kx::test::Outcome;
using kx::test::ZarnFind;

class ZarnFindOutput : public ::testing::Test {
 protected:
  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_ / "config"};
};

// The summary's time differs from run to run.
std::string WithoutSeconds(const std::string& json) {
  return std::regex_replace(json, std::regex(R"("seconds":[0-9]+\.[0-9]{3},)"), R"("seconds":S,)");
}

std::string FromBase64(std::string_view text) {
  static constexpr std::string_view kDigits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  unsigned group = 0;
  int bits = 0;
  for (const char c : text) {
    if (c == '=') break;
    group = group << 6 | static_cast<unsigned>(kDigits.find(c));
    if ((bits += 6) >= 8) bytes += static_cast<char>(group >> (bits -= 8) & 0xFF);
  }
  return bytes;
}

// The bytes of a field written as {"bytes":"..."} in a JSON line, or nullopt.
std::optional<std::string> BytesField(const std::string& json, const std::string& name) {
  const std::regex field("\"" + name + R"re(":\{"bytes":"([A-Za-z0-9+/=]*)"\})re");
  std::smatch match;
  if (!std::regex_search(json, match, field)) return std::nullopt;
  return FromBase64(match[1].str());
}

TEST_F(ZarnFindOutput, ColoursOnlyWhereAsked) {
  folder_.Write("a.txt", "the Cat\xc3\xa9 sat\n");  // the match ends in a character of two bytes
  const std::string path = folder_ / "a.txt";
  const std::string fields = "\x1b[35m" + path + "\x1b[0m\x1b[36m:\x1b[0m\x1b[32m1\x1b[0m\x1b[36m:\x1b[0m" +
                             "\x1b[32m5\x1b[0m\x1b[36m:\x1b[0m";
  const std::string colored =
      fields + "\x1b[1;31mCat\xc3\xa9\x1b[0m sat\n";                 // the file's bytes, not STRING's
  const std::string colored_pattern = fields + "Cat\xc3\xa9 sat\n";  // a pattern's length is not known
  const std::string plain = path + ":1:5:Cat\xc3\xa9 sat\n";
  const struct {
    std::vector<std::string> options;
    bool terminal;
    std::optional<std::string> no_color;
    std::string out;
  } kCases[] = {
      {{"--color=always"}, false, std::nullopt, colored},
      {{"--color"}, false, std::nullopt, colored},
      {{"--color=always"}, false, "1", colored},
      {{"-x", "--color=always"}, false, std::nullopt, colored_pattern},
      {{}, false, std::nullopt, plain},
      {{}, true, std::nullopt, colored},
      {{"--color=auto"}, true, "", colored},
      {{"--color=auto"}, true, "1", plain},
      {{"--color=never"}, true, std::nullopt, plain},
  };
  for (const auto& run_case : kCases) {
    kx::test::ScopedEnv no_color("NO_COLOR", run_case.no_color);
    std::vector<std::string> arguments = run_case.options;
    arguments.insert(arguments.end(), {folder_.path(), "*.txt", "cat\xc3\xa9"});
    const Outcome run = run_case.terminal ? kx::test::ZarnFindOnTerminal(arguments) : ZarnFind(arguments);
    const std::string label = ::testing::PrintToString(run_case.options) +
                              (run_case.terminal ? " terminal" : "") +
                              " NO_COLOR=" + run_case.no_color.value_or("(unset)");
    EXPECT_EQ(run.status, 0) << label;
    EXPECT_EQ(run.out, run_case.out) << label;
  }
}

TEST_F(ZarnFindOutput, ListsTheFilesWithFindingsOrTheirCountsInTheOrderFound) {
  folder_.Write("a.txt", "cat\ncat\n");
  folder_.Write("none.txt", "dog\n");
  folder_.Write("sub/b.txt", "cat\n");
  const std::string files = folder_ / "a.txt\n" + folder_ / "sub/b.txt\n";
  const struct {
    const char* option;
    std::string out;
  } kCases[] = {
      {"-l", files},
      {"--files-with-matches", files},
      {"--count", folder_ / "a.txt:2\n" + folder_ / "sub/b.txt:1\n"},
  };
  for (const auto& run_case : kCases) {
    const Outcome run = ZarnFind({run_case.option, "-s", folder_.path(), "*.txt", "cat"});
    EXPECT_EQ(run.status, 0) << run_case.option;
    EXPECT_EQ(run.out, run_case.out) << run_case.option;
  }
}

TEST_F(ZarnFindOutput, StatsCloseStandardError) {
  folder_.Write("a.txt", "cat\ncat\n");
  folder_.Write("sub/b.txt", std::string(3000, 'x') + "\ncat\n");
  const Outcome run = ZarnFind({"--stats", "-s", folder_.path(), "*.txt", "cat"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(std::regex_match(
      run.err, std::regex("zarn-find: error 505: [^\n]*\nzarn-find: findings: 3, files with findings: 2, "
                          "errors: 1, seconds: [0-9]+\\.[0-9]{3}\n")))
      << run.err;
}

TEST_F(ZarnFindOutput, JsonLinesHoldFindingsErrorsAndASummaryAndNothingElse) {
  folder_.Write("a.txt", "say \"hi\"\t\x01\\ \xc3\xa9\n");
  folder_.Write("sub/b.txt", std::string(3000, 'x') + "\n");
  const Outcome run = ZarnFind({"--json", "--color=always", "-s", folder_.path(), "*.txt", "say"});
  EXPECT_EQ(run.status, 0);
  const std::string finding = R"j({"type":"finding","path":")j" + folder_ / "a.txt" +
                              R"j(","line":1,"column":1,"text":"say \"hi\"\t\u0001\\ )j" + "\xc3\xa9\"}\n";
  const std::string error =
      R"j({"type":"error","code":505,"message":"Binary File Encountered (Line Exceeded 2048 characters)",)j"
      R"j("path":")j" +
      folder_ / "sub/b.txt" + "\"}\n";
  EXPECT_EQ(WithoutSeconds(run.out),
            finding + error +
                R"j({"type":"summary","findings":1,"files":1,"errors":1,"seconds":S,"status":0})j" + "\n");
  EXPECT_EQ(run.err, "");

  const Outcome missing = ZarnFind({"--json", folder_ / "missing", "*.txt", "say"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(WithoutSeconds(missing.out),
            R"j({"type":"error","code":508,"message":"Invalid Search Folder/Path:","path":")j" +
                folder_ / "missing/" + "\"}\n" +
                R"j({"type":"summary","findings":0,"files":0,"errors":1,"seconds":S,"status":2})j" + "\n");
}

TEST_F(ZarnFindOutput, JsonCarriesBytesThatAreNotUtf8) {
  const std::string name = "caf\xe9-\xff.txt";  // Latin-1, not UTF-8
  folder_.Write(name, "hit \xff\xfe\n");
  const Outcome run = ZarnFind({"--json", folder_.path(), "*.txt", "hit"});
  EXPECT_EQ(run.status, 0);
  const std::string finding = run.out.substr(0, run.out.find('\n'));
  EXPECT_EQ(BytesField(finding, "path"), folder_ / name) << finding;
  EXPECT_EQ(BytesField(finding, "text"), "hit \xff\xfe") << finding;
}

// Every long option, as --help and the manual page name them.
std::set<std::string> LongOptions(const std::string& text) {
  std::set<std::string> options;
  const std::regex option("--[a-z][a-z-]*");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
    options.insert(it->str());
  return options;
}

TEST_F(ZarnFindOutput, TheManualPageNamesTheOptionsHelpNames) {
  const std::optional<std::string> manual = kx::test::ReadFile(ZARN_FIND_MANUAL);
  ASSERT_TRUE(manual);
  const std::string typed = std::regex_replace(*manual, std::regex(R"(\\-)"), "-");  // roff writes - as \-
  const std::set<std::string> in_help = LongOptions(ZarnFind({"--help"}).out);
  EXPECT_GE(in_help.size(), 14u);  // the help was read
  EXPECT_EQ(LongOptions(typed), in_help);
}

}  // namespace
