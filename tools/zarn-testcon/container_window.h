// The test container's window: pick a control (from the known ones or by ProgID / class identity), create
// it, list the members of its dispatch interface with their values, assign properties, invoke methods and
// watch every event it fires in the log. One control at a time, sited under the display name "TestCon1".
#pragma once

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTableView>
#include <memory>

#include "tools/zarn-testcon/design_view.h"
#include "tools/zarn-testcon/event_log.h"
#include "tools/zarn-testcon/hosted_control.h"
#include "tools/zarn-testcon/member_table.h"

namespace testcon {

inline constexpr const char* kDisplayName = "TestCon1";

class ContainerWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit ContainerWindow(QWidget* parent = nullptr);
  ~ContainerWindow() override;

  // Creates the control `text` names (a ProgID or "{...}"), in place of the one held; false (and the
  // reason in the log) when it cannot be created.
  bool CreateControl(const QString& text);
  void CloseControl();
  HostedControl* Control() const { return control_.get(); }
  // Reads every property's value again.
  void RefreshValues();
  // Fills the control list again from the registry and the manifest.
  void ListControls();

  // The window's parts, by object name as well.
  QComboBox* cboControls;  // the known controls
  QLineEdit* txtClass;     // a ProgID or a class identity
  QPushButton* cmdCreate;
  MemberTable* members;
  QTableView* tblMembers;
  QLineEdit* txtValue;  // the selected property's new value
  QPushButton* cmdApply;
  QPushButton* cmdRefresh;
  QLineEdit* txtArguments;  // the selected method's arguments
  QComboBox* cboSeparator;  // what separates them
  QPushButton* cmdInvoke;
  EventLog* txtLog;
  QGroupBox* designView;
  DesignView* designCanvas;  // the control as drawn at design time, and its verbs
  QAction* actProperties;    // the control's property pages in a frame
  QAction* actAboutBox;      // DISPID_ABOUTBOX, when the interface has it

 private:
  QWidget* BuildChooser();
  QWidget* BuildMembersPane();
  QWidget* BuildCallRows();
  QWidget* BuildLogPane();
  QWidget* BuildDesignView();
  void BuildMenus();
  void Connect();
  void ShowChosen(const ole::CLSID& clsid);
  void FitColumns();

  void ControlChosen(int index);
  void MemberSelected();
  void ApplyValue();
  void InvokeMember();
  void ShowPropertyPages();
  void ShowAboutBox();
  void OnEvent(ole::DISPID id, const ole::DISPPARAMS& arguments);
  void LogCreation(const QString& name);
  void UpdateControlState();
  int SelectedRow() const;

  std::unique_ptr<HostedControl> control_;
  bool refresh_pending_ = false;
};

}  // namespace testcon
