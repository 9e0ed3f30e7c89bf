// FlexGrid: the desktop program's flexible grid, a table of text cells with a fixed header row, a current
// cell, per-cell bold and colours, and sizes in twips. The calls keep the names of the grid properties the
// windows were written against (Rows, TextMatrix, AddItem, TopRow, ...).
//
// Numbering: rows and columns count from 0 and include the fixed ones. The grid shows at most one fixed
// row; when FixedRows() is 1, row 0 is drawn as the table's column header, which stays in place while the
// other rows scroll. Fixed columns get the header's colours but scroll with the rest.
//
// Out-of-range arguments: setters return false and change nothing (a row past the end is refused, not
// clamped, as a grid user expects "no such row" to be an error); getters return an empty text, -1 or false.
// The one clamp is scrolling: SetTopRow stops where the last row reaches the bottom of the view, so TopRow()
// may read back smaller than the row asked for, and a row inside the fixed rows scrolls to the top.
//
// A new grid looks like a fresh one of the component it stands in for: 2 rows, 2 columns, 1 fixed row,
// 1 fixed column, current cell (1, 1), no word wrap, selection by cell, columns not resizable by the user.
// All rows share one height unless SetRowHeight gives a row its own; nothing is sized to its contents, so
// a million rows cost no per-row layout work.
#pragma once

#include <QStringList>
#include <QTableView>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/qt/twips.h"

namespace qtplatform {

class FlexGridModel;
struct CellStyle;

class FlexGrid : public QTableView {
  Q_OBJECT

 public:
  explicit FlexGrid(QWidget* parent = nullptr);

  // Empties the text and look of every cell, the fixed ones too; counts and sizes stay.
  void Clear();

  int Rows() const;
  bool SetRows(int rows);  // at least FixedRows(); new rows are empty, removed rows go from the end
  int Cols() const;
  bool SetCols(int cols);  // at least FixedCols()
  int FixedRows() const;
  bool SetFixedRows(int fixed_rows);  // 0 or 1, at most Rows()
  int FixedCols() const;
  bool SetFixedCols(int fixed_cols);  // at most Cols()

  // Twips. -1 restores the default size. The header row's height is the header's and cannot be set.
  int ColWidth(int col) const;
  bool SetColWidth(int col, int twips);
  int RowHeight(int row) const;
  bool SetRowHeight(int row, int twips);

  QString TextMatrix(int row, int col) const;
  bool SetTextMatrix(int row, int col, const QString& text);
  // Inserts a row before `index` (-1 appends), its cells taken from TAB-separated fields: fields past the
  // last column are dropped, missing ones leave cells empty. Rows cannot go in among the fixed rows.
  bool AddItem(const QString& tab_text, int index = -1);
  // Many rows at once, in one insertion: what to use for large fills.
  bool AddItems(const QStringList& tab_texts, int index = -1);

  // The current cell. Removing the current row makes the last row current; Row() is -1 when no row is
  // current (only fixed rows are left, or none was made current).
  int Row() const;
  bool SetRow(int row);
  int Col() const;
  bool SetCol(int col);
  // The first scrolling row shown at the top.
  int TopRow() const;
  bool SetTopRow(int row);

  // The look of the current cell; false when there is no current cell.
  bool CellFontBold() const;
  bool SetCellFontBold(bool bold);
  bool SetCellBackColor(std::uint32_t bgr);  // Windows colour 0x00BBGGRR
  bool SetCellForeColor(std::uint32_t bgr);

  void SetWordWrap(bool wrap);
  void SetSelectionModeByRow(bool by_row);
  void SetAllowUserResizingColumns(bool allow);
  void SetAllowBigSelection(bool allow);  // clicking a column header selects the column; off by default
  bool Redraw() const { return redraw_; }
  // Off: the grid stops painting while it is changed. On: it paints once, showing every change.
  void SetRedraw(bool redraw);

  // Twips are converted with this DPI instead of the screen's; std::nullopt returns to the screen's.
  void SetLogicalDpi(std::optional<LogicalDpi> dpi) { dpi_ = dpi; }

 signals:
  // A double click anywhere on the grid, after the click has made its cell current.
  void DblClick();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  LogicalDpi Dpi() const { return dpi_ ? *dpi_ : LogicalDpiOf(this); }
  int DefaultRowHeight() const;
  int HeaderHeight() const;
  bool IsRow(int row) const { return row >= 0 && row < Rows(); }
  bool IsCol(int col) const { return col >= 0 && col < Cols(); }
  bool MoveCurrent(int row, int col);
  template <typename Change>
  bool ChangeCurrentStyle(Change change);
  void OnCurrentChanged(const QModelIndex& current);

  FlexGridModel* model_;
  std::vector<int> col_twips_;  // the width last set per column, -1 when not set
  std::optional<LogicalDpi> dpi_;
  bool header_current_ = false;  // the current cell is in the fixed row, which the view cannot hold
  int col_ = 0;
  bool redraw_ = true;
};

}  // namespace qtplatform
