// The design view: the control as a container shows it while a program is designed — drawn by the
// control itself (IViewObject::Draw) at the extent it keeps (IOleObject::GetExtent) on a dotted form — and
// one button per verb it offers (IOleObject::EnumVerbs), each carried out with DoVerb.
#pragma once

#include <QWidget>
#include <vector>

#include "platform/ole/ole_object.h"

class QHBoxLayout;
class QLabel;

namespace testcon {

class DesignCanvas;

class DesignView : public QWidget {
  Q_OBJECT

 public:
  explicit DesignView(QWidget* parent = nullptr);

  // The control to show (null: none).
  void Show(ole::IDispatch* control);
  // The control's extent in pixels (0 by 0 without a control).
  QSize ControlSize() const;
  const std::vector<ole::OLEVERB>& Verbs() const { return verbs_; }

 signals:
  // A verb was carried out: its name and the control's answer.
  void VerbDone(const QString& name, ole::HRESULT result);

 private:
  void ListVerbs();

  ole::ComPtr<ole::IOleObject> object_;
  DesignCanvas* canvas_;
  QLabel* extent_;
  QHBoxLayout* verb_buttons_;
  std::vector<ole::OLEVERB> verbs_;
};

}  // namespace testcon
