// Dialogs from templates in a Qt program: the procedure sees its dialog initialised, the user's clicks
// and its timers; it reads and sets items by id and ends the dialog with a result. Without a renderer a
// dialog fails at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <vector>

#include "platform/qt/dialog_renderer.h"
#include "platform/qt/message_pump.h"

namespace qtplatform {
namespace {

using win::DialogItem;

win::DialogTemplate SampleLayout() {
  return {7,
          "Sample",
          160,
          80,
          win::DS_MODALFRAME | win::DS_CENTER,
          "MS Sans Serif",
          8,
          {{DialogItem::Kind::kCheckBox, 10, "&Check", 8, 8, 60, 10},
           {DialogItem::Kind::kRadioButton, 20, "&One", 8, 22, 40, 10, win::WS_GROUP},
           {DialogItem::Kind::kRadioButton, 21, "&Two", 50, 22, 40, 10},
           {DialogItem::Kind::kText, 30, "start", 8, 40, 140, 12, win::SS_CENTER | win::SS_SUNKEN},
           {DialogItem::Kind::kDefaultPushButton, win::kDialogOk, "OK", 100, 60, 50, 14}}};
}

// Runs `act` on the dialog once it shows.
void WhenShown(std::function<void(QWidget&)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

TEST(DialogRenderer, TheProcedureDrivesItsDialogAndEndsItWithAResult) {
  const QtDialogRenderer renderer;
  std::vector<std::string> seen;
  WhenShown([](QWidget& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Sample");
    EXPECT_EQ(dialog.findChildren<QLabel*>().front()->text(), "set at start");
    EXPECT_TRUE(dialog.findChildren<QRadioButton*>()[1]->isChecked());
    QTest::mouseClick(dialog.findChildren<QCheckBox*>().front(), Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_Escape);  // the procedure ignores Cancel: the dialog stays
    QTest::mouseClick(dialog.findChildren<QPushButton*>().front(), Qt::LeftButton);
  });
  const win::INT_PTR result = win::DialogBoxIndirectParam(
      nullptr, SampleLayout(),
      [&](win::HWND dialog, win::UINT message, win::WPARAM wParam, win::LPARAM init) -> win::INT_PTR {
        if (message == win::WM_INITDIALOG) {
          EXPECT_EQ(init, 42);
          win::SetDlgItemText(dialog, 30, "set at start");
          win::CheckRadioButton(dialog, 20, 21, 21);
        } else if (message == win::WM_COMMAND) {
          seen.push_back(std::to_string(wParam) + (win::IsDlgButtonChecked(dialog, 10) ? " checked" : ""));
          if (wParam == win::kDialogOk) win::EndDialog(dialog, 7);
        }
        return 0;
      },
      42);
  EXPECT_EQ(result, 7);
  EXPECT_EQ(seen, (std::vector<std::string>{"10 checked", "2 checked", "1 checked"}));
}

TEST(DialogRenderer, ADialogsTimersReachItsProcedure) {
  const QtDialogRenderer renderer;
  const MessagePump pump;
  int ticks = 0;
  const win::INT_PTR result = win::DialogBoxIndirectParam(
      nullptr, SampleLayout(),
      [&](win::HWND dialog, win::UINT message, win::WPARAM wParam, win::LPARAM) -> win::INT_PTR {
        if (message == win::WM_INITDIALOG) win::SetTimer(dialog, 0, 5);
        if (message == win::WM_TIMER && wParam == 0) {
          win::SetDlgItemText(dialog, 30, "tick " + std::to_string(++ticks));
          if (ticks == 3) win::EndDialog(dialog, win::kDialogOk);
        }
        return 0;
      },
      0);
  EXPECT_EQ(result, win::kDialogOk);
  EXPECT_EQ(ticks, 3);
}

TEST(DialogRenderer, AChildDialogLivesInsideAWidgetOfTheProgram) {
  QtDialogRenderer renderer;
  QWidget page_area;
  page_area.resize(400, 200);
  const win::HWND parent = renderer.WindowOf(&page_area);
  const win::HWND page = win::CreateDialogIndirectParam(
      parent, SampleLayout(),
      [](win::HWND, win::UINT, win::WPARAM, win::LPARAM) -> win::INT_PTR { return 0; }, 0);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(renderer.WidgetOf(page)->parentWidget(), &page_area);
  EXPECT_TRUE(win::CheckDlgButton(page, 10, win::BST_CHECKED));
  EXPECT_EQ(win::IsDlgButtonChecked(page, 10), win::BST_CHECKED);
  EXPECT_EQ(win::GetDlgItemText(page, 20), "&One");
  EXPECT_TRUE(win::MoveDialog(page, 5, 6, 300, 150));
  EXPECT_EQ(renderer.WidgetOf(page)->geometry(), QRect(5, 6, 300, 150));
  EXPECT_TRUE(win::DestroyDialog(page));
  EXPECT_FALSE(win::SetDlgItemText(page, 30, "gone"));
}

TEST(DialogRenderer, WithoutAUserInterfaceADialogFailsAtOnce) {
  const auto procedure = [](win::HWND, win::UINT, win::WPARAM, win::LPARAM) -> win::INT_PTR { return 0; };
  EXPECT_EQ(win::DialogBoxIndirectParam(nullptr, SampleLayout(), procedure, 0), -1);
  EXPECT_EQ(win::CreateDialogIndirectParam(nullptr, SampleLayout(), procedure, 0), nullptr);
}

}  // namespace
}  // namespace qtplatform
