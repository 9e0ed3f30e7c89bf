// FlexGrid: construction, counts, text and sizes. flex_grid_current.cpp holds the current cell, scrolling,
// cell looks and behaviour switches.
#include "platform/qt/flex_grid.h"

#include <QHeaderView>
#include <algorithm>

#include "platform/qt/flex_grid_model.h"

namespace qtplatform {

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), model_(new FlexGridModel(this)) {
  setModel(model_);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setWordWrap(false);
  setCornerButtonEnabled(false);

  QHeaderView* rows = verticalHeader();
  rows->hide();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(0);
  rows->setDefaultSectionSize(DefaultRowHeight());

  QHeaderView* columns = horizontalHeader();
  columns->setSectionResizeMode(QHeaderView::Fixed);
  columns->setMinimumSectionSize(0);
  columns->setStretchLastSection(false);
  columns->setHighlightSections(false);
  columns->setSectionsClickable(false);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &FlexGrid::OnCurrentChanged);

  SetCols(2);
  SetRows(2);
  SetFixedRows(1);
  SetFixedCols(1);
  SetRow(1);
  SetCol(1);
}

void FlexGrid::Clear() {
  model_->ClearCells();
}

int FlexGrid::Rows() const {
  return model_->Rows();
}
int FlexGrid::Cols() const {
  return model_->Cols();
}
int FlexGrid::FixedRows() const {
  return model_->FixedRows();
}
int FlexGrid::FixedCols() const {
  return model_->FixedCols();
}

bool FlexGrid::SetRows(int rows) {
  if (rows < FixedRows()) return false;
  model_->SetRows(rows);
  return true;
}

bool FlexGrid::SetCols(int cols) {
  if (cols < FixedCols()) return false;
  model_->SetCols(cols);
  col_twips_.resize(cols, -1);
  col_ = std::min(col_, std::max(cols - 1, 0));
  return true;
}

bool FlexGrid::SetFixedRows(int fixed_rows) {
  if (fixed_rows < 0 || fixed_rows > 1 || fixed_rows > Rows()) return false;
  const int row = Row();
  model_->SetFixedRows(fixed_rows);
  horizontalHeader()->setVisible(fixed_rows == 1);
  header_current_ = false;
  if (row >= 0) SetRow(row);
  return true;
}

bool FlexGrid::SetFixedCols(int fixed_cols) {
  if (fixed_cols < 0 || fixed_cols > Cols()) return false;
  model_->SetFixedCols(fixed_cols);
  return true;
}

int FlexGrid::ColWidth(int col) const {
  if (!IsCol(col)) return -1;
  const int pixels = columnWidth(col);
  const int set = col_twips_[col];
  // The width as set, while the column still has it: 2150 twips stay 2150, not 2145 after rounding.
  if (set >= 0 && TwipsToPixels(set, Dpi().x) == pixels) return set;
  return PixelsToTwips(pixels, Dpi().x);
}

bool FlexGrid::SetColWidth(int col, int twips) {
  if (!IsCol(col) || twips < -1) return false;
  const int pixels = twips == -1 ? horizontalHeader()->defaultSectionSize() : TwipsToPixels(twips, Dpi().x);
  setColumnWidth(col, pixels);
  col_twips_[col] = twips;
  return true;
}

int FlexGrid::RowHeight(int row) const {
  if (!IsRow(row)) return -1;
  const int pixels = row < FixedRows() ? HeaderHeight() : rowHeight(model_->TableRow(row));
  return PixelsToTwips(pixels, Dpi().y);
}

bool FlexGrid::SetRowHeight(int row, int twips) {
  if (!IsRow(row) || row < FixedRows() || twips < -1) return false;
  const int pixels = twips == -1 ? DefaultRowHeight() : TwipsToPixels(twips, Dpi().y);
  setRowHeight(model_->TableRow(row), pixels);
  return true;
}

QString FlexGrid::TextMatrix(int row, int col) const {
  if (!IsRow(row) || !IsCol(col)) return QString();
  return model_->Text(row, col);
}

bool FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
  if (!IsRow(row) || !IsCol(col)) return false;
  model_->SetText(row, col, text);
  return true;
}

bool FlexGrid::AddItem(const QString& tab_text, int index) {
  return AddItems(QStringList{tab_text}, index);
}

bool FlexGrid::AddItems(const QStringList& tab_texts, int index) {
  const int at = index == -1 ? Rows() : index;
  if (at < FixedRows() || at > Rows()) return false;
  model_->InsertRows(at, tab_texts);
  return true;
}

// The font's line height plus a little air, as the component draws its rows.
int FlexGrid::DefaultRowHeight() const {
  return fontMetrics().height() + 4;
}

int FlexGrid::HeaderHeight() const {
  const QHeaderView* header = horizontalHeader();
  return std::max(header->minimumSizeHint().height(), header->sizeHint().height());
}

}  // namespace qtplatform
