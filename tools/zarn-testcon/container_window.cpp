// The container window's layout and menus; what its commands do is in container_actions.cpp.
#include "tools/zarn-testcon/container_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "tools/zarn-testcon/control_catalog.h"

namespace testcon {

namespace {

constexpr int kClassRole = Qt::UserRole + 1;  // a listed control's class identity

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QWidget* Row(std::initializer_list<QWidget*> widgets, int stretching) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  int position = 0;
  for (QWidget* widget : widgets) layout->addWidget(widget, position++ == stretching ? 1 : 0);
  return row;
}

}  // namespace

ContainerWindow::ContainerWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("zarn-testcon"));
  auto* panes = new QSplitter(Qt::Horizontal);
  panes->addWidget(BuildDesignView());
  panes->addWidget(BuildMembersPane());
  panes->setStretchFactor(0, 1);
  panes->setStretchFactor(1, 3);
  auto* vertical = new QSplitter(Qt::Vertical);
  vertical->addWidget(panes);
  vertical->addWidget(BuildLogPane());
  vertical->setStretchFactor(0, 3);
  vertical->setStretchFactor(1, 2);
  vertical->setSizes({440, 260});
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(BuildChooser());
  layout->addWidget(vertical, 1);
  setCentralWidget(central);
  BuildMenus();
  Connect();
  ListControls();
  UpdateControlState();
  resize(1100, 760);
}

ContainerWindow::~ContainerWindow() {
  CloseControl();
}

QWidget* ContainerWindow::BuildChooser() {
  cboControls = Named(new QComboBox, "cboControls");
  cboControls->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  txtClass = Named(new QLineEdit, "txtClass");
  txtClass->setPlaceholderText(QStringLiteral("ProgID or {class identity}"));
  txtClass->setMinimumWidth(260);
  cmdCreate = Named(new QPushButton(QStringLiteral("&Create")), "cmdCreate");
  return Row({new QLabel(QStringLiteral("Control:")), cboControls, txtClass, cmdCreate}, 1);
}

QWidget* ContainerWindow::BuildMembersPane() {
  members = new MemberTable(this);
  tblMembers = Named(new QTableView, "tblMembers");
  tblMembers->setModel(members);
  tblMembers->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblMembers->setSelectionMode(QAbstractItemView::SingleSelection);
  tblMembers->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblMembers->verticalHeader()->hide();
  tblMembers->verticalHeader()->setDefaultSectionSize(tblMembers->fontMetrics().height() + 6);
  tblMembers->horizontalHeader()->setStretchLastSection(true);
  auto* pane = new QGroupBox(QStringLiteral("Members"));
  auto* layout = new QVBoxLayout(pane);
  layout->addWidget(tblMembers, 1);
  layout->addWidget(BuildCallRows());
  return pane;
}

QWidget* ContainerWindow::BuildCallRows() {
  txtValue = Named(new QLineEdit, "txtValue");
  cmdApply = Named(new QPushButton(QStringLiteral("&Apply")), "cmdApply");
  cmdRefresh = Named(new QPushButton(QStringLiteral("&Refresh")), "cmdRefresh");
  txtArguments = Named(new QLineEdit, "txtArguments");
  cboSeparator = Named(new QComboBox, "cboSeparator");
  cboSeparator->addItem(QStringLiteral(","), QStringLiteral(","));
  cboSeparator->addItem(QStringLiteral(";"), QStringLiteral(";"));
  cboSeparator->addItem(QStringLiteral("|"), QStringLiteral("|"));
  cboSeparator->addItem(QStringLiteral("Tab"), QStringLiteral("\t"));
  cmdInvoke = Named(new QPushButton(QStringLiteral("&Invoke")), "cmdInvoke");
  auto* rows = new QWidget;
  auto* layout = new QGridLayout(rows);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(QStringLiteral("Value:")), 0, 0);
  layout->addWidget(txtValue, 0, 1, 1, 3);
  layout->addWidget(cmdApply, 0, 4);
  layout->addWidget(cmdRefresh, 0, 5);
  layout->addWidget(new QLabel(QStringLiteral("Arguments:")), 1, 0);
  layout->addWidget(txtArguments, 1, 1);
  layout->addWidget(new QLabel(QStringLiteral("separated by")), 1, 2);
  layout->addWidget(cboSeparator, 1, 3);
  layout->addWidget(cmdInvoke, 1, 4);
  layout->setColumnStretch(1, 1);
  return rows;
}

QWidget* ContainerWindow::BuildLogPane() {
  txtLog = Named(new EventLog, "txtLog");
  auto* clear = Named(new QPushButton(QStringLiteral("C&lear")), "cmdClearLog");
  connect(clear, &QPushButton::clicked, txtLog, &QPlainTextEdit::clear);
  auto* pane = new QGroupBox(QStringLiteral("Events and calls"));
  auto* layout = new QVBoxLayout(pane);
  layout->addWidget(txtLog, 1);
  layout->addWidget(Row({new QWidget, clear}, 0));
  return pane;
}

// The design view: the control drawn by itself at its extent, with a button per verb it offers.
QWidget* ContainerWindow::BuildDesignView() {
  designView = Named(new QGroupBox(QStringLiteral("Design view")), "designView");
  auto* layout = new QVBoxLayout(designView);
  designCanvas = Named(new DesignView(designView), "designViewArea");
  layout->addWidget(designCanvas);
  connect(designCanvas, &DesignView::VerbDone, this, [this](const QString& verb, ole::HRESULT result) {
    txtLog->Add(QStringLiteral("Verb %1: %2").arg(verb, ResultText(result)));
    RefreshValues();
  });
  designView->setMinimumWidth(200);
  return designView;
}

void ContainerWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("E&xit"), QKeySequence::Quit, this, &QWidget::close);
  QMenu* control = Named(menuBar()->addMenu(QStringLiteral("&Control")), "mnuControl");
  control->addAction(QStringLiteral("&Create"), this, [this] { CreateControl(txtClass->text()); });
  control->addAction(QStringLiteral("C&lose"), this, &ContainerWindow::CloseControl);
  control->addSeparator();
  actProperties = Named(control->addAction(QStringLiteral("&Properties...")), "actProperties");
  connect(actProperties, &QAction::triggered, this, &ContainerWindow::ShowPropertyPages);
  actAboutBox = Named(control->addAction(QStringLiteral("&About Box")), "actAboutBox");
  connect(actAboutBox, &QAction::triggered, this, &ContainerWindow::ShowAboutBox);
  control->addSeparator();
  control->addAction(QStringLiteral("Re&fresh values"), QKeySequence::Refresh, this,
                     &ContainerWindow::RefreshValues);
}

void ContainerWindow::Connect() {
  connect(cboControls, &QComboBox::activated, this, &ContainerWindow::ControlChosen);
  connect(txtClass, &QLineEdit::returnPressed, cmdCreate, &QPushButton::click);
  connect(cmdCreate, &QPushButton::clicked, this, [this] { CreateControl(txtClass->text()); });
  connect(tblMembers->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &ContainerWindow::MemberSelected);
  connect(txtValue, &QLineEdit::returnPressed, cmdApply, &QPushButton::click);
  connect(cmdApply, &QPushButton::clicked, this, &ContainerWindow::ApplyValue);
  connect(cmdRefresh, &QPushButton::clicked, this, &ContainerWindow::RefreshValues);
  connect(txtArguments, &QLineEdit::returnPressed, cmdInvoke, &QPushButton::click);
  connect(cmdInvoke, &QPushButton::clicked, this, &ContainerWindow::InvokeMember);
}

void ContainerWindow::ListControls() {
  cboControls->clear();
  for (const KnownControl& known : KnownControls()) {
    const QString clsid = QString::fromStdString(ole::StringFromGUID(known.clsid));
    cboControls->addItem(known.DisplayText(),
                         known.prog_id.empty() ? clsid : QString::fromStdString(known.prog_id));
    cboControls->setItemData(cboControls->count() - 1, clsid, kClassRole);
  }
  cboControls->setCurrentIndex(-1);
  cboControls->setPlaceholderText(cboControls->count() ? QStringLiteral("Choose a control")
                                                       : QStringLiteral("No controls are registered"));
}

void ContainerWindow::ShowChosen(const ole::CLSID& clsid) {
  cboControls->setCurrentIndex(
      cboControls->findData(QString::fromStdString(ole::StringFromGUID(clsid)), kClassRole));
}

// Every column as wide as its contents, but the parameter lists (shown whole in their tool tips).
void ContainerWindow::FitColumns() {
  constexpr int kParametersWidth = 280;
  tblMembers->resizeColumnsToContents();
  if (tblMembers->columnWidth(MemberTable::kParameters) > kParametersWidth)
    tblMembers->setColumnWidth(MemberTable::kParameters, kParametersWidth);
}

void ContainerWindow::ControlChosen(int index) {
  txtClass->setText(cboControls->itemData(index).toString());
  CreateControl(txtClass->text());
}

}  // namespace testcon
