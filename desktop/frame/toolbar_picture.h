// The picture of the main toolbar's button that opens the search window: a page of text under a
// magnifying glass.
#pragma once

#include <QPixmap>

namespace kestrix {

// The picture, `size` pixels square.
QPixmap FindTextInFilesPicture(int size);

}  // namespace kestrix
