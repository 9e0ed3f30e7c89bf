// Pictures of the search control's own dialogs as a Qt host shows them: its about box and its two
// property pages in the property frame.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kestrix::screenshots {

using SavePicture = std::function<bool(QWidget& window, const QString& name)>;

// Creates the control by its class identity and pictures its dialogs; false when one never showed.
bool ShootControlDialogs(const SavePicture& save);

}  // namespace kestrix::screenshots
