#include "platform/qt/font_dialog.h"

#include <QFontDialog>
#include <utility>

namespace qtplatform {

namespace {
FontPresenter& Presenter() {
  static FontPresenter presenter;
  return presenter;
}
}  // namespace

QFont FontSettings::ToFont() const {
  QFont font(FontName);
  if (FontSize > 0) font.setPointSizeF(FontSize);
  font.setBold(FontBold);
  font.setItalic(FontItalic);
  return font;
}

FontSettings FontSettings::FromFont(const QFont& font) {
  return {font.family(), static_cast<float>(font.pointSizeF()), font.bold(), font.italic()};
}

std::optional<FontSettings> ShowFontDialog(QWidget* owner, const FontSettings& current) {
  if (const FontPresenter& presenter = Presenter()) return presenter(owner, current);
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, current.ToFont(), owner);
  if (!chosen) return std::nullopt;
  return FontSettings::FromFont(font);
}

FontPresenter SetFontPresenter(FontPresenter presenter) {
  return std::exchange(Presenter(), std::move(presenter));
}

}  // namespace qtplatform
