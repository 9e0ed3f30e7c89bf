// The log pane: one line per event, call and error, each stamped with the time (hh:mm:ss.zzz). Events are
// written with their name and arguments as the control's event interface describes them.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>

#include "platform/ole/type_description.h"

namespace testcon {

// "OnError(ErrorCode=509, ErrorString="No file types")": the event's name and its arguments, named by
// `events` (the source interface; nullptr or an unknown DISPID give "DISPID 7" and "#1", "#2" ...).
QString EventText(const ole::InterfaceDescription* events, ole::DISPID id, const ole::DISPPARAMS& arguments);

class EventLog : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit EventLog(QWidget* parent = nullptr);

  // Appends "hh:mm:ss.zzz  text" and keeps the newest line in view.
  void Add(const QString& text);
  // The lines written so far, without their time stamps.
  QStringList Lines() const;
};

}  // namespace testcon
