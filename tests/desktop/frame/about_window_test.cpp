// The About window's animation: pictures 1 to 6 in turn, one per tick, starting afresh at each opening.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "desktop/frame/about_window.h"

namespace kestrix {
namespace {

TEST(AboutWindow, ShowsItsCaptionAndTheProductName) {
  frmAbout about;
  EXPECT_EQ(about.windowTitle(), "About Kestrix");
  EXPECT_EQ(about.findChild<QLabel*>("lblProduct")->text(), "Kestrix (Pro)");
  EXPECT_TRUE(about.Timer1.isActive());
  EXPECT_EQ(about.Timer1.interval(), 500);
}

TEST(AboutWindow, EachTickShowsTheNextPictureAndHidesTheOneBefore) {
  frmAbout about;
  about.show();
  EXPECT_EQ(about.VisiblePicture(), 0);  // nothing until the first tick
  for (int round = 0; round < 2; ++round) {
    for (int picture = 1; picture <= 6; ++picture) {
      about.Timer1_Timer();
      EXPECT_EQ(about.VisiblePicture(), picture);
      EXPECT_FALSE(
          about.findChild<QLabel*>(QString("Image%1").arg(picture == 1 ? 6 : picture - 1))->isVisible());
    }
  }
}

// Where the window's texts sit, in the window's coordinates, and how large the window is.
struct Arrangement {
  QSize window;
  QPoint product;
  QPoint maker;
  bool operator==(const Arrangement&) const = default;
};

void PrintTo(const Arrangement& a, std::ostream* out) {
  *out << "window " << a.window.width() << "x" << a.window.height() << ", product at " << a.product.x() << ","
       << a.product.y() << ", maker at " << a.maker.x() << "," << a.maker.y();
}

Arrangement ArrangementOf(const frmAbout& about) {
  return {about.size(), about.findChild<QLabel*>("lblProduct")->mapTo(&about, QPoint()),
          about.findChild<QLabel*>("lblMaker")->mapTo(&about, QPoint())};
}

TEST(AboutWindow, TheTextsStayPutWhenTheFirstPictureArrives) {
  frmAbout about;
  about.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
  const Arrangement opened = ArrangementOf(about);
  const QLabel* picture = about.findChild<QLabel*>("Image1");
  // The first tick shows picture 1; the window has taken it in once the picture has its own size and
  // lies inside the window.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return about.VisiblePicture() == 1 && picture->size() == picture->sizeHint() &&
               about.rect().contains(picture->geometry());
      },
      5000));
  EXPECT_EQ(ArrangementOf(about), opened);
}

TEST(AboutWindow, OpeningItAgainStartsAtPictureOne) {
  {
    frmAbout first;
    first.Timer1_Timer();
    first.Timer1_Timer();
    EXPECT_EQ(first.AnimationStep(), 3);
  }
  frmAbout second;
  EXPECT_EQ(second.AnimationStep(), 1);
  second.Timer1_Timer();
  EXPECT_EQ(second.VisiblePicture(), 1);
}

}  // namespace
}  // namespace kestrix
