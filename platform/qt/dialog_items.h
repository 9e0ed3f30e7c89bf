// The widgets of a dialog template's items, placed by dialog units.
#pragma once

#include <QFont>
#include <QWidget>

#include "platform/window/dialog_template.h"

namespace qtplatform {

// Pixels per dialog unit across and down, from the dialog's font: a quarter of its average character
// width, an eighth of its height.
struct DialogUnits {
  double x = 1.5;
  double y = 1.625;
  static DialogUnits Of(const QFont& font);
  QRect Place(int x, int y, int cx, int cy) const;
};

// The dialog's font: the template's when this system has it, else the nearest sans-serif one.
QFont DialogFont(const win::DialogTemplate& layout);

// A widget for `item` on `surface`, placed and shown; null for a kind it cannot show.
QWidget* NewDialogItem(QWidget& surface, const win::DialogItem& item, const DialogUnits& units);

QPixmap PixmapOf(const win::Image& image);

}  // namespace qtplatform
