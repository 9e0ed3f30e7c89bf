#include "platform/qt/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace qtplatform {

LogicalDpi LogicalDpiOf(const QWidget* widget) {
  const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
  if (!screen) return LogicalDpi{};
  return LogicalDpi{screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

int TwipsToPixels(int twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int PixelsToTwips(int pixels, double dpi) {
  if (dpi <= 0) return 0;
  return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

int TwipsToPixelsX(int twips, const QWidget* widget) {
  return TwipsToPixels(twips, LogicalDpiOf(widget).x);
}
int TwipsToPixelsY(int twips, const QWidget* widget) {
  return TwipsToPixels(twips, LogicalDpiOf(widget).y);
}
int PixelsToTwipsX(int pixels, const QWidget* widget) {
  return PixelsToTwips(pixels, LogicalDpiOf(widget).x);
}
int PixelsToTwipsY(int pixels, const QWidget* widget) {
  return PixelsToTwips(pixels, LogicalDpiOf(widget).y);
}

}  // namespace qtplatform
