#include "desktop/search/file_around_line.h"

#include <QStringList>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

#include "desktop/frame/text_helpers.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/message_box.h"

namespace kestrix {

namespace {

constexpr std::int64_t kLinesAround = 100;
constexpr int kInitialHitRow = 3;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;  // as a Windows colour, 0x00BBGGRR

// One line as it is read: its first bytes, at most what a viewer row can show, and its length. A line of
// many megabytes thus costs no more memory than a short one.
struct LineRead {
  std::string start;
  std::uint64_t bytes = 0;

  void Append(const char* from, const char* to) {
    const auto length = static_cast<std::size_t>(to - from);
    start.append(from, std::min(length, kDisplayLiteralLimit - start.size()));
    bytes += length;
  }
  void Clear() {
    start.clear();
    bytes = 0;
  }
};

// Finds line ends (CR or LF) in one block. The next CR is remembered, so a file without CRs is searched
// for them once per block, not once per line.
class LineEnds {
 public:
  explicit LineEnds(const char* end) : end_(end), cr_(nullptr) {}
  const char* Next(const char* from) {
    if (cr_ == nullptr || cr_ < from) cr_ = Find(from, end_, '\r');
    return Find(from, cr_, '\n');
  }

 private:
  static const char* Find(const char* from, const char* to, char c) {
    const void* at = std::memchr(from, c, static_cast<std::size_t>(to - from));
    return at ? static_cast<const char*>(at) : to;
  }
  const char* end_;
  const char* cr_;
};

// Reads `in` in blocks and hands each line (lines end at CR LF, LF or CR) to `take` with its number,
// until `take` answers false or the file ends. False when reading failed.
template <typename Take>
bool ReadLines(std::istream& in, Take take) {
  LineRead line;
  std::int64_t number = 0;
  bool pending_cr = false;  // the last line ended with a CR: an LF right after it belongs to it
  std::vector<char> block(1 << 16);
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const char* at = block.data();
    const char* const end = at + in.gcount();
    LineEnds ends(end);
    while (at < end) {
      if (pending_cr && *at == '\n') ++at;
      pending_cr = false;
      if (at == end) break;
      const char* const stop = ends.Next(at);
      line.Append(at, stop);
      if (stop == end) break;
      pending_cr = *stop == '\r';
      if (!take(++number, line)) return true;
      line.Clear();
      at = stop + 1;
    }
  }
  if (line.bytes > 0) take(++number, line);
  return !in.bad();
}

void MarkHitRow(qtplatform::FlexGrid& grid, int hit_row) {
  grid.SetTopRow(hit_row > 2 ? hit_row - 3 : 0);
  if (!grid.SetRow(hit_row)) return;  // a short file read past its end has no such row
  grid.SetCol(0);
  grid.SetCellFontBold(true);
  grid.SetCellForeColor(kWhite);
  grid.SetCellBackColor(kRed);
}

}  // namespace

void LoadFileAroundLine(qtplatform::FlexGrid& grid, const std::string& path, std::int32_t line) {
  grid.Clear();
  grid.SetRows(0);
  int hit_row = kInitialHitRow;
  std::ifstream in(path, std::ios::binary);
  QStringList rows;
  // Nothing after the last line shown changes the grid, so reading stops there.
  const bool read = in && ReadLines(in, [&](std::int64_t number, const LineRead& text) {
                      if (number >= line + kLinesAround) return false;
                      if (number <= line - kLinesAround) return true;
                      rows << QString::fromUtf8(MakeCutDisplayLiteral(text.start, text.bytes));
                      if (number == line) hit_row = grid.Rows() + static_cast<int>(rows.size()) - 1;
                      return true;
                    });
  grid.AddItems(rows);
  if (!read) {
    qtplatform::MessageBox(&grid,
                           QString("File Name:  %1  Not Found or can't open!").arg(QString::fromUtf8(path)));
    return;
  }
  MarkHitRow(grid, hit_row);
}

}  // namespace kestrix
