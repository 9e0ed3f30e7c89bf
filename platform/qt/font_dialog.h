// The common dialog's font part: the font settings a window keeps (name, size, bold, italic) and the
// modal font dialog that lets the user change them. Only screen fonts that exist can be chosen; a cancel
// changes nothing. A program without a screen, such as a test, puts a presenter of its own in place.
#pragma once

#include <QFont>
#include <QString>
#include <functional>
#include <optional>

#include "platform/window/scoped_presenter.h"

class QWidget;

namespace qtplatform {

struct FontSettings {
  QString FontName;
  float FontSize = 0;
  bool FontBold = false;
  bool FontItalic = false;

  QFont ToFont() const;
  static FontSettings FromFont(const QFont& font);
  bool operator==(const FontSettings&) const = default;
};

// The font the user chose starting from `current`, or nullopt when they cancelled.
std::optional<FontSettings> ShowFontDialog(QWidget* owner, const FontSettings& current);

using FontPresenter = std::function<std::optional<FontSettings>(QWidget* owner, const FontSettings& current)>;
// Puts `presenter` in place (an empty one restores the real dialog); returns the one it replaces.
FontPresenter SetFontPresenter(FontPresenter presenter);
// The presenter in place for as long as the object lives.
using ScopedFontPresenter = win::ScopedPresenter<FontPresenter, SetFontPresenter>;

}  // namespace qtplatform
