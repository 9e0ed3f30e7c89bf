// The options dialog's list of pattern elements (lbRegular): a list that drops down under the search text,
// offers the six elements of the pattern syntax and says which one the user chose.
#pragma once

#include <QListWidget>
#include <QString>

namespace kestrix {

// The search text after choosing element `row` of the list: the element is added at the end of `text`,
// except "^", which goes in front. A row outside the list leaves the text as it is.
QString ApplyHint(int row, const QString& text);

class HintList : public QListWidget {
  Q_OBJECT

 public:
  explicit HintList(QWidget* parent);

  // Shows the list over its siblings just below `anchor` (a sibling), at least as wide as it, and gives it
  // the focus.
  void DropDownBelow(const QWidget* anchor);

 signals:
  // An item was clicked, or Enter was pressed; `row` is -1 when Enter found nothing selected.
  void Chosen(int row);

 protected:
  // Enter chooses; Escape hides the list and goes no further, so it does not also cancel the dialog.
  void keyPressEvent(QKeyEvent* event) override;
  // The list hides when the focus moves elsewhere in the dialog; it stays open while the user visits
  // another program.
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int SelectedRow() const;
};

}  // namespace kestrix
