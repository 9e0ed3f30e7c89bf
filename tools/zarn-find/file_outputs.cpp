#include "tools/zarn-find/file_outputs.h"

namespace zarn_find {

namespace {

constexpr std::size_t kColorRoom = 2 * kColorFieldRoom;  // the path and a separator

void AppendPath(OutputBuffer& out, const TerminalColors& colors, std::u16string_view path) {
  out.Append(colors.path);
  out.AppendText(path);
  out.Append(colors.reset);
}

}  // namespace

void FileListOutput::Print(const Finding& finding) {
  if (!finding.first_in_file) return;
  out_.MakeRoom(3 * finding.path.size() + kColorRoom + 1);
  AppendPath(out_, colors_, finding.path);
  out_.Append('\n');
  out_.EndRecord();
}

void FileCountOutput::Print(const Finding& finding) {
  if (finding.first_in_file) {
    PrintCount();
    path_.assign(finding.path);
    count_ = 0;
  }
  ++count_;
}

void FileCountOutput::Finish(const RunSummary&) {
  PrintCount();
  count_ = 0;
}

void FileCountOutput::PrintCount() {
  if (count_ == 0) return;
  out_.MakeRoom(3 * path_.size() + kColorRoom + OutputBuffer::kNumberRoom + 1);
  AppendPath(out_, colors_, path_);
  out_.Append(colors_.separator);
  out_.Append(':');
  out_.Append(colors_.reset);
  out_.AppendNumber(count_);
  out_.Append('\n');
  out_.EndRecord();
}

}  // namespace zarn_find
