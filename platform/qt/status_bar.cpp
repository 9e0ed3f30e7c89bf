#include "platform/qt/status_bar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace qtplatform {

StatusBar::StatusBar(const std::vector<int>& stretch, QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  for (std::size_t i = 0; i < stretch.size(); ++i) {
    auto* panel = new QLabel(this);
    panel->setObjectName(QString("Panel%1").arg(i + 1));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setTextFormat(Qt::PlainText);
    panel->setMargin(2);
    panel->installEventFilter(this);
    // A panel that shares the free width never asks for more: a growing text must not move the others.
    if (stretch[i] > 0) panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(panel, stretch[i]);
    panels_.push_back(panel);
  }
  setFixedHeight(sizeHint().height());
}

QLabel* StatusBar::Panel(int panel) const {
  return panel >= 1 && panel <= PanelCount() ? panels_[panel - 1] : nullptr;
}

QString StatusBar::PanelText(int panel) const {
  const QLabel* label = Panel(panel);
  return label ? label->text() : QString();
}

void StatusBar::SetPanelText(int panel, const QString& text) {
  if (QLabel* label = Panel(panel)) label->setText(text);
}

bool StatusBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int i = 1; i <= PanelCount(); ++i)
      if (watched == panels_[i - 1]) emit PanelClick(i);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qtplatform
