#include "desktop/search/hint_list.h"

#include <QKeyEvent>
#include <algorithm>
#include <array>

namespace kestrix {
namespace {

struct Hint {
  const char* caption;
  const char* element;
};

constexpr std::array<Hint, 6> kHints{{
    {"? - Match 0 or 1 character", "?"},
    {"* - Match 0 or more characters", "*"},
    {"[] - Match any 1 character included with the brackets", "[]"},
    {"^ - Match must be at the beginning of the string", "^"},
    {"$ - Match must be at the end of the string", "$"},
    {"\\ - Literal character to match the character followng \\", "\\"},
}};

constexpr int kFrontHint = 3;

}  // namespace

QString ApplyHint(int row, const QString& text) {
  if (row < 0 || row >= static_cast<int>(kHints.size())) return text;
  const QString element = QString::fromLatin1(kHints[row].element);
  return row == kFrontHint ? element + text : text + element;
}

HintList::HintList(QWidget* parent) : QListWidget(parent) {
  for (const Hint& hint : kHints) addItem(QString::fromLatin1(hint.caption));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QListWidget::clicked, this, [this](const QModelIndex& index) { emit Chosen(index.row()); });
  hide();
}

void HintList::DropDownBelow(const QWidget* anchor) {
  const int frame = 2 * frameWidth();
  const int width = std::max(anchor->width(), sizeHintForColumn(0) + frame);
  setGeometry(anchor->x(), anchor->y() + anchor->height(), width, sizeHintForRow(0) * count() + frame);
  show();
  raise();
  // An ordinary focus change, not a popup's: the button that dropped the list down gives the default back
  // to the dialog's own default button, so Enter in the fields keeps accepting the dialog.
  setFocus(Qt::OtherFocusReason);
}

int HintList::SelectedRow() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.first());
}

void HintList::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit Chosen(SelectedRow());
      break;
    case Qt::Key_Escape:
      hide();
      break;
    default:
      QListWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void HintList::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  if (event->reason() != Qt::ActiveWindowFocusReason) hide();
}

}  // namespace kestrix
