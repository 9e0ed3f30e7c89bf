#include "platform/qt/dialog_items.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <cmath>

namespace qtplatform {

namespace {

constexpr int kOneLineUnits = 14;  // the height of a one-line text, in dialog units

// Static texts and group titles show "&" as the access mark only on buttons; elsewhere "&&" is one "&".
QString WithoutAccessMarks(const std::string& text) {
  QString shown;
  const QString source = QString::fromStdString(text);
  for (qsizetype i = 0; i < source.size(); ++i) {
    if (source[i] == '&' && i + 1 < source.size()) ++i;
    shown += source[i];
  }
  return shown;
}

QLabel* NewText(QWidget& surface, const win::DialogItem& item) {
  auto* label = new QLabel(WithoutAccessMarks(item.text), &surface);
  // A text of one line's height stays on one line (a centred one too wide shows its middle); taller ones
  // wrap at word boundaries.
  label->setWordWrap(item.cy > kOneLineUnits);
  if (item.style & win::SS_CENTER) label->setAlignment(Qt::AlignCenter);
  if (item.style & win::SS_SUNKEN) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  if (item.style & win::WS_BORDER) label->setFrameStyle(QFrame::Box | QFrame::Plain);
  return label;
}

QLabel* NewPicture(QWidget& surface, const win::DialogItem& item) {
  auto* label = new QLabel(&surface);
  if (item.picture) label->setPixmap(PixmapOf(*item.picture));
  label->setAlignment(item.style & win::SS_CENTERIMAGE ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget* NewWidget(QWidget& surface, const win::DialogItem& item) {
  using Kind = win::DialogItem::Kind;
  const QString text = QString::fromStdString(item.text);
  switch (item.kind) {
    case Kind::kPushButton:
    case Kind::kDefaultPushButton: {
      auto* button = new QPushButton(text, &surface);
      button->setDefault(item.kind == Kind::kDefaultPushButton);
      return button;
    }
    case Kind::kCheckBox:
      return new QCheckBox(text, &surface);
    case Kind::kRadioButton:
      return new QRadioButton(text, &surface);
    case Kind::kGroupBox:
      return new QGroupBox(WithoutAccessMarks(item.text), &surface);
    case Kind::kText:
      return NewText(surface, item);
    case Kind::kPicture:
      return NewPicture(surface, item);
    case Kind::kTabs: {
      auto* tabs = new QTabWidget(&surface);
      for (const QString& caption : text.split('\n')) tabs->addTab(new QWidget(tabs), caption);
      return tabs;
    }
  }
  return nullptr;
}

}  // namespace

DialogUnits DialogUnits::Of(const QFont& font) {
  const QFontMetricsF metrics(font);
  const double average =
      metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52.0;
  return {average / 4.0, metrics.height() / 8.0};
}

QRect DialogUnits::Place(int left, int top, int cx, int cy) const {
  return QRect(static_cast<int>(std::lround(left * x)), static_cast<int>(std::lround(top * y)),
               static_cast<int>(std::lround(cx * x)), static_cast<int>(std::lround(cy * y)));
}

QFont DialogFont(const win::DialogTemplate& layout) {
  const QString family = QString::fromStdString(layout.font_name);
  QFont font = QFontDatabase::hasFamily(family) ? QFont(family)
                                                : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSize(layout.font_points > 0 ? layout.font_points : 8);
  return font;
}

QWidget* NewDialogItem(QWidget& surface, const win::DialogItem& item, const DialogUnits& units) {
  QWidget* widget = NewWidget(surface, item);
  if (!widget) return nullptr;
  widget->setGeometry(units.Place(item.x, item.y, item.cx, item.cy));
  if (item.kind == win::DialogItem::Kind::kGroupBox) widget->lower();  // under the items it frames
  widget->show();
  return widget;
}

QPixmap PixmapOf(const win::Image& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.argb.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
    return {};
  const QImage pixels(reinterpret_cast<const uchar*>(image.argb.data()), image.width, image.height,
                      static_cast<qsizetype>(image.width) * 4, QImage::Format_ARGB32);
  return QPixmap::fromImage(pixels.copy());
}

}  // namespace qtplatform
