// frmAbout: the About window, opened modally from the Help menu. It shows the product name and the
// maker's texts and plays a six-picture animation, one picture every 500 ms; the user closes it with the
// close box, which ends it (each opening starts afresh at picture 1).
#pragma once

#include <QDialog>
#include <QTimer>
#include <array>

class QLabel;

namespace kestrix {

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* parent = nullptr);

  // One step of the animation: shows picture `step`, hides the one before it, moves to the next step.
  void Timer1_Timer();

  int AnimationStep() const { return step_; }
  // Which of Image1 .. Image6 is visible (1 to 6), 0 when none.
  int VisiblePicture() const;

  QTimer Timer1;

 private:
  std::array<QLabel*, 6> images_{};
  int step_ = 1;
};

}  // namespace kestrix
