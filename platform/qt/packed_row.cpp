#include "platform/qt/packed_row.h"

namespace qtplatform {
namespace {

void AppendLength(QByteArray& out, qsizetype length) {
  auto value = static_cast<quint64>(length);
  while (value >= 0x80) {
    out.append(static_cast<char>((value & 0x7F) | 0x80));
    value >>= 7;
  }
  out.append(static_cast<char>(value));
}

// Reads a length at `pos` and moves `pos` past it.
qsizetype ReadLength(const QByteArray& bytes, qsizetype& pos) {
  quint64 value = 0;
  int shift = 0;
  while (pos < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[pos++]);
    value |= static_cast<quint64>(byte & 0x7F) << shift;
    if (!(byte & 0x80)) break;
    shift += 7;
  }
  return static_cast<qsizetype>(value);
}

void AppendCell(QByteArray& out, const char* data, qsizetype size) {
  AppendLength(out, size);
  out.append(data, size);
}

}  // namespace

PackedRow PackedRow::FromTabText(QStringView tab_text, int cols) {
  PackedRow row;
  if (cols <= 0 || tab_text.isEmpty()) return row;
  // TAB is one byte in UTF-8 and never part of a longer sequence, so the split can run on the bytes.
  const QByteArray utf8 = tab_text.toUtf8();
  row.bytes_.reserve(utf8.size() + (qsizetype{2} * cols));
  qsizetype begin = 0;
  for (int col = 0; col < cols && begin <= utf8.size(); ++col) {
    qsizetype end = utf8.indexOf('\t', begin);
    if (end < 0) end = utf8.size();
    AppendCell(row.bytes_, utf8.constData() + begin, end - begin);
    begin = end + 1;
  }
  return row;
}

qsizetype PackedRow::Start(int col) const {
  qsizetype pos = 0;
  for (int i = 0; i < col && pos < bytes_.size(); ++i) {
    const qsizetype size = ReadLength(bytes_, pos);
    pos += size;
  }
  return pos < bytes_.size() ? pos : bytes_.size();
}

PackedRow::Span PackedRow::Locate(int col) const {
  qsizetype pos = Start(col);
  if (pos >= bytes_.size()) return Span{bytes_.size(), 0};
  const qsizetype size = ReadLength(bytes_, pos);
  return Span{pos, size};
}

QString PackedRow::Cell(int col) const {
  if (col < 0) return QString();
  const Span span = Locate(col);
  return QString::fromUtf8(bytes_.constData() + span.begin, span.size);
}

void PackedRow::SetCell(int col, QStringView text) {
  if (col < 0) return;
  const qsizetype start = Start(col);
  int stored = 0;  // cells held before `start`
  for (qsizetype pos = 0; pos < start; ++stored) {
    const qsizetype size = ReadLength(bytes_, pos);
    pos += size;
  }
  QByteArray out = bytes_.left(start);
  for (int i = stored; i < col; ++i) AppendLength(out, 0);
  const QByteArray utf8 = text.toUtf8();
  AppendCell(out, utf8.constData(), utf8.size());
  if (start < bytes_.size()) {
    const Span old = Locate(col);
    out.append(bytes_.constData() + old.begin + old.size, bytes_.size() - old.begin - old.size);
  }
  bytes_ = std::move(out);
}

void PackedRow::Truncate(int cols) {
  if (cols <= 0) {
    bytes_.clear();
    return;
  }
  bytes_.truncate(Start(cols));
}

}  // namespace qtplatform
