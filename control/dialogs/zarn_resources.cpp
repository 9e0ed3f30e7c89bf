#include "control/dialogs/zarn_resources.h"

#include <map>

#include "control/dialogs/zarn_pictures.h"
#include "platform/window/dialog.h"

namespace zarn {

namespace {

using Kind = win::DialogItem::Kind;

constexpr const char* kFont = "MS Sans Serif";
constexpr const char* kVersionText = "Kestrix Version 2.x";
constexpr const char* kNoticeText = "Copyright (C) 2026 The Kestrix team. All rights reserved.";
constexpr const char* kOtherToolsTitle = "Also by the Kestrix team";
constexpr const char* kOtherTools =
    "Kestrix Compare: folders side by side\nKestrix Rename: names in bulk\nKestrix Archive: old files put "
    "away";

// What the about page and the about box share, shifted by `dx` across.
std::vector<win::DialogItem> AboutItems(int dx, int width) {
  return {
      {Kind::kPicture, -1, "", dx + 8, 8, 20, 20, 0, &ControlIcon()},
      {Kind::kText, -1, kVersionText, dx + 36, 8, width - 44, 10},
      {Kind::kText, -1, kNoticeText, dx + 36, 20, width - 44, 10},
      {Kind::kPicture, kIdAboutPicture, "", dx + 8, 34, 70, 70, win::SS_CENTERIMAGE, &AboutPicture()},
      {Kind::kGroupBox, -1, kOtherToolsTitle, dx + 84, 34, width - 92, 44},
      {Kind::kText, -1, kOtherTools, dx + 90, 45, width - 104, 30},
      {Kind::kText, kIdChangingLine, kChangingLineStart, dx + 84, 84, width - 92, 14,
       win::SS_CENTER | win::SS_SUNKEN | win::WS_BORDER},
  };
}

win::DialogTemplate GeneralPage() {
  return {200,
          "",
          250,
          110,
          win::WS_CHILD,
          kFont,
          8,
          {
              {Kind::kPicture, -1, "", 15, 7, 20, 20, 0, &ControlIcon()},
              {Kind::kPicture, -1, "", 40, 12, 100, 16, 0, &TitleBitmap()},
              {Kind::kGroupBox, -1, "Basic Settings", 16, 37, 88, 66},
              {Kind::kCheckBox, kIdCaseSensitive, "&Case Sensitive", 24, 50, 76, 10},
              {Kind::kCheckBox, kIdLookInSubfolders, "&Look In Subfolders", 24, 63, 76, 10},
              {Kind::kCheckBox, kIdWholeWordOnly, "&Whole Word Only", 24, 76, 76, 10},
              {Kind::kCheckBox, kIdRegularExpression, "Regular &Expression", 24, 89, 76, 10},
              {Kind::kGroupBox, -1, "Thread Priority", 112, 37, 88, 66},
              {Kind::kRadioButton, kIdPriorityIdle, "&Idle", 120, 48, 72, 10, win::WS_GROUP},
              {Kind::kRadioButton, kIdPriorityIdle + 1, "Lowe&st", 120, 59, 72, 10},
              {Kind::kRadioButton, kIdPriorityIdle + 2, "&Normal", 120, 70, 72, 10},
              {Kind::kRadioButton, kIdPriorityIdle + 3, "&Highest", 120, 81, 72, 10},
              {Kind::kRadioButton, kIdPriorityTimeCritical, "&Time Critical", 120, 92, 72, 10},
          }};
}

win::DialogTemplate AboutPage() {
  return {1, "", 250, 110, win::WS_CHILD, kFont, 8, AboutItems(0, 250)};
}

win::DialogTemplate AboutBox() {
  win::DialogTemplate layout{201,
                             "  Kestrix By Brantwell, Inc.",
                             287,
                             119,
                             win::DS_MODALFRAME | win::DS_CENTER,
                             kFont,
                             8,
                             AboutItems(0, 230)};
  layout.items.push_back({Kind::kDefaultPushButton, win::kDialogOk, "OK", 235, 8, 44, 14});
  return layout;
}

}  // namespace

std::string LoadString(int id) {
  static const std::map<int, std::string> table = {{kStringControlTypeName, "Kestrix Control"},
                                                   {kStringPropPageName, "Kestrix Property Page"},
                                                   {kStringGeneralCaption, "&General"},
                                                   {kStringAboutCaption, "&About"}};
  const auto found = table.find(id);
  return found == table.end() ? std::string() : found->second;
}

const win::DialogTemplate& GeneralPageTemplate() {
  static const win::DialogTemplate layout = GeneralPage();
  return layout;
}

const win::DialogTemplate& AboutPageTemplate() {
  static const win::DialogTemplate layout = AboutPage();
  return layout;
}

const win::DialogTemplate& AboutBoxTemplate() {
  static const win::DialogTemplate layout = AboutBox();
  return layout;
}

}  // namespace zarn
