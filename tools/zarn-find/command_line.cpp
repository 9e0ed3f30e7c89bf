#include "tools/zarn-find/command_line.h"

#include <getopt.h>

#include <charconv>
#include <cstring>
#include <string_view>

namespace zarn_find {

namespace {

enum LongOnly { kOffice = 256, kTsv, kHelp, kPace, kColor, kCount, kJson, kStats, kVersion };

// clang-format off
constexpr option kLongOptions[] = {
    {"case-sensitive", no_argument, nullptr, 'c'},
    {"whole-word", no_argument, nullptr, 'w'},
    {"subfolders", no_argument, nullptr, 's'},
    {"regex", no_argument, nullptr, 'x'},
    {"priority", required_argument, nullptr, 'p'},
    {"office", no_argument, nullptr, kOffice},
    {"tsv", required_argument, nullptr, kTsv},
    {"pace", no_argument, nullptr, kPace},
    {"color", optional_argument, nullptr, kColor},
    {"files-with-matches", no_argument, nullptr, 'l'},
    {"count", no_argument, nullptr, kCount},
    {"json", no_argument, nullptr, kJson},
    {"stats", no_argument, nullptr, kStats},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};
// clang-format on

// --color alone means always, as in grep.
std::optional<ColorChoice> ParseColor(const char* text) {
  if (text == nullptr || std::strcmp(text, "always") == 0) return ColorChoice::kAlways;
  if (std::strcmp(text, "auto") == 0) return ColorChoice::kAuto;
  if (std::strcmp(text, "never") == 0) return ColorChoice::kNever;
  return std::nullopt;
}

const char* OutputOption(OutputForm form) {
  switch (form) {
    case OutputForm::kFiles:
      return "-l";
    case OutputForm::kCounts:
      return "--count";
    case OutputForm::kJson:
      return "--json";
    case OutputForm::kLines:
      break;
  }
  return "";
}

std::optional<std::int32_t> ParsePriority(const char* text) {
  std::int32_t value = -1;
  const char* end = text + std::strlen(text);
  const auto [stop, error] = std::from_chars(text, end, value);
  if (error != std::errc() || stop != end || value < 0 || value > 4) return std::nullopt;
  return value;
}

// The value of the long option an argument such as "--tsv" or "--case=x" names (perhaps abbreviated);
// nullopt when it names none.
std::optional<int> LongOptionValue(std::string_view argument) {
  if (argument.substr(0, 2) != "--") return std::nullopt;
  std::string_view name = argument.substr(2);
  name = name.substr(0, name.find('='));
  for (const option& known : kLongOptions) {
    if (known.name && !name.empty() && std::string_view(known.name).starts_with(name)) return known.val;
  }
  return std::nullopt;
}

// The option getopt_long just refused, as it was given: a long option as the argument that holds it, a
// short one as "-" and its letter, also when it stands in a cluster such as "-cq" (getopt_long has then
// not moved past the cluster, so the argument before optind is another one).
std::string RefusedOption(char** argv) {
  const std::string_view last = argv[optind - 1];
  if (optopt == 0 || optopt >= 256 || LongOptionValue(last) == optopt) return std::string(last);
  return std::string("-") + static_cast<char>(optopt);
}

ParseResult Error(std::string message) {
  ParseResult result;
  result.error = std::move(message);
  return result;
}

// -l, --count and --json each choose what standard output receives, so only one of them may be given.
std::optional<std::string> ChooseOutput(CommandLine& line, OutputForm form) {
  if (line.output != OutputForm::kLines && line.output != form)
    return std::string(OutputOption(line.output)) + " and " + OutputOption(form) +
           " choose different outputs; give one of them";
  line.output = form;
  return std::nullopt;
}

}  // namespace

ParseResult ParseCommandLine(int argc, char** argv) {
  ParseResult result;
  CommandLine& line = result.command_line;
  // 0, not 1: getopt_long then forgets where an earlier parse stopped (inside a cluster such as "-qc" it
  // would go on from there, in the earlier vector), so each parse starts afresh.
  optind = 0;
  opterr = 0;
  int option;
  while ((option = getopt_long(argc, argv, ":cwsxlp:", kLongOptions, nullptr)) != -1) {
    std::optional<std::string> output_error;
    switch (option) {
      case 'c':
        line.case_sensitive = true;
        break;
      case 'w':
        line.whole_word_only = true;
        break;
      case 's':
        line.look_in_subfolders = true;
        break;
      case 'x':
        line.regular_expression = true;
        break;
      case kOffice:
        line.office_documents = true;
        break;
      case kPace:
        line.pace = true;
        break;
      case kTsv:
        line.tsv_file = optarg;
        break;
      case kColor:
        if (const std::optional<ColorChoice> color = ParseColor(optarg))
          line.color = *color;
        else
          return Error(std::string("--color takes auto, always or never, not '") + optarg + "'");
        break;
      case 'l':
        output_error = ChooseOutput(line, OutputForm::kFiles);
        break;
      case kCount:
        output_error = ChooseOutput(line, OutputForm::kCounts);
        break;
      case kJson:
        output_error = ChooseOutput(line, OutputForm::kJson);
        break;
      case kStats:
        line.stats = true;
        break;
      case kVersion:
        result.outcome = ParseResult::Outcome::kVersion;
        return result;
      case kHelp:
        result.outcome = ParseResult::Outcome::kHelp;
        return result;
      case 'p':
        if (const std::optional<std::int32_t> priority = ParsePriority(optarg))
          line.thread_priority = *priority;
        else
          return Error(std::string("-p takes a priority from 0 (idle) to 4 (time critical), not '") + optarg +
                       "'");
        break;
      case ':':
        return Error("option '" + RefusedOption(argv) + "' needs a value");
      default:
        return Error("unknown option '" + RefusedOption(argv) + "'");
    }
    if (output_error) return Error(*output_error);
  }
  if (argc - optind != 3) return Error("expected PATH, TYPES and STRING");
  line.path = argv[optind];
  line.types = argv[optind + 1];
  line.search_string = argv[optind + 2];
  result.outcome = ParseResult::Outcome::kSearch;
  return result;
}

const char* HelpText() {
  return R"(Usage: zarn-find [OPTIONS] PATH TYPES STRING

Searches the files of PATH whose type is listed in TYPES for STRING and prints
every occurrence as it is found, one per line:

    path:line:column:text

where text is the rest of the line from the occurrence on, bytes as stored.
Lines end at CR LF, LF or CR; the first line is 1, the first column is 1.
Files are searched depth first: the files of a folder, in the order the file
system lists them, before its subfolders.

PATH    a folder (its files are searched), or a single file.
TYPES   file types, for example '*.txt' or '*.cpp;*.h' ('*.*' for every file).
        The last extension of a name must occur in TYPES. Without an asterisk,
        TYPES is one file name in the folder PATH (letter case ignored).
STRING  the text to find. Put '--' before it if it begins with '-'.

Search options:
  -c, --case-sensitive  letters must match in case (default: ASCII letters
                        match either case)
  -w, --whole-word      only occurrences that stand as whole words
  -s, --subfolders      also search the subfolders of PATH, depth first
  -x, --regex           STRING is a pattern: ? = zero or one byte,
                        * = any bytes, [abc] = one of a, b, c, ^ at the start
                        and $ at the end anchor it, \ takes the next byte
                        literally
      --office          search Word (.doc) and Excel (.xls) files through
                        their text where those applications are available
  -p, --priority N      worker priority: 0 idle, 1 lowest, 2 normal,
                        3 highest, 4 time critical (default 4)
      --pace            walk at the control's own pace: a pause of
                        41 - 10 x N ms after every folder entry (N from -p).
                        The pause keeps a long search from crowding out other
                        work on the machine, at the cost of time (seconds for
                        a tree of thousands of files). Without --pace the
                        walk makes no pause and runs as fast as the machine
                        allows.
      --tsv FILE        when the search has ended, also write every finding
                        to FILE as tab-delimited text (File, Line, Col,
                        ItemFound; lines end with CR LF)

Output options:
      --color[=WHEN]    colour the path (magenta), line and column (green),
                        the separators (cyan) and, unless -x is given, the
                        text that matched (bold red). WHEN is auto (the
                        default: only when standard output is a terminal and
                        NO_COLOR is unset or empty), always, or never;
                        --color alone means always. JSON is never coloured.
  -l, --files-with-matches
                        print each file that has findings once, in the order
                        found, instead of the findings
      --count           print path:N for each file that has findings (N
                        findings), in the order found
      --json            print JSON Lines instead: one object for each
                        finding, each error and a closing summary (below)
      --stats           when the search has ended, print to standard error
                        the findings, the files with findings, the errors
                        and the seconds the search took (wall time)
      --help            show this text
      --version         show the version of Kestrix this zarn-find belongs to
-l, --count and --json each choose the output; give at most one of them.

JSON output: one object per line, the findings in the order of the search,
each error after the findings found before it, the summary last:
  {"type":"finding","path":P,"line":N,"column":N,"text":T}
  {"type":"error","code":N,"message":M,"path":P}  ("path" where the error
                                                    names a file or folder)
  {"type":"summary","findings":N,"files":N,"errors":N,"seconds":S,"status":N}
where status is the exit status. A path, text or message that is valid UTF-8
is a JSON string; any other is an object {"bytes":"B"} with B its bytes in
base64 (standard alphabet, with padding), so that every byte is carried.
In this mode errors go to standard output as objects, and nothing but these
objects is written there.

Errors are printed to standard error as 'zarn-find: error CODE: TEXT'; the
search goes on after files that cannot be read (504) and lines longer than
2048 bytes (505, only their first 2048 bytes are searched).
Ctrl-C stops the search, prints what was found so far and exits with 130.

Exit status: 0 when something was found, 1 when nothing was found, 2 when the
search could not start (bad arguments, an empty value, a pattern that does
not compile, a PATH that does not exist), when standard output could not be
written (a full disk, a closed output; the message says why) or when the
--tsv file could not be written. A reader that closes the pipe early (head)
just stops the search.

The manual page zarn-find(1) says more.
)";
}

}  // namespace zarn_find
