#include "desktop/frame/about_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "desktop/frame/about_pictures.h"

namespace kestrix {

namespace {
constexpr int kPictures = 6;
constexpr int kPictureSize = 64;
constexpr int kStepMilliseconds = 500;
}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle("About Kestrix");
  setModal(true);
  auto* pictures = new QGridLayout;
  for (int i = 0; i < kPictures; ++i) {
    images_[i] = new QLabel(this);
    images_[i]->setObjectName(QString("Image%1").arg(i + 1));
    images_[i]->setPixmap(AboutPicture(i + 1, kPictureSize));
    images_[i]->setVisible(false);
    // The pictures' place is kept while none is shown, so the texts do not move when the first arrives.
    QSizePolicy policy = images_[i]->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    images_[i]->setSizePolicy(policy);
    pictures->addWidget(images_[i], 0, 0);  // all at the same place: the visible one is the frame
  }
  auto* product = new QLabel("Kestrix (Pro)", this);
  product->setObjectName("lblProduct");
  QFont large = product->font();
  large.setPointSizeF(large.pointSizeF() * 1.6);
  large.setBold(true);
  product->setFont(large);
  auto* maker = new QLabel(
      "Finds text in files: plain strings and small wildcard patterns,\n"
      "in folders and their subfolders, in text and Office documents.\n\n"
      "Made by the Kestrix team. Write to us through the Kestrix project's\n"
      "issue tracker with questions, ideas and reports of anything amiss.",
      this);
  maker->setObjectName("lblMaker");
  auto* texts = new QVBoxLayout;
  texts->addWidget(product);
  texts->addWidget(maker);
  auto* layout = new QGridLayout(this);
  layout->addLayout(pictures, 0, 0, Qt::AlignTop);
  layout->addLayout(texts, 0, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Timer1.setInterval(kStepMilliseconds);
  connect(&Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
  Timer1.start();
}

void frmAbout::Timer1_Timer() {
  images_[step_ - 1]->setVisible(true);
  images_[(step_ + kPictures - 2) % kPictures]->setVisible(false);
  step_ = step_ % kPictures + 1;
}

int frmAbout::VisiblePicture() const {
  for (int i = 0; i < kPictures; ++i)
    if (!images_[i]->isHidden()) return i + 1;
  return 0;
}

}  // namespace kestrix
