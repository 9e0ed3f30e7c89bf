#include "tools/zarn-find/json_output.h"

#include <charconv>
#include <string>

#include "platform/ole/automation_string.h"
#include "tools/zarn-find/error_text.h"
#include "tools/zarn-find/json_text.h"

namespace zarn_find {

namespace {
constexpr std::size_t kNamesRoom = 128;  // the object's names and punctuation
}  // namespace

void JsonOutput::Print(const Finding& finding) {
  out_.MakeRoom(JsonTextRoom(finding.path.size()) + JsonTextRoom(finding.text.size()) +
                2 * OutputBuffer::kNumberRoom + kNamesRoom);
  out_.Append(R"({"type":"finding","path":)");
  Text(finding.path);
  out_.Append(R"(,"line":)");
  out_.AppendNumber(finding.line);
  out_.Append(R"(,"column":)");
  out_.AppendNumber(finding.column);
  out_.Append(R"(,"text":)");
  Text(finding.text);
  out_.Append("}\n");
  out_.EndRecord();
}

// The control's text is bytes; as UTF-16 it is written like a finding's path and text.
void JsonOutput::PrintError(std::int32_t code, std::string_view text) {
  const ErrorText parts = SplitErrorText(code, text);
  const std::u16string message = ole::Utf16FromBytes(parts.message);
  const std::u16string path = ole::Utf16FromBytes(parts.path.value_or(""));
  out_.MakeRoom(JsonTextRoom(message.size()) + JsonTextRoom(path.size()) + OutputBuffer::kNumberRoom +
                kNamesRoom);
  out_.Append(R"({"type":"error","code":)");
  out_.AppendNumber(code);
  out_.Append(R"(,"message":)");
  Text(message);
  if (parts.path) {
    out_.Append(R"(,"path":)");
    Text(path);
  }
  out_.Append("}\n");
  out_.EndRecord();
}

void JsonOutput::Finish(const RunSummary& summary) {
  out_.MakeRoom(5 * OutputBuffer::kNumberRoom + kNamesRoom);
  out_.Append(R"({"type":"summary","findings":)");
  out_.AppendNumber(summary.findings);
  out_.Append(R"(,"files":)");
  out_.AppendNumber(summary.files);
  out_.Append(R"(,"errors":)");
  out_.AppendNumber(summary.errors);
  out_.Append(R"(,"seconds":)");
  const auto [end, error] = std::to_chars(out_.End(), out_.End() + OutputBuffer::kNumberRoom, summary.seconds,
                                          std::chars_format::fixed, 3);
  if (error == std::errc())
    out_.SetEnd(end);
  else
    out_.Append('0');  // a time beyond any real run
  out_.Append(R"(,"status":)");
  out_.AppendNumber(summary.status);
  out_.Append("}\n");
}

void JsonOutput::Text(std::u16string_view text) {
  out_.SetEnd(WriteJsonText(text, out_.End()));
}

}  // namespace zarn_find
