// The members pane's model: one row per member of the control's default dispatch interface, in the order
// the type library lists them, with its DISPID, name, kind, type, parameters, whether it is read-only and,
// for a property, its current value (an enumeration's value with its name: "2 (Normal)").
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <optional>

#include "platform/ole/type_description.h"

namespace testcon {

class MemberTable : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kDispid, kName, kKind, kType, kParameters, kReadOnly, kValue, kColumnCount };

  explicit MemberTable(QObject* parent = nullptr);

  // Lists the members of `members` (nullptr: none); `library` names enumerations. Both must outlive the
  // listing (until the next Show).
  void Show(const ole::TypeLibraryDescription* library, const ole::InterfaceDescription* members);
  const ole::MemberDescription* MemberAt(int row) const;
  // The row of the member with `id`; -1 when there is none.
  int RowOf(ole::DISPID id) const;
  // The enumeration the member of `row` has its values from; nullptr when none.
  const ole::EnumDescription* EnumAt(int row) const;

  // The property value of `row` as read (`text`), or the reason it could not be read (`failure`).
  void SetValue(int row, const QString& text);
  void SetValueFailure(int row, const QString& failure);
  // The value as the editor takes it (the text read, without an enumeration name); "" when none.
  QString EditText(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QString CellText(const ole::MemberDescription& member, int row, int column) const;
  QString ValueText(int row) const;

  struct Value {
    QString text;
    bool failed = false;
  };

  const ole::TypeLibraryDescription* library_ = nullptr;
  const ole::InterfaceDescription* members_ = nullptr;
  std::vector<std::optional<Value>> values_;  // per row; nullopt until read
};

}  // namespace testcon
