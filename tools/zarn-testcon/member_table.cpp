#include "tools/zarn-testcon/member_table.h"

#include <QBrush>
#include <QColor>

#include "tools/zarn-testcon/member_text.h"

namespace testcon {

namespace {

constexpr const char* kHeaders[MemberTable::kColumnCount] = {"DISPID",     "Name",      "Kind", "Type",
                                                             "Parameters", "Read-only", "Value"};

bool IsProperty(const ole::MemberDescription& member) {
  return member.kind == ole::MemberKind::kProperty;
}

}  // namespace

MemberTable::MemberTable(QObject* parent) : QAbstractTableModel(parent) {}

void MemberTable::Show(const ole::TypeLibraryDescription* library, const ole::InterfaceDescription* members) {
  beginResetModel();
  library_ = library;
  members_ = members;
  values_.assign(members ? members->members.size() : 0, std::nullopt);
  endResetModel();
}

const ole::MemberDescription* MemberTable::MemberAt(int row) const {
  if (!members_ || row < 0 || row >= static_cast<int>(members_->members.size())) return nullptr;
  return &members_->members[static_cast<std::size_t>(row)];
}

int MemberTable::RowOf(ole::DISPID id) const {
  for (int row = 0; row < rowCount(); ++row)
    if (MemberAt(row)->id == id) return row;
  return -1;
}

const ole::EnumDescription* MemberTable::EnumAt(int row) const {
  const ole::MemberDescription* member = MemberAt(row);
  return member ? EnumOf(library_, *member) : nullptr;
}

void MemberTable::SetValue(int row, const QString& text) {
  if (!MemberAt(row)) return;
  values_[static_cast<std::size_t>(row)] = Value{text, false};
  emit dataChanged(index(row, kValue), index(row, kValue));
}

void MemberTable::SetValueFailure(int row, const QString& failure) {
  if (!MemberAt(row)) return;
  values_[static_cast<std::size_t>(row)] = Value{failure, true};
  emit dataChanged(index(row, kValue), index(row, kValue));
}

QString MemberTable::EditText(int row) const {
  if (!MemberAt(row)) return {};
  const std::optional<Value>& value = values_[static_cast<std::size_t>(row)];
  return value && !value->failed ? value->text : QString();
}

QString MemberTable::ValueText(int row) const {
  const std::optional<Value>& value = values_[static_cast<std::size_t>(row)];
  if (!value) return {};
  const ole::EnumDescription* enumeration = EnumAt(row);
  bool number = false;
  const int as_number = value->text.toInt(&number);
  if (value->failed || !enumeration || !number) return value->text;
  const QString name = EnumValueName(*enumeration, as_number);
  return name.isEmpty() ? value->text : value->text + QStringLiteral(" (") + name + QLatin1Char(')');
}

QString MemberTable::CellText(const ole::MemberDescription& member, int row, int column) const {
  switch (column) {
    case kDispid:
      return QString::number(member.id);
    case kName:
      return QString::fromStdString(member.name);
    case kKind:
      return IsProperty(member) ? QStringLiteral("property") : QStringLiteral("method");
    case kType:
      return MemberTypeName(member);
    case kParameters:
      return ParameterList(member);
    case kReadOnly:
      return IsProperty(member) && member.read_only ? QStringLiteral("yes") : QString();
    case kValue:
      return IsProperty(member) ? ValueText(row) : QString();
    default:
      return {};
  }
}

int MemberTable::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !members_ ? 0 : static_cast<int>(members_->members.size());
}

int MemberTable::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant MemberTable::data(const QModelIndex& index, int role) const {
  const ole::MemberDescription* member = MemberAt(index.row());
  if (!member) return {};
  if (role == Qt::DisplayRole) return CellText(*member, index.row(), index.column());
  if (role == Qt::ToolTipRole) {
    const ole::EnumDescription* enumeration = EnumAt(index.row());
    if (index.column() == kType && enumeration) return EnumValueList(*enumeration);
    if (index.column() == kParameters && !member->parameters.empty()) return ParameterList(*member);
    return member->help.empty() ? QVariant() : QVariant(QString::fromStdString(member->help));
  }
  if (role == Qt::ForegroundRole && index.column() == kValue) {
    const std::optional<Value>& value = values_[static_cast<std::size_t>(index.row())];
    if (value && value->failed) return QBrush(QColor(Qt::darkRed));
  }
  if (role == Qt::TextAlignmentRole && index.column() == kDispid)
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant MemberTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount)
    return {};
  return QString::fromLatin1(kHeaders[section]);
}

}  // namespace testcon
