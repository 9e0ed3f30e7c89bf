#include "desktop/frame/child_calls.h"

#include <QByteArray>
#include <QMetaMethod>
#include <QObject>

namespace kestrix {

namespace {

// The operation's index in the child's meta-object (-1 when it has none). Looking it up first keeps Qt
// from warning about a missing method.
int IndexOf(const QObject& child, const char* operation, const char* argument_type) {
  const QByteArray signature = QByteArray(operation) + "(" + argument_type + ")";
  return child.metaObject()->indexOfMethod(QMetaObject::normalizedSignature(signature.constData()));
}

template <typename... Argument>
bool Call(QObject* child, const char* operation, const char* argument_type, Argument... argument) {
  if (child == nullptr) return false;
  const int index = IndexOf(*child, operation, argument_type);
  if (index < 0) return false;
  return child->metaObject()->method(index).invoke(child, Qt::DirectConnection, Q_ARG(Argument, argument)...);
}

}  // namespace

bool CallChild(QObject* child, const char* operation) {
  return Call(child, operation, "");
}

bool CallChild(QObject* child, const char* operation, bool argument) {
  return Call(child, operation, "bool", argument);
}

bool CallChild(QObject* child, const char* operation, int argument) {
  return Call(child, operation, "int", argument);
}

}  // namespace kestrix
