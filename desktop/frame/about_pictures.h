// The six pictures of the About window's animation: a magnifying glass sweeping over a line of text.
#pragma once

#include <QPixmap>

namespace kestrix {

// Picture `number` (1 to 6) of the animation, `size` pixels square.
QPixmap AboutPicture(int number, int size);

}  // namespace kestrix
