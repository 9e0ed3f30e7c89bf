// The rows behind a FlexGrid. Rows are numbered as the grid numbers them: with one fixed row, grid row 0
// is the column header (served as horizontal header data) and grid row r is the table's row r - 1.
// The texts live in a RowArena; the few cells with a style of their own are kept by row, and their rows'
// numbers move when rows are inserted above them.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <map>
#include <vector>

#include "platform/qt/cell_style.h"
#include "platform/qt/row_arena.h"

namespace qtplatform {

class FlexGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit FlexGridModel(QObject* parent = nullptr);

  // Callers check their arguments: the grid row and column numbers here are in range.
  int Rows() const { return texts_.Rows(); }
  int Cols() const { return cols_; }
  int FixedRows() const { return fixed_rows_; }
  int FixedCols() const { return fixed_cols_; }

  void SetRows(int rows);
  void SetCols(int cols);
  void SetFixedRows(int fixed_rows);  // 0 or 1, at most Rows()
  void SetFixedCols(int fixed_cols);

  QString Text(int row, int col) const { return texts_.Cell(row, col); }
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
  QVariant CellData(int row, int col, int role) const;
  void CellChanged(int row, int col);

  RowArena texts_;
  std::map<int, std::vector<CellStyle>> styles_;  // by grid row, only rows with a cell that is not plain
  int cols_ = 0;
  int fixed_rows_ = 0;
  int fixed_cols_ = 0;
};

}  // namespace qtplatform
