// The cell texts of one grid row packed into a single byte buffer, so that a grid of a million rows costs
// one allocation per row rather than one per cell. Each cell is its UTF-8 length (7 bits a byte, low bits
// first, high bit set on all but the last byte) followed by its UTF-8 bytes. Cells past the last stored one
// are empty.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace qtplatform {

class PackedRow {
 public:
  PackedRow() = default;

  // Splits `tab_text` at its TABs into at most `cols` cells; fields past the last column are dropped.
  static PackedRow FromTabText(QStringView tab_text, int cols);

  QString Cell(int col) const;
  void SetCell(int col, QStringView text);
  // Keeps cells 0 to cols - 1.
  void Truncate(int cols);
  void Clear() { bytes_.clear(); }

 private:
  struct Span {
    qsizetype begin = 0;  // first byte of the cell's text
    qsizetype size = 0;   // bytes of text
  };
  // The span of cell `col`; begin is the buffer's size when fewer cells are stored.
  Span Locate(int col) const;
  qsizetype Start(int col) const;  // where cell `col`'s length starts (or the buffer's size)

  QByteArray bytes_;
};

}  // namespace qtplatform
