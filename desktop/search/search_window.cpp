#include "desktop/search/search_window.h"

#include <QKeyEvent>
#include <QLayout>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

#include "desktop/frame/toolbar_picture.h"
#include "desktop/search/options_dialog.h"
#include "desktop/search/status_texts.h"
#include "desktop/search/zarn_control.h"
#include "platform/qt/desktop_services.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/status_bar.h"

namespace kestrix {

namespace {

constexpr int kTimerMilliseconds = 25;
constexpr const char* kControlName = "Zarn1";

// The refresh button's picture: a circular arrow.
QIcon RefreshIcon() {
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x1f, 0x6f, 0x3f), 4, Qt::SolidLine, Qt::RoundCap));
  painter.drawArc(QRect(6, 6, 20, 20), 60 * 16, 280 * 16);
  painter.setBrush(QColor(0x1f, 0x6f, 0x3f));
  painter.setPen(Qt::NoPen);
  painter.drawPolygon(QPolygon({QPoint(18, 1), QPoint(27, 7), QPoint(17, 12)}));
  return QIcon(picture);
}

}  // namespace

frmFindTextInFiles::frmFindTextInFiles(ProgramFrame& frame, QMdiArea& area) : frame_(frame) {
  setObjectName("frmFindTextInFiles");
  setWindowTitle("Find Text In Files");
  setWindowIcon(QIcon(FindTextInFilesPicture(32)));
  beep = [] { qtplatform::Beep(); };
  CreateControls();
  sub_window_ = area.addSubWindow(this);
  sub_window_->setAttribute(Qt::WA_DeleteOnClose);
  sub_window_->hide();
  connect(&area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* activated) {
    if (activated != nullptr && activated == sub_window_ && !sub_window_->isHidden()) Form_Activate();
  });
  Form_Load();
}

frmFindTextInFiles::~frmFindTextInFiles() = default;

void frmFindTextInFiles::CreateControls() {
  CreateToolbar();
  Zarn1 = new ZarnControl(kControlName, this);
  Zarn1->setObjectName(kControlName);
  ConnectControl();
  msfgFileWithHit = new qtplatform::FlexGrid(this);
  msfgFileWithHit->setObjectName("msfgFileWithHit");
  msfgFileWithHit->SetCols(2);
  msfgFileWithHit->SetFixedCols(0);
  msfgFileWithHit->SetFixedRows(0);
  msfgFileWithHit->SetRows(0);
  msfgFileWithHit->SetWordWrap(true);
  // The marked line shows in its own colours, not under a selection.
  msfgFileWithHit->setSelectionMode(QAbstractItemView::NoSelection);
  fgDummy = new qtplatform::FlexGrid(this);
  fgDummy->setObjectName("fgDummy");
  fgDummy->SetCols(4);
  fgDummy->SetFixedCols(0);
  lstErrorMessages = new QListWidget(this);
  lstErrorMessages->setObjectName("lstErrorMessages");
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kTimerMilliseconds);
  connect(Timer1, &QTimer::timeout, this, &frmFindTextInFiles::Timer1_Timer);
  sbStatus = new qtplatform::StatusBar({0, 1, 4, 0, 1}, this);
  sbStatus->setObjectName("sbStatus");
  sbStatus->SetPanelText(1, kHitsFoundLabel);
  sbStatus->SetPanelText(3, kReadyText);
  sbStatus->SetPanelText(4, kTotalScanTimeLabel);
  connect(sbStatus, &qtplatform::StatusBar::PanelClick, this, [this](int) { Abort(); });
}

void frmFindTextInFiles::CreateToolbar() {
  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName("Toolbar1");
  Toolbar1->setIconSize(QSize(24, 24));
  Toolbar1->layout()->setSpacing(6);
  cmdFindText = new QPushButton("Find &Text", Toolbar1);
  cmdFindText->setObjectName("cmdFindText");
  connect(cmdFindText, &QPushButton::clicked, this, [this] { cmdFindText_Click(); });
  Toolbar1->addWidget(cmdFindText);
  cmdViewReport = new QPushButton("View Re&port", Toolbar1);
  cmdViewReport->setObjectName("cmdViewReport");
  connect(cmdViewReport, &QPushButton::clicked, this, [this] { mnuReportTabDelimitedFile_Click(); });
  view_report_ = Toolbar1->addWidget(cmdViewReport);
  view_report_->setVisible(false);
  Toolbar1->addSeparator();
  QAction* refresh = Toolbar1->addAction(RefreshIcon(), "Refresh");
  refresh->setObjectName("cmdRefresh");
  refresh->setToolTip("Refresh (F5)");
  connect(refresh, &QAction::triggered, this, [this] { BeginSearch(); });
}

void frmFindTextInFiles::ConnectControl() {
  connect(Zarn1, &ZarnControl::ScanStarted, this, &frmFindTextInFiles::Zarn1_ScanStarted);
  connect(Zarn1, &ZarnControl::ScanCompleted, this, &frmFindTextInFiles::Zarn1_ScanCompleted);
  connect(Zarn1, &ZarnControl::OnError, this, &frmFindTextInFiles::Zarn1_OnError);
}

void frmFindTextInFiles::Form_Load() {
  SetControlThreadPriority(frame_.ThreadPriority());
  folder_history_.clear();
  ext_history_.clear();
  text_history_.clear();
  ReadIniFile();
  for (int col = 0; col < 4; ++col) fgDummy->SetColWidth(col, settings_.mlColWidth[col]);
  fgDummy->setToolTip(kResultsGridHint);
  fgFiles = fgDummy;
  Change_Font(false);
  ResetFindingsGrid();
  ShowErrorHeader();
}

void frmFindTextInFiles::ShowErrorHeader() {
  lstErrorMessages->clear();
  lstErrorMessages->addItem(kErrorListHeader);
  // A control that could not be created makes every search do nothing; say why.
  if (ole::FAILED(Zarn1->CreationResult()))
    lstErrorMessages->addItem(ControlMissingText(static_cast<unsigned>(Zarn1->CreationResult())));
}

void frmFindTextInFiles::Form_Activate() {
  frame_.SearchWindowActivated();
}

void frmFindTextInFiles::SetControlThreadPriority(int level) {
  Zarn1->SetLong("ThreadPriority", level);
}

void frmFindTextInFiles::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    sub_window_->close();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    cmdFindText->click();  // the window's default button
    return;
  }
  QWidget::keyPressEvent(event);
}

void frmFindTextInFiles::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceBars();
  Form_Resize();
}

void frmFindTextInFiles::PlaceBars() {
  Toolbar1->setGeometry(0, 0, width(), Toolbar1->sizeHint().height());
  sbStatus->setGeometry(0, height() - sbStatus->height(), width(), sbStatus->height());
}

void frmFindTextInFiles::closeEvent(QCloseEvent* event) {
  if (!unloaded_) {
    unloaded_ = true;
    Form_Unload();
  }
  QWidget::closeEvent(event);
}

void frmFindTextInFiles::Form_Unload() {
  SaveIniFile();
  frame_.UpateMainToolbar();
  SaveColumnWidths();
}

}  // namespace kestrix
