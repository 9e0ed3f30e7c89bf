// One call of a method (or a property get with parameters) built from the texts the user typed: each text
// converted to its parameter's type (VariantChangeType from the text), by-reference parameters
// passed as variants by reference to values held here, so that what the control returns through them can
// be read after the call.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/ole/dispatch.h"
#include "platform/ole/type_description.h"

namespace testcon {

// The texts between `separator`s; no texts for a text that is empty or only blanks. Each is trimmed.
QStringList SplitArguments(const QString& text, const QString& separator);

class Invocation {
 public:
  Invocation() = default;
  Invocation(const Invocation&) = delete;  // the arguments point into the values held here
  Invocation& operator=(const Invocation&) = delete;

  // Prepares the call of `member` with `texts` (first parameter first). A missing or empty text gives
  // the parameter's empty value (0, "", False). False, with `error` saying which parameter, when there are
  // more texts than parameters or a text does not convert to its parameter's type.
  bool Prepare(const ole::MemberDescription& member, const QStringList& texts, QString* error);

  ole::DISPPARAMS& Params() { return params_; }
  // Before the call: "GetFileData(0, "", 0, 0, "")", the member with the values it is given.
  QString CallText() const;
  // After the call: "FilePath="/tmp/a.txt"" for each by-reference parameter, in parameter order.
  QStringList ReturnedValues() const;

 private:
  void PassArguments();

  const ole::MemberDescription* member_ = nullptr;
  std::vector<ole::Variant> values_;     // first to last
  std::vector<ole::VARIANT> arguments_;  // last to first, as DISPPARAMS holds them
  ole::DISPPARAMS params_;
};

}  // namespace testcon
