// The rows behind a FlexGrid. Rows are numbered as the grid numbers them: with one fixed row, grid row 0
// is the column header (served as horizontal header data) and grid row r is the table's row r - 1.
// Each row keeps its text packed and its cell styles beside it, so styles move with their row when rows
// are inserted above it.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <memory>
#include <vector>

#include "platform/qt/cell_style.h"
#include "platform/qt/packed_row.h"

namespace qtplatform {

class FlexGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit FlexGridModel(QObject* parent = nullptr);

  // Callers check their arguments: the grid row and column numbers here are in range.
  int Rows() const { return static_cast<int>(rows_.size()); }
  int Cols() const { return cols_; }
  int FixedRows() const { return fixed_rows_; }
  int FixedCols() const { return fixed_cols_; }

  void SetRows(int rows);
  void SetCols(int cols);
  void SetFixedRows(int fixed_rows);  // 0 or 1, at most Rows()
  void SetFixedCols(int fixed_cols);

  QString Text(int row, int col) const { return rows_[row].text.Cell(col); }
  void SetText(int row, int col, const QString& text);
  CellStyle Style(int row, int col) const;
  void SetStyle(int row, int col, const CellStyle& style);

  // Inserts one row per TAB-separated text before grid row `at`, in one insertion.
  void InsertRows(int at, const QStringList& tab_texts);
  // Empties every cell's text and style; the counts stay.
  void ClearCells();

  // The table's row for a grid row, and back.
  int TableRow(int row) const { return row - fixed_rows_; }
  int GridRow(int table_row) const { return table_row + fixed_rows_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  struct Row {
    PackedRow text;
    std::unique_ptr<std::vector<CellStyle>> styles;  // null while every cell is plain
  };

  QVariant CellData(int row, int col, int role) const;
  void CellChanged(int row, int col);

  std::vector<Row> rows_;
  int cols_ = 0;
  int fixed_rows_ = 0;
  int fixed_cols_ = 0;
};

}  // namespace qtplatform
