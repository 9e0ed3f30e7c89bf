// A status bar of text panels numbered from 1, each a sunken box that keeps its text on one line. A click
// on any panel is reported with the panel's number.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QLabel;

namespace qtplatform {

class StatusBar : public QWidget {
  Q_OBJECT

 public:
  // `stretch` per panel: 0 sizes the panel to its text, more shares the free width in that proportion.
  StatusBar(const std::vector<int>& stretch, QWidget* parent = nullptr);

  int PanelCount() const { return static_cast<int>(panels_.size()); }
  QString PanelText(int panel) const;  // "" for a panel that does not exist
  void SetPanelText(int panel, const QString& text);
  QLabel* Panel(int panel) const;  // nullptr for a panel that does not exist

 signals:
  void PanelClick(int panel);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<QLabel*> panels_;
};

}  // namespace qtplatform
