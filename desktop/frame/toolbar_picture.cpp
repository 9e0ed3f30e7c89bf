#include "desktop/frame/toolbar_picture.h"

#include <QPainter>

namespace kestrix {

QPixmap FindTextInFilesPicture(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  // The page with a folded corner and its lines of text.
  painter.setPen(QPen(QColor(90, 90, 100), 1.2));
  painter.setBrush(QColor(250, 250, 245));
  painter.drawPolygon(QPolygonF({{5, 2}, {19, 2}, {25, 8}, {25, 29}, {5, 29}}));
  painter.drawLine(QPointF(19, 2), QPointF(19, 8));
  painter.drawLine(QPointF(19, 8), QPointF(25, 8));
  painter.setPen(QPen(QColor(150, 150, 160), 1.5));
  for (int line = 0; line < 5; ++line)
    painter.drawLine(QPointF(8, 11 + line * 3.5), QPointF(22, 11 + line * 3.5));
  // The glass over the lower right of the page.
  painter.setBrush(QColor(255, 255, 255, 160));
  painter.setPen(QPen(QColor(40, 70, 140), 2.2));
  painter.drawEllipse(QPointF(18, 19), 5.5, 5.5);
  painter.setPen(QPen(QColor(120, 80, 40), 3.5, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(22, 23), QPointF(28, 29));
  return picture;
}

}  // namespace kestrix
