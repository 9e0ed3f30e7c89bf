// FlexGrid: the current cell, scrolling, the look of the current cell, behaviour switches and redraw.
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

#include "platform/qt/flex_grid.h"
#include "platform/qt/flex_grid_model.h"

namespace qtplatform {

int FlexGrid::Row() const {
  if (header_current_) return 0;
  const QModelIndex current = currentIndex();
  return current.isValid() ? model_->GridRow(current.row()) : -1;
}

int FlexGrid::Col() const {
  return col_;
}

bool FlexGrid::SetRow(int row) {
  if (!IsRow(row)) return false;
  if (row >= FixedRows()) return MoveCurrent(row, col_);
  header_current_ = true;
  selectionModel()->clearCurrentIndex();
  clearSelection();
  return true;
}

bool FlexGrid::SetCol(int col) {
  if (!IsCol(col)) return false;
  col_ = col;
  const int row = Row();
  if (row >= FixedRows()) MoveCurrent(row, col);
  return true;
}

bool FlexGrid::MoveCurrent(int row, int col) {
  const QModelIndex cell = model_->index(model_->TableRow(row), col);
  if (!cell.isValid()) return false;
  header_current_ = false;
  setCurrentIndex(cell);
  return true;
}

void FlexGrid::OnCurrentChanged(const QModelIndex& current) {
  if (!current.isValid()) return;
  header_current_ = false;
  col_ = current.column();
}

// Rows scroll one whole row at a time, so the scroll bar's value is the top table row.
int FlexGrid::TopRow() const {
  return model_->GridRow(verticalScrollBar()->value());
}

bool FlexGrid::SetTopRow(int row) {
  if (!IsRow(row)) return false;
  // The scroll range follows inserted rows only at the next layout; bring it up to date first.
  updateGeometries();
  verticalScrollBar()->setValue(std::max(model_->TableRow(row), 0));
  return true;
}

template <typename Change>
bool FlexGrid::ChangeCurrentStyle(Change change) {
  const int row = Row();
  if (row < 0 || !IsCol(col_)) return false;
  CellStyle style = model_->Style(row, col_);
  change(style);
  model_->SetStyle(row, col_, style);
  return true;
}

bool FlexGrid::CellFontBold() const {
  const int row = Row();
  return row >= 0 && IsCol(col_) && model_->Style(row, col_).bold;
}

bool FlexGrid::SetCellFontBold(bool bold) {
  return ChangeCurrentStyle([bold](CellStyle& style) { style.bold = bold; });
}

bool FlexGrid::SetCellBackColor(std::uint32_t bgr) {
  return ChangeCurrentStyle([bgr](CellStyle& style) { style.back = ColorFromBgr(bgr); });
}

bool FlexGrid::SetCellForeColor(std::uint32_t bgr) {
  return ChangeCurrentStyle([bgr](CellStyle& style) { style.fore = ColorFromBgr(bgr); });
}

void FlexGrid::SetWordWrap(bool wrap) {
  setWordWrap(wrap);
}

void FlexGrid::SetSelectionModeByRow(bool by_row) {
  setSelectionBehavior(by_row ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
  const int row = Row();
  if (row >= FixedRows()) MoveCurrent(row, col_);
}

void FlexGrid::SetAllowUserResizingColumns(bool allow) {
  horizontalHeader()->setSectionResizeMode(allow ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void FlexGrid::SetAllowBigSelection(bool allow) {
  horizontalHeader()->setSectionsClickable(allow);
}

void FlexGrid::SetRedraw(bool redraw) {
  if (redraw == redraw_) return;
  redraw_ = redraw;
  setUpdatesEnabled(redraw);
  if (!redraw) return;
  viewport()->update();
  horizontalHeader()->viewport()->update();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  emit DblClick();
}

void FlexGrid::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange) verticalHeader()->setDefaultSectionSize(DefaultRowHeight());
}

}  // namespace qtplatform
