// A stand-in for a child window of the main window: it offers the operations the main window calls by
// name and writes each call, with its window's name, into a shared log.
#pragma once

#include <QCloseEvent>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "desktop/frame/program_frame.h"

namespace kestrix {

class StubChildWindow : public QWidget {
  Q_OBJECT

 public:
  StubChildWindow(const QString& name, ProgramFrame& frame, QStringList& log)
      : priority_at_load(frame.ThreadPriority()), log_(log) {
    setObjectName(name);
  }

  Q_INVOKABLE void FindText() { Record("FindText"); }
  Q_INVOKABLE void Refresh_View() { Record("Refresh_View"); }
  Q_INVOKABLE void Change_Font(bool ask) { Record(QString("Change_Font(%1)").arg(ask)); }
  Q_INVOKABLE void Form_Resize() { Record("Form_Resize"); }
  Q_INVOKABLE void SetControlThreadPriority(int level) {
    Record(QString("SetControlThreadPriority(%1)").arg(level));
  }
  Q_INVOKABLE void mnuReportTextFile_Click() { Record("mnuReportTextFile_Click"); }
  Q_INVOKABLE void mnuReportTabDelimitedFile_Click() { Record("mnuReportTabDelimitedFile_Click"); }
  Q_INVOKABLE void mnuReportCommaDelimitedFile_Click() { Record("mnuReportCommaDelimitedFile_Click"); }

  // The thread-priority choice the window saw when it was created.
  const int priority_at_load;

 protected:
  void closeEvent(QCloseEvent* event) override {
    Record("close");
    event->accept();
  }

 private:
  void Record(const QString& call) { log_ << objectName() + ":" + call; }
  QStringList& log_;
};

}  // namespace kestrix
