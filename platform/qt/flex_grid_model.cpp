#include "platform/qt/flex_grid_model.h"

#include <QBrush>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <iterator>

namespace qtplatform {

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void FlexGridModel::SetRows(int rows) {
  const int old = Rows();
  if (rows > old) {
    beginInsertRows(QModelIndex(), TableRow(old), TableRow(rows) - 1);
    texts_.Resize(rows);
    endInsertRows();
  } else if (rows < old) {
    beginRemoveRows(QModelIndex(), TableRow(rows), TableRow(old) - 1);
    texts_.Resize(rows);
    styles_.erase(styles_.lower_bound(rows), styles_.end());
    endRemoveRows();
  }
}

void FlexGridModel::SetCols(int cols) {
  const int old = cols_;
  if (cols > old) {
    beginInsertColumns(QModelIndex(), old, cols - 1);
    cols_ = cols;
    endInsertColumns();
  } else if (cols < old) {
    beginRemoveColumns(QModelIndex(), cols, old - 1);
    texts_.Truncate(cols);
    for (auto it = styles_.begin(); it != styles_.end();) {
      if (static_cast<int>(it->second.size()) > cols) it->second.resize(cols);
      const bool plain =
          std::all_of(it->second.begin(), it->second.end(), [](const CellStyle& s) { return s.IsPlain(); });
      it = plain ? styles_.erase(it) : std::next(it);
    }
    cols_ = cols;
    fixed_cols_ = std::min(fixed_cols_, cols);
    endRemoveColumns();
  }
}

// Row 0 moves between the table and the header, so the other rows, their heights and the column widths
// stay as they are.
void FlexGridModel::SetFixedRows(int fixed_rows) {
  if (fixed_rows == fixed_rows_) return;
  if (fixed_rows == 1) {
    beginRemoveRows(QModelIndex(), 0, 0);
    fixed_rows_ = 1;
    endRemoveRows();
  } else {
    beginInsertRows(QModelIndex(), 0, 0);
    fixed_rows_ = 0;
    endInsertRows();
  }
  if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
}

void FlexGridModel::SetFixedCols(int fixed_cols) {
  const int first = std::min(fixed_cols, fixed_cols_);
  const int last = std::max(fixed_cols, fixed_cols_) - 1;
  fixed_cols_ = fixed_cols;
  if (first > last || rowCount() == 0) return;
  emit dataChanged(index(0, first), index(rowCount() - 1, last), {Qt::BackgroundRole, Qt::ForegroundRole});
}

void FlexGridModel::SetText(int row, int col, const QString& text) {
  texts_.SetCell(row, col, text);
  CellChanged(row, col);
}

CellStyle FlexGridModel::Style(int row, int col) const {
  const auto styles = styles_.find(row);
  if (styles == styles_.end() || col >= static_cast<int>(styles->second.size())) return CellStyle{};
  return styles->second[col];
}

void FlexGridModel::SetStyle(int row, int col, const CellStyle& style) {
  std::vector<CellStyle>& styles = styles_[row];
  if (static_cast<int>(styles.size()) <= col) styles.resize(col + 1);
  styles[col] = style;
  if (std::all_of(styles.begin(), styles.end(), [](const CellStyle& s) { return s.IsPlain(); })) {
    styles_.erase(row);
  }
  CellChanged(row, col);
}

void FlexGridModel::CellChanged(int row, int col) {
  if (row < fixed_rows_) {
    emit headerDataChanged(Qt::Horizontal, col, col);
    return;
  }
  const QModelIndex cell = index(TableRow(row), col);
  emit dataChanged(cell, cell);
}

void FlexGridModel::InsertRows(int at, const QStringList& tab_texts) {
  if (tab_texts.isEmpty()) return;
  const auto added = static_cast<int>(tab_texts.size());
  const int first = TableRow(at);
  beginInsertRows(QModelIndex(), first, first + added - 1);
  texts_.InsertTabTexts(at, tab_texts, cols_);
  if (!styles_.empty() && styles_.rbegin()->first >= at) {
    std::map<int, std::vector<CellStyle>> moved;
    for (auto& [row, styles] : styles_) moved.emplace(row >= at ? row + added : row, std::move(styles));
    styles_ = std::move(moved);
  }
  endInsertRows();
}

void FlexGridModel::ClearCells() {
  texts_.ClearCells();
  styles_.clear();
  if (cols_ == 0) return;
  if (fixed_rows_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, cols_ - 1));
}

int FlexGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Rows() - fixed_rows_;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= cols_) return QVariant();
  return CellData(GridRow(index.row()), index.column(), role);
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) return QVariant();
  if (fixed_rows_ == 0 || section < 0 || section >= cols_) return QVariant();
  return CellData(0, section, role);
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

// Fixed columns take the look of the header unless the cell has colours of its own.
QVariant FlexGridModel::CellData(int row, int col, int role) const {
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return Text(row, col);
    case Qt::FontRole: {
      if (!Style(row, col).bold) return QVariant();
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    case Qt::BackgroundRole: {
      const CellStyle style = Style(row, col);
      if (style.back) return QBrush(*style.back);
      if (col < fixed_cols_ && row >= fixed_rows_) return QGuiApplication::palette().button();
      return QVariant();
    }
    case Qt::ForegroundRole: {
      const CellStyle style = Style(row, col);
      if (style.fore) return QBrush(*style.fore);
      if (col < fixed_cols_ && row >= fixed_rows_) return QGuiApplication::palette().buttonText();
      return QVariant();
    }
    default:
      return QVariant();
  }
}

}  // namespace qtplatform
