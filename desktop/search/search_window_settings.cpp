// The search window's settings in the program's settings file: the results grid's column widths and the
// two flags (section "General"), the font (section "CompareDir"), the three search histories, and the
// window's placement in the per-user settings store.
#include <QMdiSubWindow>
#include <charconv>
#include <cmath>

#include "desktop/frame/placement_settings.h"
#include "desktop/frame/settings_file.h"
#include "desktop/frame/widget_placement.h"
#include "desktop/search/search_window.h"
#include "platform/qt/flex_grid.h"

namespace kestrix {

namespace {

constexpr const char* kGeneral = "General";
constexpr const char* kFontSection = "CompareDir";
constexpr const char* kColumnKeys[4] = {"Col1Width", "Col2Width", "Col3Width", "Col4Width"};
constexpr int kDefaultColumnWidths[4] = {2150, 630, 450, 1750};

// A number the program wrote itself; anything else (a hand-edited file) gives the default.
template <typename Number>
Number NumberOr(const std::string& text, Number fallback) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

// The window's flags are false only when the text is exactly "FALSE".
bool FlagOf(const std::string& text) {
  return text != "FALSE";
}

const char* FlagText(bool value) {
  return value ? "TRUE" : "FALSE";
}

std::string SizeText(float size) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, size);
  return error == std::errc() ? std::string(text, end) : "9";
}

}  // namespace

void frmFindTextInFiles::ReadIniFile() {
  const std::string& ini = frame_.IniFile();
  PlacementSettings store(kProgramTitle);
  WidgetPlacement placement(*sub_window_, objectName().toStdString());
  RestoreWindowPlacement(placement, store);
  for (int col = 0; col < 4; ++col) {
    const std::string fallback = std::to_string(kDefaultColumnWidths[col]);
    settings_.mlColWidth[col] =
        NumberOr(ReadSetting(ini, kGeneral, kColumnKeys[col], fallback), kDefaultColumnWidths[col]);
  }
  settings_.mbStreamFindings = FlagOf(ReadSetting(ini, kGeneral, "StreamFindings", "FALSE"));
  settings_.mbBeepWhenDone = FlagOf(ReadSetting(ini, kGeneral, "BeepWhenDone_FindText", "TRUE"));
  LoadHistory(ini, "SearchPath", folder_history_);
  LoadHistory(ini, "FileExt", ext_history_);
  LoadHistory(ini, "SearchFor", text_history_);
  settings_.CommonDialog1.FontName =
      QString::fromStdString(ReadSetting(ini, kFontSection, "FontName", "Courier New"));
  // A stored fraction is rounded to the nearest whole size.
  settings_.CommonDialog1.FontSize =
      std::round(NumberOr(ReadSetting(ini, kFontSection, "FontSize", "9"), 9.0F));
  if (settings_.CommonDialog1.FontSize < 1) settings_.CommonDialog1.FontSize = 9;
  settings_.CommonDialog1.FontBold = FlagOf(ReadSetting(ini, kFontSection, "FontBold", "FALSE"));
  settings_.CommonDialog1.FontItalic = FlagOf(ReadSetting(ini, kFontSection, "FontItalic", "FALSE"));
}

void frmFindTextInFiles::SaveIniFile() {
  const std::string& ini = frame_.IniFile();
  PlacementSettings store(kProgramTitle);
  WidgetPlacement placement(*sub_window_, objectName().toStdString());
  SaveWindowPlacement(placement, store);
  WriteSetting(ini, kGeneral, "StreamFindings", FlagText(settings_.mbStreamFindings));
  WriteSetting(ini, kGeneral, "BeepWhenDone_FindText", FlagText(settings_.mbBeepWhenDone));
  WriteSetting(ini, kFontSection, "FontName", settings_.CommonDialog1.FontName.toStdString());
  WriteSetting(ini, kFontSection, "FontSize", SizeText(settings_.CommonDialog1.FontSize));
  WriteSetting(ini, kFontSection, "FontBold", FlagText(settings_.CommonDialog1.FontBold));
  WriteSetting(ini, kFontSection, "FontItalic", FlagText(settings_.CommonDialog1.FontItalic));
}

void frmFindTextInFiles::SaveColumnWidths() {
  if (!fgFiles) return;
  for (int col = 0; col < 4; ++col)
    WriteSetting(frame_.IniFile(), kGeneral, kColumnKeys[col], std::to_string(fgFiles->ColWidth(col)));
}

}  // namespace kestrix
