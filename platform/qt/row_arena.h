// RowArena: the cell texts of a grid's rows, as UTF-8 bytes in large blocks that never move, with one
// locator per row. A row's cells are written together as one record: each cell is its length and its
// bytes or, when the same column of an earlier record holds the same text (the file of a run of rows from
// one file), its length and a reference to those bytes. So a million rows cost about their text and eight
// bytes, with no allocation per row or cell; texts become QStrings only when a cell is read.
//
// Changing a cell writes its row's record again, the unchanged cells referring to their bytes; records
// left behind are reclaimed when they make up more than half of the blocks, and every block goes when the
// last row does.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qtplatform {

class RowArena {
 public:
  int Rows() const { return static_cast<int>(rows_.size()); }
  // Empty for a cell never set.
  QString Cell(int row, int col) const;
  void SetCell(int row, int col, QStringView text);
  // Inserts one row per text before row `at`, each text split at its TABs into at most `cols` cells:
  // fields past the last column are dropped, missing ones leave cells empty.
  void InsertTabTexts(int at, const QStringList& tab_texts, int cols);
  // New rows are empty; rows are removed from the end.
  void Resize(int rows);
  // Keeps cells 0 to cols - 1 of every row.
  void Truncate(int cols);
  // Empties every cell; the rows stay.
  void ClearCells();
  // The bytes of the blocks in use, records left behind included.
  std::size_t UsedBytes() const { return used_bytes_; }

 private:
  struct Locator {
    std::uint32_t block;
    std::uint32_t offset;
  };
  // Where the bytes of one cell's text are.
  struct Span {
    const char* data = nullptr;
    std::uint32_t size = 0;
    std::uint32_t block = 0;
    std::uint32_t offset = 0;
  };
  struct Block {
    std::unique_ptr<char[]> bytes;
    std::uint32_t size = 0;
    std::uint32_t used = 0;
  };
  static constexpr std::uint32_t kNoRecord = UINT32_MAX;

  Span ReadCell(std::uint32_t block, const char*& at) const;
  const char* Walk(const Locator& locator, std::vector<Span>* cells) const;
  std::vector<Span> Cells(const Locator& locator) const;
  Span CellAt(const Locator& locator, int col) const;
  std::size_t RecordSize(const Locator& locator) const;
  // Writes a record of `cells` (new text: block kNoRecord) and returns where it is.
  Locator Write(const std::vector<Span>& cells);
  void Encode(const std::vector<Span>& cells, std::size_t count);
  Locator Place();
  std::string_view Utf8Of(QStringView text);
  void Retire(const Locator& locator);
  void ReclaimIfWorthIt();
  void Reset();

  // A QList grows by reallocating in place where it can, which a vector of millions cannot: no pass of the
  // event loop copies the whole list.
  QList<Locator> rows_;
  std::vector<Block> blocks_;
  std::vector<Span> last_;              // per column: the text written last, which an equal text refers to
  std::string record_;                  // the record being written
  std::vector<std::size_t> inline_at_;  // where it holds a cell's own bytes, per column (0: it does not)
  std::string utf8_;                    // the row being split
  std::size_t used_bytes_ = 0;
  std::size_t retired_bytes_ = 0;  // of records no row uses any more
};

}  // namespace qtplatform
