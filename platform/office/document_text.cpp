#include "platform/office/document_text.h"

#include <cstdlib>
#include <system_error>

#include "platform/office/compound_file.h"
#include "platform/office/converter_process.h"
#include "platform/office/file_content.h"
#include "platform/office/text_file.h"

namespace office {

namespace {

constexpr long kDefaultTimeLimitMs = 20000;
// xls2csv ends every sheet with this at the start of a line.
constexpr char kSheetBreak = '\f';

struct Converter {
  const char* program_variable;  // the environment variable that replaces the program
  const char* program;
  std::vector<std::string> options;  // the file follows them
  const char* kind;                  // what the file should be, for messages
};

const Converter& WordConverter() {
  static const Converter converter{
      "KESTRIX_DOC_CONVERTER", "catdoc", {"-w", "-d", "utf-8"}, "a Word document"};
  return converter;
}

const Converter& WorkbookConverter() {
  static const Converter converter{
      "KESTRIX_XLS_CONVERTER", "xls2csv", {"-q", "0", "-c", "\t", "-d", "utf-8"}, "an Excel workbook"};
  return converter;
}

std::chrono::milliseconds TimeLimit() {
  const char* text = std::getenv("KESTRIX_OFFICE_TIMEOUT_MS");
  char* end = nullptr;
  const long value = text ? std::strtol(text, &end, 10) : 0;
  const bool valid = text && end != text && *end == '\0' && value > 0;
  return std::chrono::milliseconds(valid ? value : kDefaultTimeLimitMs);
}

std::string ProgramOf(const Converter& converter) {
  const char* replaced = std::getenv(converter.program_variable);
  return replaced && *replaced ? replaced : converter.program;
}

std::string FirstLine(const std::string& text) {
  const std::size_t end = text.find('\n');
  return text.substr(0, end == std::string::npos ? text.size() : end);
}

// Why the conversion failed; "" when it gave the text. A converter that wrote nothing but a complaint
// failed, whatever its exit status.
std::string ConversionProblem(const ProcessOutcome& outcome, const std::string& program, long limit_ms) {
  const std::string name = "the converter " + program;
  const std::string complaint = FirstLine(outcome.err);
  switch (outcome.end) {
    case ProcessEnd::kNotStarted:
      return name + " could not be started: " + std::system_category().message(outcome.code);
    case ProcessEnd::kTimedOut:
      return name + " did not finish within " + std::to_string(limit_ms) + " ms";
    case ProcessEnd::kTooMuchOutput:
      return name + " wrote too much text";
    case ProcessEnd::kSignalled:
      return name + " ended with signal " + std::to_string(outcome.code);
    case ProcessEnd::kExited:
      break;
  }
  if (outcome.code != 0)
    return name + " failed with exit status " + std::to_string(outcome.code) +
           (complaint.empty() ? "" : ": " + complaint);
  if (outcome.out.empty() && !complaint.empty()) return name + " could not read it: " + complaint;
  return {};
}

// A path the converter cannot mistake for an option.
std::string FileArgument(const std::string& path) {
  return !path.empty() && path[0] == '-' ? "./" + path : path;
}

// The text up to the end of the first sheet.
std::string FirstSheet(std::string text) {
  for (std::size_t at = text.find(kSheetBreak); at != std::string::npos;
       at = text.find(kSheetBreak, at + 1)) {
    if (at == 0 || text[at - 1] == '\n') return text.substr(0, at);
  }
  return text;
}

// The converter's text of the file at `path`, or why there is none; `shape` (when given) takes the part
// of the output that is the document's text.
OpenedDocument Convert(const Converter& converter, const std::string& path, OpenedFile file,
                       std::string (*shape)(std::string) = nullptr) {
  const std::string program = ProgramOf(converter);
  std::vector<std::string> arguments{program};
  arguments.insert(arguments.end(), converter.options.begin(), converter.options.end());
  arguments.push_back(FileArgument(path));
  ProcessLimits limits;
  limits.time = TimeLimit();
  ProcessOutcome outcome = RunConverter(arguments, limits);
  if (std::string problem = ConversionProblem(outcome, program, limits.time.count()); !problem.empty())
    return {false, {}, std::move(problem)};
  std::string text = shape ? shape(std::move(outcome.out)) : std::move(outcome.out);
  return {true, DocumentText(std::move(file), std::move(text)), {}};
}

OpenedDocument NotOfKind(const Converter& converter) {
  return {false, {}, std::string("it is not ") + converter.kind + " or it is damaged"};
}

// Whether the compound file holds a workbook stream in its root storage (a Word document does not).
bool HoldsWorkbook(const OpenedFile& file) {
  const std::optional<std::vector<std::u16string>> streams = RootStreamNames(file.fd());
  if (!streams) return false;
  for (const std::u16string& name : *streams)
    if (name == u"Workbook" || name == u"Book") return true;
  return false;
}

}  // namespace

std::string DocumentText::SaveTo(const std::string& path) const {
  if (file_.IsNamedBy(path)) return "it is the file that is open";
  if (converted_) return WriteTextFile(path, *converted_);
  return CopyToTextFile(path, file_.fd(), file_.size());
}

OpenedDocument ReadWordDocument(const std::string& path) {
  OpenedFile file;
  if (std::string problem = file.Open(path); !problem.empty()) return {false, {}, std::move(problem)};
  switch (ContentOf(file.head())) {
    case FileContent::kCompoundFile:
    case FileContent::kRichText:
      return Convert(WordConverter(), path, std::move(file));
    case FileContent::kText:
      return {true, DocumentText(std::move(file), std::nullopt), {}};
    case FileContent::kOther:
      break;
  }
  return NotOfKind(WordConverter());
}

OpenedDocument ReadWorkbookFirstSheet(const std::string& path) {
  OpenedFile file;
  if (std::string problem = file.Open(path); !problem.empty()) return {false, {}, std::move(problem)};
  switch (ContentOf(file.head())) {
    case FileContent::kCompoundFile:
      if (!HoldsWorkbook(file)) break;
      return Convert(WorkbookConverter(), path, std::move(file), FirstSheet);
    case FileContent::kRichText:
    case FileContent::kText:
      return {true, DocumentText(std::move(file), std::nullopt), {}};
    case FileContent::kOther:
      break;
  }
  return NotOfKind(WorkbookConverter());
}

}  // namespace office
