#include "desktop/frame/about_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace kestrix {

QPixmap AboutPicture(int number, int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 64.0, size / 64.0);
  // Three lines of "text" the glass searches.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(150, 150, 160));
  for (int line = 0; line < 3; ++line) painter.drawRoundedRect(QRectF(6, 16 + line * 14, 52, 5), 2, 2);
  // The glass moves across the middle line, one sixth of the way per picture.
  const double x = 12 + (number - 1) * 8;
  painter.setBrush(QColor(255, 255, 255, 150));
  painter.setPen(QPen(QColor(40, 70, 140), 3));
  painter.drawEllipse(QPointF(x, 30), 9, 9);
  painter.setPen(QPen(QColor(120, 80, 40), 5, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(x + 6.5, 36.5), QPointF(x + 14, 44));
  return picture;
}

}  // namespace kestrix
