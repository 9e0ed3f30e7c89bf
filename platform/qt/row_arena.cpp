#include "platform/qt/row_arena.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>

namespace qtplatform {

namespace {

// A record: its number of cells, then per cell (its length << 1 | 1) with the block and offset of the
// bytes it refers to, or (its length << 1) with its bytes. Numbers take 7 bits a byte, low bits first, the
// high bit set on all but the last byte.
constexpr std::uint32_t kMinReference = 8;   // shorter texts are cheaper written again than referred to
constexpr std::uint32_t kFirstBlock = 4096;  // a small grid stays small
constexpr std::uint32_t kLargestBlock = 1 << 20;
constexpr std::size_t kMinReclaim = std::size_t{64} * 1024;

void AppendNumber(std::string& out, std::uint64_t value) {
  while (value >= 0x80) {
    out.push_back(static_cast<char>((value & 0x7F) | 0x80));
    value >>= 7;
  }
  out.push_back(static_cast<char>(value));
}

std::uint64_t ReadNumber(const char*& at) {
  std::uint64_t value = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*at++);
    value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if (!(byte & 0x80)) return value;
  }
}

}  // namespace

QString RowArena::Cell(int row, int col) const {
  const Span span = CellAt(rows_[row], col);
  return QString::fromUtf8(span.data, span.size);
}

// Reads the cell at `at` in the record of `block`, and moves `at` past it.
RowArena::Span RowArena::ReadCell(std::uint32_t block, const char*& at) const {
  const std::uint64_t head = ReadNumber(at);
  Span span{nullptr, static_cast<std::uint32_t>(head >> 1), block, 0};
  if (head & 1) {
    span.block = static_cast<std::uint32_t>(ReadNumber(at));
    span.offset = static_cast<std::uint32_t>(ReadNumber(at));
    span.data = blocks_[span.block].bytes.get() + span.offset;
  } else {
    span.data = at;
    span.offset = static_cast<std::uint32_t>(at - blocks_[block].bytes.get());
    at += span.size;
  }
  return span;
}

RowArena::Span RowArena::CellAt(const Locator& locator, int col) const {
  if (locator.block == kNoRecord || col < 0) return Span{};
  const char* at = blocks_[locator.block].bytes.get() + locator.offset;
  const auto cells = static_cast<int>(ReadNumber(at));
  if (col >= cells) return Span{};
  for (int i = 0;; ++i) {
    const Span span = ReadCell(locator.block, at);
    if (i == col) return span;
  }
}

// Reads every cell of a record into `cells` (when given) and returns where the record ends.
const char* RowArena::Walk(const Locator& locator, std::vector<Span>* cells) const {
  const char* at = blocks_[locator.block].bytes.get() + locator.offset;
  const std::uint64_t count = ReadNumber(at);
  for (std::uint64_t col = 0; col < count; ++col) {
    const Span span = ReadCell(locator.block, at);
    if (cells) cells->push_back(span);
  }
  return at;
}

std::vector<RowArena::Span> RowArena::Cells(const Locator& locator) const {
  std::vector<Span> cells;
  if (locator.block != kNoRecord) Walk(locator, &cells);
  return cells;
}

std::size_t RowArena::RecordSize(const Locator& locator) const {
  if (locator.block == kNoRecord) return 0;
  return static_cast<std::size_t>(Walk(locator, nullptr) -
                                  (blocks_[locator.block].bytes.get() + locator.offset));
}

void RowArena::SetCell(int row, int col, QStringView text) {
  const QByteArray utf8 = text.toUtf8();
  std::vector<Span> cells = Cells(rows_[row]);
  if (static_cast<int>(cells.size()) <= col) cells.resize(col + 1);
  cells[col] = Span{utf8.constData(), static_cast<std::uint32_t>(utf8.size()), kNoRecord, 0};
  Retire(rows_[row]);
  rows_[row] = Write(cells);
  ReclaimIfWorthIt();
}

void RowArena::InsertTabTexts(int at, const QStringList& tab_texts, int cols) {
  QList<Locator> added;
  added.reserve(tab_texts.size());
  std::vector<Span> cells;
  for (const QString& tab_text : tab_texts) {
    cells.clear();
    const std::string_view bytes = cols > 0 ? Utf8Of(tab_text) : std::string_view();
    // TAB is one byte in UTF-8 and never part of a longer sequence, so the split can run on the bytes.
    std::size_t begin = 0;
    for (int col = 0; col < cols && !bytes.empty() && begin <= bytes.size(); ++col) {
      std::size_t end = bytes.find('\t', begin);
      if (end == std::string_view::npos) end = bytes.size();
      cells.push_back(Span{bytes.data() + begin, static_cast<std::uint32_t>(end - begin), kNoRecord, 0});
      begin = end + 1;
    }
    added.push_back(Write(cells));
  }
  if (at == rows_.size()) {
    rows_.append(added);
    return;
  }
  rows_.insert(at, added.size(), Locator{kNoRecord, 0});
  std::copy(added.cbegin(), added.cend(), rows_.begin() + at);
}

// ASCII text narrowed in place of a conversion, which would allocate for every row; the same bytes.
std::string_view RowArena::Utf8Of(QStringView text) {
  const char16_t* const chars = text.utf16();
  const auto size = static_cast<std::size_t>(text.size());
  utf8_.resize(size);
  for (std::size_t i = 0; i < size; ++i) {
    if (chars[i] >= 0x80) {
      const QByteArray converted = text.toUtf8();
      utf8_.assign(converted.constData(), static_cast<std::size_t>(converted.size()));
      return utf8_;
    }
    utf8_[i] = static_cast<char>(chars[i]);
  }
  return utf8_;
}

void RowArena::Resize(int rows) {
  if (rows == 0) {
    rows_.clear();
    Reset();
    return;
  }
  if (rows >= Rows()) {
    rows_.resize(rows, Locator{kNoRecord, 0});
    return;
  }
  for (int row = rows; row < Rows(); ++row) Retire(rows_[row]);
  rows_.resize(rows);
  ReclaimIfWorthIt();
}

void RowArena::Truncate(int cols) {
  if (cols <= 0) {
    ClearCells();
    return;
  }
  if (static_cast<int>(last_.size()) > cols) last_.resize(cols);
  for (Locator& row : rows_) {
    std::vector<Span> cells = Cells(row);
    if (static_cast<int>(cells.size()) <= cols) continue;
    cells.resize(cols);
    Retire(row);
    row = Write(cells);
  }
  ReclaimIfWorthIt();
}

void RowArena::ClearCells() {
  std::fill(rows_.begin(), rows_.end(), Locator{kNoRecord, 0});
  Reset();
}

RowArena::Locator RowArena::Write(const std::vector<Span>& cells) {
  std::size_t count = cells.size();
  while (count > 0 && cells[count - 1].size == 0) --count;  // trailing empty cells need no bytes
  if (count == 0) return Locator{kNoRecord, 0};
  if (last_.size() < count) last_.resize(count);
  Encode(cells, count);
  const Locator locator = Place();
  // The texts written in full are those a later equal text refers to.
  for (std::size_t col = 0; col < count; ++col) {
    if (inline_at_[col] == 0 || cells[col].size < kMinReference) continue;
    const auto offset = static_cast<std::uint32_t>(locator.offset + inline_at_[col]);
    last_[col] = Span{blocks_[locator.block].bytes.get() + offset, cells[col].size, locator.block, offset};
  }
  return locator;
}

// The record of the first `count` cells into record_; inline_at_ tells where it holds a cell's own bytes.
void RowArena::Encode(const std::vector<Span>& cells, std::size_t count) {
  record_.clear();
  AppendNumber(record_, count);
  inline_at_.assign(count, 0);
  for (std::size_t col = 0; col < count; ++col) {
    const Span& cell = cells[col];
    const Span* target = cell.block != kNoRecord && cell.size >= kMinReference ? &cell : nullptr;
    const Span& last = last_[col];
    if (!target && cell.size >= kMinReference && last.size == cell.size &&
        std::memcmp(last.data, cell.data, cell.size) == 0)
      target = &last;
    if (target) {
      AppendNumber(record_, std::uint64_t{cell.size} << 1 | 1);
      AppendNumber(record_, target->block);
      AppendNumber(record_, target->offset);
    } else {
      AppendNumber(record_, std::uint64_t{cell.size} << 1);
      inline_at_[col] = record_.size();
      record_.append(cell.data, cell.size);
    }
  }
}

// Copies record_ to the end of the last block, or of a new one when it does not fit.
RowArena::Locator RowArena::Place() {
  const auto size = static_cast<std::uint32_t>(record_.size());
  if (blocks_.empty() || blocks_.back().size - blocks_.back().used < size) {
    const std::uint32_t next =
        blocks_.empty() ? kFirstBlock : std::min(blocks_.back().size * 2, kLargestBlock);
    Block block;
    block.size = std::max(next, size);
    block.bytes.reset(new char[block.size]);
    blocks_.push_back(std::move(block));
  }
  Block& block = blocks_.back();
  const Locator locator{static_cast<std::uint32_t>(blocks_.size() - 1), block.used};
  std::memcpy(block.bytes.get() + block.used, record_.data(), size);
  block.used += size;
  used_bytes_ += size;
  return locator;
}

void RowArena::Retire(const Locator& locator) {
  retired_bytes_ += RecordSize(locator);
}

// Writes every row's record again into fresh blocks, which drops the records no row uses.
void RowArena::ReclaimIfWorthIt() {
  if (retired_bytes_ < kMinReclaim || retired_bytes_ * 2 < used_bytes_) return;
  RowArena fresh;
  fresh.rows_.reserve(rows_.size());
  for (const Locator& row : rows_) {
    std::vector<Span> cells = Cells(row);
    for (Span& cell : cells) cell.block = kNoRecord;  // the old blocks go: every text is copied
    fresh.rows_.push_back(fresh.Write(cells));
  }
  *this = std::move(fresh);
}

void RowArena::Reset() {
  blocks_.clear();
  last_.clear();
  used_bytes_ = 0;
  retired_bytes_ = 0;
}

}  // namespace qtplatform
