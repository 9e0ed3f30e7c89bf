// The control library's pictures, kept as data: the control's icon (1), its icon in a container at
// design time (203), its toolbox bitmap (1), the title of the general page (205) and the picture of the
// about page and about box (206).
#pragma once

#include "platform/window/dialog_template.h"

namespace zarn {

const win::Image& ControlIcon();     // icon 1, 32 by 32
const win::Image& DesignTimeIcon();  // icon 203, 32 by 32
const win::Image& ToolboxBitmap();   // bitmap 1, 16 by 15
const win::Image& TitleBitmap();     // bitmap 205: the product's name in block letters
const win::Image& AboutPicture();    // bitmap 206, 64 by 64

}  // namespace zarn
