#include "desktop/search/status_texts.h"

namespace kestrix {

QString ElapsedSecondsText(std::uint32_t milliseconds) {
  QString seconds = QString::number(milliseconds / 1000);
  if (const std::uint32_t fraction = milliseconds % 1000; fraction != 0) {
    QString digits = QString("%1").arg(fraction, 3, 10, QChar('0'));
    while (digits.endsWith('0')) digits.chop(1);
    seconds += "." + digits;
  }
  return seconds + " (Sec)";
}

QString ControlMissingText(unsigned result) {
  const QString code = QString("%1").arg(result, 8, 16, QChar('0')).toUpper();
  return QString(kErrorLinePrefix) +
         QString("The search control cannot be created (error 0x%1); is libzarn.so registered?").arg(code);
}

}  // namespace kestrix
