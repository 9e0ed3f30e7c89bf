#include "tools/zarn-testcon/event_log.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTime>

#include "tools/zarn-testcon/variant_text.h"

namespace testcon {

namespace {

constexpr int kStampLength = 14;  // "hh:mm:ss.zzz" and two blanks
constexpr int kMaximumLines = 20000;

QString ArgumentName(const ole::MemberDescription* member, unsigned position) {
  if (member && position < member->parameters.size())
    return QString::fromStdString(member->parameters[position].name);
  return QStringLiteral("#%1").arg(position + 1);
}

}  // namespace

QString EventText(const ole::InterfaceDescription* events, ole::DISPID id, const ole::DISPPARAMS& arguments) {
  const ole::MemberDescription* member = events ? events->Find(id) : nullptr;
  QString text = member ? QString::fromStdString(member->name) : QStringLiteral("DISPID %1").arg(id);
  QStringList values;
  for (unsigned position = 0; position < arguments.cArgs; ++position) {
    const ole::VARIANT& value = arguments.rgvarg[arguments.cArgs - 1 - position];  // held last to first
    values << ArgumentName(member, position) + QLatin1Char('=') + QuotedVariantText(value);
  }
  return text + QLatin1Char('(') + values.join(QStringLiteral(", ")) + QLatin1Char(')');
}

EventLog::EventLog(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setMaximumBlockCount(kMaximumLines);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void EventLog::Add(const QString& text) {
  QString line = text;
  line.replace(QLatin1Char('\n'), QStringLiteral("\\n"));  // one entry, one line
  appendPlainText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")) + QStringLiteral("  ") +
                  line);
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

QStringList EventLog::Lines() const {
  QStringList lines;
  for (const QString& line : toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts))
    lines << line.mid(kStampLength);
  return lines;
}

}  // namespace testcon
