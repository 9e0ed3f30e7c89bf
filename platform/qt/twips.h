// Twips (1/1440 inch), the layout unit of the desktop program's windows, and the pixels Qt works in.
// The conversion uses the logical dots per inch of the widget's screen.
#pragma once

class QWidget;

namespace qtplatform {

inline constexpr int kTwipsPerInch = 1440;

// Logical dots per inch, across and down.
struct LogicalDpi {
  double x = 96.0;
  double y = 96.0;
};

// The logical DPI of the widget's screen (of the primary screen for a null widget); 96 when there is none.
LogicalDpi LogicalDpiOf(const QWidget* widget);

// Both round to the nearest whole unit.
int TwipsToPixels(int twips, double dpi);
int PixelsToTwips(int pixels, double dpi);

int TwipsToPixelsX(int twips, const QWidget* widget);
int TwipsToPixelsY(int twips, const QWidget* widget);
int PixelsToTwipsX(int pixels, const QWidget* widget);
int PixelsToTwipsY(int pixels, const QWidget* widget);

}  // namespace qtplatform
