#include "platform/office/document_text.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "platform/office/converter_process.h"

namespace office {

namespace {

constexpr std::array<unsigned char, 8> kCompoundFileSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                                 0xA1, 0xB1, 0x1A, 0xE1};
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

// Why the file is not a compound file we can read; "" when it is one. Opened without blocking, so a FIFO
// named like a document is refused instead of waiting for a writer.
std::string SignatureProblem(const std::string& path, const char* kind) {
  const int file = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (file < 0) return std::system_category().message(errno);
  std::array<unsigned char, 8> head{};
  const ssize_t got = read(file, head.data(), head.size());
  const int error = errno;
  close(file);
  if (got < 0) return std::system_category().message(error);
  if (got == static_cast<ssize_t>(head.size()) && head == kCompoundFileSignature) return {};
  return std::string("it is not ") + kind + " or it is damaged";
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

DocumentText Convert(const Converter& converter, const std::string& path) {
  if (std::string problem = SignatureProblem(path, converter.kind); !problem.empty())
    return {false, {}, std::move(problem)};
  const std::string program = ProgramOf(converter);
  std::vector<std::string> arguments{program};
  arguments.insert(arguments.end(), converter.options.begin(), converter.options.end());
  arguments.push_back(FileArgument(path));
  ProcessLimits limits;
  limits.time = TimeLimit();
  ProcessOutcome outcome = RunConverter(arguments, limits);
  if (std::string problem = ConversionProblem(outcome, program, limits.time.count()); !problem.empty())
    return {false, {}, std::move(problem)};
  return {true, std::move(outcome.out), {}};
}

// The text up to the end of the first sheet.
std::string FirstSheet(std::string text) {
  for (std::size_t at = text.find(kSheetBreak); at != std::string::npos;
       at = text.find(kSheetBreak, at + 1)) {
    if (at == 0 || text[at - 1] == '\n') return text.substr(0, at);
  }
  return text;
}

}  // namespace

DocumentText ReadWordDocument(const std::string& path) {
  return Convert(WordConverter(), path);
}

DocumentText ReadWorkbookFirstSheet(const std::string& path) {
  DocumentText result = Convert(WorkbookConverter(), path);
  if (result.read) result.text = FirstSheet(std::move(result.text));
  return result;
}

}  // namespace office
