#include "desktop/frame/file_around_line.h"

#include <QStringList>
#include <fstream>

#include "desktop/frame/text_helpers.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/message_box.h"

namespace kestrix {

namespace {

constexpr std::int64_t kLinesAround = 100;
constexpr int kInitialHitRow = 3;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;  // as a Windows colour, 0x00BBGGRR

// Reads `in` in blocks and hands each line (lines end at CR LF, LF or CR) to `take` with its number,
// until `take` answers false or the file ends. False when reading failed.
template <typename Take>
bool ReadLines(std::istream& in, Take take) {
  std::string line;
  std::int64_t number = 0;
  bool pending_cr = false;  // the last block ended with a CR: a leading LF belongs to it
  char block[1 << 16];
  while (in) {
    in.read(block, sizeof block);
    const std::streamsize got = in.gcount();
    for (std::streamsize i = 0; i < got; ++i) {
      const char c = block[i];
      if (pending_cr && c == '\n') {
        pending_cr = false;
        continue;
      }
      pending_cr = false;
      if (c != '\r' && c != '\n') {
        line += c;
        continue;
      }
      pending_cr = c == '\r';
      if (!take(++number, line)) return true;
      line.clear();
    }
  }
  if (!line.empty()) take(++number, line);
  return !in.bad();
}

void MarkHitRow(FlexGrid& grid, int hit_row) {
  grid.SetTopRow(hit_row > 2 ? hit_row - 3 : 0);
  if (!grid.SetRow(hit_row)) return;  // a short file read past its end has no such row
  grid.SetCol(0);
  grid.SetCellFontBold(true);
  grid.SetCellForeColor(kWhite);
  grid.SetCellBackColor(kRed);
}

}  // namespace

void LoadFileAroundLine(FlexGrid& grid, const std::string& path, std::int32_t line) {
  grid.Clear();
  grid.SetRows(0);
  int hit_row = kInitialHitRow;
  std::ifstream in(path, std::ios::binary);
  QStringList rows;
  // Nothing after the last line shown changes the grid, so reading stops there.
  const bool read = in && ReadLines(in, [&](std::int64_t number, const std::string& text) {
                      if (number >= line + kLinesAround) return false;
                      if (number <= line - kLinesAround) return true;
                      rows << QString::fromUtf8(MakeDisplayLiteral(text));
                      if (number == line) hit_row = grid.Rows() + static_cast<int>(rows.size()) - 1;
                      return true;
                    });
  grid.AddItems(rows);
  if (!read) {
    MessageBox(&grid, QString("File Name:  %1  Not Found or can't open!").arg(QString::fromUtf8(path)));
    return;
  }
  MarkHitRow(grid, hit_row);
}

}  // namespace kestrix
