// Dialog templates: a dialog described as data, the way a library keeps its dialogs among its
// resources — caption, size and items in dialog units, the font, and for each item its kind, id, text,
// place and style. Pictures are kept as data too (ARGB pixels).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace win {

// A picture of the resources: `width` by `height` pixels, rows top to bottom, 0xAARRGGBB.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
};

// Item styles the renderers honour.
inline constexpr unsigned WS_GROUP = 0x00020000;        // the first radio button of a group
inline constexpr unsigned WS_BORDER = 0x00800000;       // a thin frame
inline constexpr unsigned SS_CENTER = 0x00000001;       // text centred
inline constexpr unsigned SS_SUNKEN = 0x00001000;       // a sunken frame
inline constexpr unsigned SS_CENTERIMAGE = 0x00000200;  // a picture centred at its real size
// Dialog styles.
inline constexpr unsigned DS_MODALFRAME = 0x00000080;
inline constexpr unsigned DS_CENTER = 0x00000800;
inline constexpr unsigned WS_CHILD = 0x40000000;  // a page inside another window

struct DialogItem {
  // kTabs: a tab control; `text` holds the tabs' captions separated by "\n", and the page of tab i is
  // addressed as item `id` + 1 + i (GetDlgItem gives it as a window other dialogs can live in).
  enum class Kind {
    kPushButton,
    kDefaultPushButton,
    kCheckBox,
    kRadioButton,
    kGroupBox,
    kText,
    kPicture,
    kTabs
  };
  Kind kind;
  int id;            // -1 for items the code never addresses
  std::string text;  // "&" marks the access key
  int x, y, cx, cy;  // dialog units
  unsigned style = 0;
  const Image* picture = nullptr;  // kPicture
};

struct DialogTemplate {
  int id;
  std::string caption;
  int cx, cy;  // dialog units
  unsigned style = 0;
  std::string font_name;  // the renderer takes the nearest font it has
  int font_points = 8;
  std::vector<DialogItem> items;
};

}  // namespace win
