// What the container window's commands do: creating and closing the control, reading and assigning
// properties, invoking methods and the about box, and logging the control's events.
#include <QStatusBar>
#include <QTimer>

#include "tools/zarn-testcon/container_window.h"

#include "platform/ole/property_frame.h"
#include "tools/zarn-testcon/control_catalog.h"
#include "tools/zarn-testcon/invocation.h"
#include "tools/zarn-testcon/member_text.h"
#include "tools/zarn-testcon/variant_text.h"

namespace testcon {

namespace {

QString Name(const ole::MemberDescription& member) {
  return QString::fromStdString(member.name);
}

QString InterfaceName(const ole::InterfaceDescription* described) {
  return described ? QString::fromStdString(described->name) : QStringLiteral("(not described)");
}

// "Begin() -> True", with the values by-reference parameters came back with.
QString CallResultText(const QString& call, const ole::MemberDescription& member, const ole::Variant& result,
                       const QStringList& returned) {
  QString text = call;
  if (member.type != ole::VT_EMPTY || result.type() != ole::VT_EMPTY)
    text += QStringLiteral(" -> ") + QuotedVariantText(*result.get());
  if (!returned.isEmpty()) text += QStringLiteral("; ") + returned.join(QStringLiteral(", "));
  return text;
}

}  // namespace

bool ContainerWindow::CreateControl(const QString& text) {
  CloseControl();
  const std::optional<ole::CLSID> clsid = ClassNamed(text);
  if (!clsid) {
    txtLog->Add(
        QStringLiteral("Create %1 failed: not a class identity or a known ProgID").arg(text.trimmed()));
    return false;
  }
  ole::HRESULT result = ole::S_OK;
  control_ = HostedControl::Create(
      *clsid, kDisplayName,
      [this](ole::DISPID id, const ole::DISPPARAMS& arguments) { OnEvent(id, arguments); }, &result);
  if (!control_) {
    txtLog->Add(QStringLiteral("Create %1 failed: %2").arg(text.trimmed(), ResultText(result)));
    return false;
  }
  members->Show(control_->Library(), control_->Members());
  LogCreation(text.trimmed());
  RefreshValues();
  FitColumns();
  ShowChosen(*clsid);
  txtClass->setText(text.trimmed());
  UpdateControlState();
  return true;
}

void ContainerWindow::LogCreation(const QString& name) {
  const QString clsid = QString::fromStdString(ole::StringFromGUID(control_->Class()));
  txtLog->Add(QStringLiteral("Created %1 %2, sited as \"%3\"%4")
                  .arg(name, clsid, QString::fromLatin1(kDisplayName),
                       ole::SUCCEEDED(control_->SiteResult())
                           ? QString()
                           : QStringLiteral(" (no site: %1)").arg(ResultText(control_->SiteResult()))));
  if (!control_->Members()) {
    txtLog->Add(QStringLiteral("The control's type library does not describe it: no members, no events"));
    return;
  }
  const QString events = InterfaceName(control_->Events());
  txtLog->Add(
      ole::SUCCEEDED(control_->AdviseResult())
          ? QStringLiteral("Interface %1 (%2 members); events %3 advised")
                .arg(InterfaceName(control_->Members()))
                .arg(control_->Members()->members.size())
                .arg(events)
          : QStringLiteral("Events %1 not advised: %2").arg(events, ResultText(control_->AdviseResult())));
}

void ContainerWindow::CloseControl() {
  if (!control_) return;
  members->Show(nullptr, nullptr);
  control_.reset();
  txtLog->Add(QStringLiteral("Closed the control"));
  UpdateControlState();
}

void ContainerWindow::UpdateControlState() {
  const bool created = static_cast<bool>(control_);
  const bool about = created && control_->Members() && control_->Members()->Find(ole::DISPID_ABOUTBOX);
  actAboutBox->setEnabled(about);
  actProperties->setEnabled(created && !ole::PropertyPagesOf(control_->Object()).empty());
  designCanvas->Show(created ? control_->Object() : nullptr);
  cmdRefresh->setEnabled(created);
  MemberSelected();
  statusBar()->showMessage(created ? QStringLiteral("%1: %2 %3")
                                         .arg(QString::fromLatin1(kDisplayName),
                                              InterfaceName(control_->Members()),
                                              QString::fromStdString(ole::StringFromGUID(control_->Class())))
                                   : QStringLiteral("No control"));
}

int ContainerWindow::SelectedRow() const {
  const QModelIndex current = tblMembers->selectionModel()->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void ContainerWindow::MemberSelected() {
  const ole::MemberDescription* member = members->MemberAt(SelectedRow());
  const bool property = member && member->kind == ole::MemberKind::kProperty;
  cmdApply->setEnabled(property);
  txtValue->setEnabled(property);
  txtValue->setText(property ? members->EditText(SelectedRow()) : QString());
  const ole::EnumDescription* enumeration = members->EnumAt(SelectedRow());
  txtValue->setPlaceholderText(enumeration ? EnumValueList(*enumeration) : QString());
  cmdInvoke->setEnabled(member && !property);
  txtArguments->setEnabled(member && !property);
  txtArguments->setPlaceholderText(member && !property ? ParameterList(*member) : QString());
}

void ContainerWindow::RefreshValues() {
  refresh_pending_ = false;
  if (!control_) return;
  for (int row = 0; row < members->rowCount(); ++row) {
    const ole::MemberDescription* member = members->MemberAt(row);
    if (member->kind != ole::MemberKind::kProperty || !member->parameters.empty()) continue;
    ole::Variant value;
    const CallOutcome outcome = control_->Get(member->id, value);
    if (outcome.Succeeded()) {
      members->SetValue(row, VariantText(*value.get()));
    } else {
      members->SetValueFailure(row, OutcomeText(outcome));
    }
  }
}

void ContainerWindow::ApplyValue() {
  const int row = SelectedRow();
  const ole::MemberDescription* member = members->MemberAt(row);
  if (!control_ || !member || member->kind != ole::MemberKind::kProperty) return;
  QString text = txtValue->text();
  if (const ole::EnumDescription* enumeration = members->EnumAt(row))
    if (const std::optional<std::int32_t> named = EnumValueNamed(*enumeration, text))
      text = QString::number(*named);
  const QString put = QStringLiteral("Put %1 = \"%2\"").arg(Name(*member), txtValue->text());
  ole::Variant value;
  if (const ole::HRESULT converted = VariantFromText(text, member->type, value); ole::FAILED(converted)) {
    txtLog->Add(put + QStringLiteral(" failed: cannot convert to %1: %2")
                          .arg(MemberTypeName(*member), ResultText(converted)));
    return;
  }
  const CallOutcome outcome = control_->Put(member->id, value);
  txtLog->Add(outcome.Succeeded() ? put : put + QStringLiteral(" failed: ") + OutcomeText(outcome));
  RefreshValues();
  if (outcome.Succeeded()) txtValue->setText(members->EditText(row));
}

void ContainerWindow::InvokeMember() {
  const ole::MemberDescription* member = members->MemberAt(SelectedRow());
  if (!control_ || !member || member->kind != ole::MemberKind::kMethod) return;
  const QStringList texts = SplitArguments(txtArguments->text(), cboSeparator->currentData().toString());
  Invocation call;
  QString error;
  if (!call.Prepare(*member, texts, &error)) {
    txtLog->Add(QStringLiteral("Call %1 failed: %2").arg(Name(*member), error));
    return;
  }
  const QString shown = QStringLiteral("Call ") + call.CallText();
  ole::Variant result;
  const CallOutcome outcome = control_->Invoke(member->id, ole::DISPATCH_METHOD, call.Params(), result.get());
  txtLog->Add(outcome.Succeeded() ? CallResultText(shown, *member, result, call.ReturnedValues())
                                  : shown + QStringLiteral(" failed: ") + OutcomeText(outcome, member));
  RefreshValues();
}

void ContainerWindow::ShowPropertyPages() {
  if (!control_) return;
  const std::vector<ole::CLSID> pages = ole::PropertyPagesOf(control_->Object());
  const ole::HRESULT result = ole::OleCreatePropertyFrame(
      nullptr, QString("%1").arg(kDisplayName).toStdString(), {control_->Object()}, pages);
  txtLog->Add(QStringLiteral("Properties: ") + ResultText(result));
  RefreshValues();
}

void ContainerWindow::ShowAboutBox() {
  if (!control_) return;
  ole::DISPPARAMS none;
  const CallOutcome outcome = control_->Invoke(ole::DISPID_ABOUTBOX, ole::DISPATCH_METHOD, none, nullptr);
  txtLog->Add(QStringLiteral("About box: ") + OutcomeText(outcome));
}

void ContainerWindow::OnEvent(ole::DISPID id, const ole::DISPPARAMS& arguments) {
  txtLog->Add(QStringLiteral("Event ") + EventText(control_ ? control_->Events() : nullptr, id, arguments));
  if (refresh_pending_) return;
  refresh_pending_ = true;  // the values are read again once the control has finished firing
  QTimer::singleShot(0, this, &ContainerWindow::RefreshValues);
}

}  // namespace testcon
