// The control's property pages and about box shown by a Qt program, driven with the mouse as a
// developer does: the general page's values both ways, the about box's changing line across showings,
// and the property frame the Properties verb opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "control/automation/zarn_automation.h"
#include "control/dialogs/changing_line.h"
#include "control/dialogs/zarn_property_pages.h"
#include "control/dialogs/zarn_resources.h"
#include "platform/ole/dispatch_driver.h"
#include "platform/qt/dialog_renderer.h"
#include "platform/qt/message_pump.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

template <typename Widget>
Widget* Named(QWidget& parent, const QString& text) {
  for (Widget* widget : parent.findChildren<Widget*>())
    if (widget->text() == text) return widget;
  ADD_FAILURE() << "no " << text.toStdString();
  return nullptr;
}

// Clicks a check box or radio button on its mark, where the user clicks.
void ClickMark(QWidget* button) {
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

class PropertyPages : public ::testing::Test {
 protected:
  ole::DispatchDriver Driver() {
    return ole::DispatchDriver(ole::ComPtr<ole::IDispatch>(static_cast<ole::IDispatch*>(control_.Get())));
  }
  bool WaitUntil(const std::function<bool()>& condition) {
    return kx::test::WaitFor(condition, std::chrono::seconds(20), [] {
      QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    });
  }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_.path()};
  qtplatform::QtDialogRenderer renderer_;
  qtplatform::MessagePump pump_;
  ole::ComPtr<ZarnAutomation> control_ = ole::MakeObject<ZarnAutomation>();
};

TEST_F(PropertyPages, TheGeneralPageShowsTheOptionsAndAppliesTheUsersChanges) {
  // A control whose options come from its settings file, so that it starts unmodified.
  folder_.Write("kestrix/Zarn_v2.INI", "[General]\nThreadPriority=3\nCaseSensitive=TRUE\n");
  control_ = ole::MakeObject<ZarnAutomation>();
  ASSERT_FALSE(control_->IsModified());
  ole::DispatchDriver control = Driver();
  const ole::ComPtr<CZarnPropPage> page = ole::MakeObject<CZarnPropPage>();
  ole::IUnknown* objects[] = {static_cast<ole::IDispatch*>(control_.Get())};
  page->SetObjects(1, objects);
  QWidget host;
  host.resize(400, 200);
  host.show();
  ASSERT_EQ(page->Activate(renderer_.WindowOf(&host), {0, 0, 375, 179}, true), ole::S_OK);
  EXPECT_TRUE(Named<QRadioButton>(host, "&Highest")->isChecked());
  EXPECT_TRUE(Named<QCheckBox>(host, "&Case Sensitive")->isChecked());
  EXPECT_EQ(page->IsPageDirty(), ole::S_FALSE);

  ClickMark(Named<QRadioButton>(host, "&Idle"));
  ClickMark(Named<QCheckBox>(host, "&Case Sensitive"));
  EXPECT_EQ(page->IsPageDirty(), ole::S_OK);
  ASSERT_EQ(page->Apply(), ole::S_OK);
  EXPECT_EQ(control.GetLong("ThreadPriority"), 0);
  EXPECT_FALSE(control.GetBool("CaseSensitive"));
  EXPECT_TRUE(control_->IsModified());
  EXPECT_EQ(page->IsPageDirty(), ole::S_FALSE);
  EXPECT_EQ(page->Deactivate(), ole::S_OK);
  EXPECT_TRUE(host.findChildren<QRadioButton*>().isEmpty());
}

// Waits in the about box for its next line, then presses OK; returns the line it saw.
QString ShowAboutBoxUntilItsLineChanges(ole::IDispatch& control) {
  QString seen;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box) return;
    QLabel* line = nullptr;
    for (QLabel* label : box->findChildren<QLabel*>())
      if (label->frameShape() != QFrame::NoFrame) line = label;
    if (!line || line->text() == kChangingLineStart) return;
    seen = line->text();
    watch.stop();
    QTest::mouseClick(Named<QPushButton>(*box, "OK"), Qt::LeftButton);
  });
  watch.start(20);
  ole::DISPPARAMS none;
  EXPECT_EQ(control.Invoke(ole::DISPID_ABOUTBOX, ole::GUID_NULL, 0, ole::DISPATCH_METHOD, &none, nullptr,
                           nullptr, nullptr),
            ole::S_OK);
  return seen;
}

TEST_F(PropertyPages, ASecondAboutBoxGoesOnWithTheLinesWhereTheFirstStopped) {
  const int first = ChangingLine::OfAboutBox().Next();
  const auto& lines = ChangingLine::Lines();
  EXPECT_EQ(ShowAboutBoxUntilItsLineChanges(*static_cast<ole::IDispatch*>(control_.Get())).toStdString(),
            lines[first]);
  EXPECT_EQ(ShowAboutBoxUntilItsLineChanges(*static_cast<ole::IDispatch*>(control_.Get())).toStdString(),
            lines[(first + 1) % lines.size()]);
}

TEST_F(PropertyPages, ThePropertiesVerbShowsBothPagesInAFrameAndOkAppliesThem) {
  QTimer::singleShot(0, [] {
    QWidget* frame = QApplication::activeModalWidget();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), "Kestrix Control Properties");
    auto* tabs = frame->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "&General");
    EXPECT_EQ(tabs->tabText(1), "&About");
    ClickMark(Named<QCheckBox>(*frame, "Regular &Expression"));
    QTest::mouseClick(Named<QPushButton>(*frame, "OK"), Qt::LeftButton);
  });
  EXPECT_EQ(control_->DoVerb(ole::OLEIVERB_PROPERTIES, nullptr, nullptr), ole::S_OK);
  EXPECT_TRUE(Driver().GetBool("RegularExpression"));
}

}  // namespace
}  // namespace zarn::test
