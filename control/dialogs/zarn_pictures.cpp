#include "control/dialogs/zarn_pictures.h"

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string_view>

namespace zarn {

namespace {

// Each picture is drawn in characters, one per pixel, with this palette ('.' is transparent).
std::uint32_t ColourOf(char pixel) {
  static const std::map<char, std::uint32_t> palette = {
      {'.', 0x00000000}, {'k', 0xFF202830}, {'g', 0xFF6FA8DC}, {'w', 0xFFFFFFFF}, {'p', 0xFFE8E4D8},
      {'l', 0xFF9A9A9A}, {'h', 0xFF8B5A2B}, {'b', 0xFF1F4E8C}, {'o', 0xFFE69138}, {'r', 0xFFB03A2E}};
  const auto found = palette.find(pixel);
  return found == palette.end() ? 0 : found->second;
}

// `rows` drawn `scale` times larger.
win::Image Draw(std::span<const std::string_view> rows, int scale) {
  win::Image image;
  image.height = static_cast<int>(rows.size()) * scale;
  image.width = static_cast<int>(rows.front().size()) * scale;
  image.argb.reserve(static_cast<std::size_t>(image.width) * image.height);
  for (std::string_view row : rows)
    for (int copy = 0; copy < scale; ++copy)
      for (char pixel : row)
        for (int across = 0; across < scale; ++across) image.argb.push_back(ColourOf(pixel));
  return image;
}

// A page of text under a magnifying glass, 16 by 16.
constexpr std::string_view kMagnifier[] = {
    "pppppppppp......", "plllllllp.......", "pppppppppp......", "pllllkkkkp......",
    "pppkkggggkk.....", "pllkgwggggk.....", "ppkgwgggggk.....", "plkggggggggk....",
    "ppkgggggggk.....", "pllkgggggkk.....", "pppkkggggkhh....", "pllllkkkk..hh...",
    "pppppppppp..hhh.", "pllllllllp...hhh", "pppppppppp....hh", "................"};

// The same glass with a bold frame, as a container shows the control while a program is designed.
constexpr std::string_view kDesignTime[] = {
    "bbbbbbbbbbbbbbbb", "bppppppppppppppb", "bplllllllpppbppb", "bppppkkkkpppppbb",
    "bpplkggggkkpppbb", "bppkgwggggkppppb", "bpkgwgggggkllppb", "bpkggggggggkpppb",
    "bppkgggggggkpppb", "bpllkgggggkklppb", "bpppkkggggkhhppb", "bpllllkkkkpphhpb",
    "bppppppppppppphb", "bpllllllllppppbb", "bppppppppppppppb", "bbbbbbbbbbbbbbbb"};

// 16 by 15: the glass alone.
constexpr std::string_view kToolbox[] = {
    "................", "....kkkkk.......", "...kggggwk......", "..kggggggwk.....", "..kgggggggk.....",
    "..kgggggggk.....", "..kgggggggk.....", "...kgggggk......", "....kkkkkhh.....", ".........hhh....",
    "..........hhh...", "...........hhh..", "............hhh.", ".............hh.", "................"};

// A bird of prey hovering over a line of text, 16 by 16 (drawn four times larger).
constexpr std::string_view kAbout[] = {
    "................", "......oo........", ".....oook.......", "oooooooooooooo..",
    ".oooooorrooooo..", "...ooorrroo.....", ".....orrro......", "......ooo.......",
    ".......o........", "................", "kkkk.kkkkk.kkk..", "................",
    "kkkkkk.kkk.kkkk.", "................", "kkk.kkkkkkk.kk..", "................"};

// Block letters, 5 by 7 each, for the title.
using Letter = std::array<std::string_view, 7>;

const std::map<char, Letter>& Letters() {
  static const std::map<char, Letter> letters = {
      {'K', {"b...b", "b..b.", "b.b..", "bb...", "b.b..", "b..b.", "b...b"}},
      {'E', {"bbbbb", "b....", "b....", "bbbb.", "b....", "b....", "bbbbb"}},
      {'S', {".bbbb", "b....", "b....", ".bbb.", "....b", "....b", "bbbb."}},
      {'T', {"bbbbb", "..b..", "..b..", "..b..", "..b..", "..b..", "..b.."}},
      {'R', {"bbbb.", "b...b", "b...b", "bbbb.", "b.b..", "b..b.", "b...b"}},
      {'I', {".bbb.", "..b..", "..b..", "..b..", "..b..", "..b..", ".bbb."}},
      {'X', {"b...b", "b...b", ".b.b.", "..b..", ".b.b.", "b...b", "b...b"}}};
  return letters;
}

win::Image Title(std::string_view word, int scale) {
  win::Image image;
  const int letter_width = 6;  // 5 columns and a gap
  image.width = static_cast<int>(word.size()) * letter_width * scale;
  image.height = 7 * scale;
  image.argb.assign(static_cast<std::size_t>(image.width) * image.height, 0);
  for (std::size_t index = 0; index < word.size(); ++index) {
    const Letter& rows = Letters().at(word[index]);
    int y = 0;
    for (std::string_view row : rows) {
      for (int x = 0; x < 5; ++x)
        for (int dy = 0; dy < scale; ++dy)
          for (int dx = 0; dx < scale; ++dx) {
            const int px = (static_cast<int>(index) * letter_width + x) * scale + dx;
            image.argb[(static_cast<std::size_t>(y * scale + dy) * image.width) +
                       static_cast<std::size_t>(px)] = ColourOf(row[x]);
          }
      ++y;
    }
  }
  return image;
}

}  // namespace

const win::Image& ControlIcon() {
  static const win::Image image = Draw(kMagnifier, 2);
  return image;
}

const win::Image& DesignTimeIcon() {
  static const win::Image image = Draw(kDesignTime, 2);
  return image;
}

const win::Image& ToolboxBitmap() {
  static const win::Image image = Draw(kToolbox, 1);
  return image;
}

const win::Image& TitleBitmap() {
  static const win::Image image = Title("KESTRIX", 2);
  return image;
}

const win::Image& AboutPicture() {
  static const win::Image image = Draw(kAbout, 4);
  return image;
}

}  // namespace zarn
