#include "tools/zarn-testcon/design_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/painter_device_context.h"

namespace testcon {

namespace {
constexpr int kMargin = 16;  // where the control sits on the form
}

// The form the control is placed on.
class DesignCanvas : public QWidget {
 public:
  explicit DesignCanvas(QWidget* parent) : QWidget(parent) { setMinimumSize(120, 90); }
  void Show(ole::IDispatch* control, QSize size) {
    view_.Reset();
    if (control) control->QueryInterface(ole::IID_IViewObject, view_.OutVoid());
    size_ = size;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().mid().color());
    for (int y = 4; y < height(); y += 8)
      for (int x = 4; x < width(); x += 8) painter.drawPoint(x, y);
    if (!view_) return;
    qtplatform::PainterDeviceContext device(painter);
    view_->Draw(ole::DVASPECT_CONTENT, &device,
                {kMargin, kMargin, kMargin + size_.width(), kMargin + size_.height()});
  }

 private:
  ole::ComPtr<ole::IViewObject> view_;
  QSize size_;
};

DesignView::DesignView(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  canvas_ = new DesignCanvas(this);
  canvas_->setObjectName("designCanvas");
  extent_ = new QLabel(this);
  extent_->setObjectName("lblExtent");
  verb_buttons_ = new QHBoxLayout;
  layout->addWidget(canvas_, 1);
  layout->addWidget(extent_);
  layout->addLayout(verb_buttons_);
  Show(nullptr);
}

void DesignView::Show(ole::IDispatch* control) {
  object_.Reset();
  if (control) control->QueryInterface(ole::IID_IOleObject, object_.OutVoid());
  const QSize size = ControlSize();
  canvas_->Show(object_ ? control : nullptr, size);
  extent_->setText(object_ ? QString("Extent: %1 x %2 pixels").arg(size.width()).arg(size.height())
                           : QString("No control"));
  ListVerbs();
}

QSize DesignView::ControlSize() const {
  ole::SIZEL extent;
  if (!object_ || ole::FAILED(object_->GetExtent(ole::DVASPECT_CONTENT, &extent))) return {};
  return {ole::PixelsFromHimetric(extent.cx), ole::PixelsFromHimetric(extent.cy)};
}

void DesignView::ListVerbs() {
  while (QLayoutItem* item = verb_buttons_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  verbs_.clear();
  if (!object_ || ole::FAILED(object_->EnumVerbs(&verbs_))) return;
  for (const ole::OLEVERB& verb : verbs_) {
    auto* button = new QPushButton(QString::fromStdString(verb.name), this);
    button->setObjectName(QString("verb%1").arg(verb.verb));
    connect(button, &QPushButton::clicked, this, [this, verb] {
      const ole::HRESULT result = object_ ? object_->DoVerb(verb.verb, nullptr, nullptr) : ole::E_UNEXPECTED;
      emit VerbDone(QString::fromStdString(verb.name), result);
    });
    verb_buttons_->addWidget(button);
  }
}

}  // namespace testcon
