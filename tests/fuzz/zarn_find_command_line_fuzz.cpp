// zarn-find's command line, for any argument vector. Properties: the parse ends in a search, help or an
// error; an error has a message, and one that names an option names it as given: a long option as its
// argument, a short one as "-" and its letter, which stands in an argument given; a search takes its three
// operands from the arguments and a priority from 0 to 4; help was asked for; the arguments are only
// reordered, never changed; and parsing again, after another parse that may have ended anywhere, gives the
// same answer. Input: the arguments after the program's name, separated by zero bytes.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_require.h"
#include "tools/zarn-find/command_line.h"

namespace {

using zarn_find::ParseResult;

constexpr std::size_t kMaxArguments = 24;

// Copies of the arguments in memory of their own (getopt reorders the vector and may keep pointers into
// it), with argv[0] the program's name and a null after the last.
class ArgumentVector {
 public:
  explicit ArgumentVector(const std::vector<std::string>& arguments) {
    Add("zarn-find");
    for (const std::string& argument : arguments) Add(argument);
    pointers_.push_back(nullptr);
  }
  int argc() const { return static_cast<int>(pointers_.size() - 1); }
  char** argv() { return pointers_.data(); }

 private:
  void Add(const std::string& text) {
    storage_.push_back(std::make_unique<char[]>(text.size() + 1));
    std::memcpy(storage_.back().get(), text.c_str(), text.size() + 1);
    pointers_.push_back(storage_.back().get());
  }
  std::vector<std::unique_ptr<char[]>> storage_;
  std::vector<char*> pointers_;
};

ParseResult Parse(const std::vector<std::string>& arguments) {
  ArgumentVector vector(arguments);
  ParseResult result = zarn_find::ParseCommandLine(vector.argc(), vector.argv());
  // Only reordered: the same arguments, each once.
  std::vector<std::string> after(vector.argv() + 1, vector.argv() + vector.argc());
  std::vector<std::string> before = arguments;
  std::sort(after.begin(), after.end());
  std::sort(before.begin(), before.end());
  KX_FUZZ_REQUIRE(after == before);
  return result;
}

bool Given(const std::vector<std::string>& arguments, const std::string& text) {
  return std::find(arguments.begin(), arguments.end(), text) != arguments.end();
}

// Whether `option` is "-" and a letter that stands in a cluster of short options given ("-cq").
bool InACluster(const std::vector<std::string>& arguments, const std::string& option) {
  if (option.size() != 2 || option[0] != '-') return false;
  for (const std::string& argument : arguments)
    if (argument.size() >= 2 && argument[0] == '-' && argument[1] != '-' &&
        argument.find(option[1], 1) != std::string::npos)
      return true;
  return false;
}

// The option an error message quotes ("unknown option 'X'", "option 'X' needs a value"), if any.
std::optional<std::string> QuotedOption(const std::string& error) {
  const bool names_option = error.rfind("unknown option '", 0) == 0 || error.rfind("option '", 0) == 0;
  if (!names_option) return std::nullopt;
  const std::size_t begin = error.find('\'') + 1;
  const std::size_t end = error.rfind('\'');
  return error.substr(begin, end - begin);
}

void CheckResult(const ParseResult& result, const std::vector<std::string>& arguments) {
  switch (result.outcome) {
    case ParseResult::Outcome::kError:
      KX_FUZZ_REQUIRE(!result.error.empty());
      if (const std::optional<std::string> option = QuotedOption(result.error))
        KX_FUZZ_REQUIRE((option->starts_with("--") && Given(arguments, *option)) ||
                        InACluster(arguments, *option));
      break;
    case ParseResult::Outcome::kSearch: {
      const zarn_find::CommandLine& line = result.command_line;
      KX_FUZZ_REQUIRE(Given(arguments, line.path) && Given(arguments, line.types) &&
                      Given(arguments, line.search_string));
      KX_FUZZ_REQUIRE(line.thread_priority >= 0 && line.thread_priority <= 4);
      break;
    }
    case ParseResult::Outcome::kHelp:
    case ParseResult::Outcome::kVersion: {
      const std::string option = result.outcome == ParseResult::Outcome::kHelp ? "--help" : "--version";
      bool asked = false;
      for (const std::string& argument : arguments)
        asked |= argument.size() >= 3 && option.rfind(argument, 0) == 0;
      KX_FUZZ_REQUIRE(asked);
      break;
    }
  }
}

bool SameResult(const ParseResult& a, const ParseResult& b) {
  const zarn_find::CommandLine& x = a.command_line;
  const zarn_find::CommandLine& y = b.command_line;
  return a.outcome == b.outcome && a.error == b.error && x.case_sensitive == y.case_sensitive &&
         x.whole_word_only == y.whole_word_only && x.look_in_subfolders == y.look_in_subfolders &&
         x.regular_expression == y.regular_expression && x.office_documents == y.office_documents &&
         x.pace == y.pace && x.thread_priority == y.thread_priority && x.tsv_file == y.tsv_file &&
         x.output == y.output && x.color == y.color && x.stats == y.stats && x.path == y.path &&
         x.types == y.types && x.search_string == y.search_string;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments;
  const char* at = reinterpret_cast<const char*>(data);
  const char* const end = at + size;
  while (at < end && arguments.size() < kMaxArguments) {
    const char* zero = static_cast<const char*>(std::memchr(at, 0, static_cast<std::size_t>(end - at)));
    if (!zero) zero = end;
    arguments.emplace_back(at, zero);
    at = zero + 1;
  }
  const ParseResult first = Parse(arguments);
  CheckResult(first, arguments);
  // Another parse first, which may stop in the middle of a cluster of options, then this one again.
  Parse({"-cw" + std::string(arguments.empty() ? "" : arguments.front()), "-q"});
  KX_FUZZ_REQUIRE(SameResult(Parse(arguments), first));
  return 0;
}
