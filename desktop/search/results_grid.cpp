// The results grid: one finding per row under the header "File", "Line", "Col", "Item Found", copied from
// the control record by record; the window's layout; the row sizing of the viewer grid; the font.
#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <cmath>

#include "desktop/search/search_window.h"
#include "desktop/search/status_texts.h"
#include "desktop/search/zarn_control.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/status_bar.h"

namespace kestrix {

namespace {

constexpr const char* kHeaders[4] = {"File", "Line", "Col", "Item Found"};
constexpr int kYieldEvery = 25;          // records between two passes of the event loop while copying
constexpr int kViewerMarginTwips = 260;  // the viewer grid's second, empty column
constexpr int kCellMarginsPixels = 8;    // what a cell's frame and padding take from its text's width

// While a copy runs, the grid paints only every quarter of a second: painting the visible rows after
// every 25 records would take most of the copy's time, and the user sees the rows grow all the same.
class PaintThrottle {
 public:
  explicit PaintThrottle(FlexGrid* grid) : grid_(grid) {
    if (grid_) grid_->SetRedraw(false);
    since_paint_.start();
  }
  ~PaintThrottle() {
    if (grid_) grid_->SetRedraw(true);
  }
  // Before a pass of the event loop: lets this one paint when the last paint is long enough ago.
  void BeforeYield() {
    if (!grid_ || since_paint_.elapsed() < kPaintIntervalMs) return;
    grid_->SetRedraw(true);
    painting_ = true;
  }
  void AfterYield() {
    if (!painting_ || !grid_) return;
    grid_->SetRedraw(false);
    painting_ = false;
    since_paint_.restart();
  }

 private:
  static constexpr qint64 kPaintIntervalMs = 250;
  QPointer<FlexGrid> grid_;
  QElapsedTimer since_paint_;
  bool painting_ = false;
};

QString RowText(const Finding& finding) {
  return finding.path + '\t' + QString::number(finding.line) + '\t' + QString::number(finding.column) + '\t' +
         finding.text;
}

}  // namespace

void frmFindTextInFiles::ResetFindingsGrid() {
  if (fgFiles)
    for (int col = 0; col < 4; ++col) mlColWidth[col] = fgFiles->ColWidth(col);
  fgFiles = nullptr;
  if (auto* old = findChild<FlexGrid*>("fgFiles", Qt::FindDirectChildrenOnly)) {
    // A copy that yielded to the event loop may still be inside this grid's code: it goes later.
    old->hide();
    old->setObjectName(QString());
    old->deleteLater();
  }
  fgDummy->hide();
  fgFiles = CreateFindingsGrid();
  ++grid_generation_;
  copy_stopped_ = false;
  Form_Resize();
  mlFindingsShown = 0;
}

FlexGrid* frmFindTextInFiles::CreateFindingsGrid() {
  auto* grid = new FlexGrid(this);
  grid->setObjectName("fgFiles");
  grid->SetCols(4);
  grid->SetFixedCols(0);
  grid->SetRows(1);
  grid->SetSelectionModeByRow(true);
  grid->SetAllowUserResizingColumns(true);
  grid->SetAllowBigSelection(false);
  // One line per finding: wrapped, a cell would show only its first words.
  grid->SetWordWrap(false);
  // A narrow column shows both ends of a path (the file's name is at its end).
  grid->setTextElideMode(Qt::ElideMiddle);
  for (int col = 0; col < 4; ++col) {
    grid->SetTextMatrix(0, col, kHeaders[col]);
    grid->SetColWidth(col, mlColWidth[col]);
  }
  // The results keep the window's font and the hint of the grid they replace.
  grid->setFont(CommonDialog1.ToFont());
  grid->setToolTip(fgDummy->toolTip());
  connect(grid, &FlexGrid::DblClick, this, &frmFindTextInFiles::fgFiles_DblClick);
  setTabOrder(cmdFindText, grid);
  grid->show();
  return grid;
}

// Copies up to `limit` new findings (all remaining ones when `limit` is below 1), showing the count and
// letting the event loop run every 25 records. The copy ends early when a record cannot be read, when
// the search is aborted, when a new search replaced the grid meanwhile or when the window was closed
// (and may be gone: the caller checks before it touches the window again).
void frmFindTextInFiles::FetchFindings(std::int32_t limit) {
  const std::int32_t count = Zarn1->SearchCount();
  if (limit < 1) limit = count - mlFindingsShown;
  const std::int64_t last = std::min<std::int64_t>(std::int64_t{mlFindingsShown} + limit - 1, count - 1);
  const std::uint64_t generation = grid_generation_;
  // The event loop may close the window, start a new search or abort this one.
  const QPointer<frmFindTextInFiles> alive(this);
  const auto still_wanted = [&] {
    return alive && generation == grid_generation_ && !copy_stopped_ && fgFiles;
  };
  QStringList rows;
  Finding finding;
  PaintThrottle throttle(fgFiles);
  for (std::int64_t i = mlFindingsShown; i <= last; ++i) {
    if (!Zarn1->GetFileData(static_cast<std::int32_t>(i), finding)) break;
    rows << RowText(finding);
    ++mlFindingsShown;
    if (i % kYieldEvery != 0) continue;
    AddFindingRows(rows);
    throttle.BeforeYield();
    QApplication::processEvents();
    if (!still_wanted()) return;
    throttle.AfterYield();
  }
  AddFindingRows(rows);
  throttle.BeforeYield();
  QApplication::processEvents();
  if (alive) throttle.AfterYield();
}

// The rows copied since the last pass of the event loop go into the grid in one insertion.
void frmFindTextInFiles::AddFindingRows(QStringList& rows) {
  if (!rows.isEmpty() && fgFiles) fgFiles->AddItems(rows);
  rows.clear();
  sbStatus->SetPanelText(kHitCountPanel, QString::number(mlFindingsShown));
}

void frmFindTextInFiles::Form_Resize() {
  if (frame_.AppClosing() || (sub_window_ && sub_window_->isMinimized())) return;
  const int free_height = std::max(0, height() - sbStatus->height() - Toolbar1->height());
  const int top = Toolbar1->height();
  const int viewer_height = static_cast<int>(std::lround(free_height * 10.0 / 20));
  const int results_height = static_cast<int>(std::lround(free_height * 7.0 / 20));
  const int errors_height = static_cast<int>(std::lround(free_height * 3.0 / 20));
  msfgFileWithHit->setGeometry(0, top, width(), viewer_height);
  // The two columns fill the grid inside its frame and its vertical scroll bar, so that no horizontal
  // scroll bar is needed.
  const int inside =
      width() - 2 * msfgFileWithHit->frameWidth() -
      msfgFileWithHit->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, msfgFileWithHit);
  msfgFileWithHit->SetColWidth(0, std::max(0, PixelsToTwipsX(inside, this) - kViewerMarginTwips));
  msfgFileWithHit->SetColWidth(1, kViewerMarginTwips);
  SizeRowsOfMSFlexGrid(*msfgFileWithHit, 0);
  if (fgFiles) fgFiles->setGeometry(0, top + viewer_height, width(), results_height);
  lstErrorMessages->setGeometry(0, top + viewer_height + results_height, width(), errors_height);
}

// Rows whose text in `col` is wider than the column get the height of as many lines as it needs: at
// least its width in column widths, rounded up, and as many as wrapping it at word boundaries inside the
// cell's margins takes, so that the whole line shows. Text is measured in the current cell's font (the
// marked row of the viewer is bold).
void frmFindTextInFiles::SizeRowsOfMSFlexGrid(FlexGrid& grid, int col) {
  grid.SetRedraw(false);
  QFont font = grid.font();
  font.setBold(grid.CellFontBold());
  const QFontMetrics metrics(font);
  const int line_height = PixelsToTwipsY(metrics.height(), this) + 1;
  const int column_width = grid.ColWidth(col);
  const int wrap_width = std::max(1, TwipsToPixelsX(column_width, this) - kCellMarginsPixels);
  const int cell_padding = PixelsToTwipsY(kCellMarginsPixels / 2, this);  // the grid line and the frame
  for (int row = 0; row < grid.Rows(); ++row) {
    const QString text = grid.TextMatrix(row, col);
    const int text_width = PixelsToTwipsX(metrics.horizontalAdvance(text), this);
    if (column_width <= 0 || text_width <= column_width) continue;
    const int by_width = (text_width + column_width - 1) / column_width;
    const int wrapped =
        metrics.boundingRect(QRect(0, 0, wrap_width, 1 << 20), Qt::TextWordWrap, text).height() /
        std::max(1, metrics.lineSpacing());
    grid.SetRowHeight(row, line_height * std::max(by_width, wrapped) + cell_padding);
  }
  grid.SetRedraw(true);
}

void frmFindTextInFiles::Change_Font(bool show_dialog) {
  if (show_dialog) {
    const std::optional<FontSettings> chosen = ShowFontDialog(this, CommonDialog1);
    if (!chosen) return;
    CommonDialog1 = *chosen;
  }
  const QFont font = CommonDialog1.ToFont();
  msfgFileWithHit->SetRedraw(false);
  if (fgFiles) fgFiles->SetRedraw(false);
  msfgFileWithHit->setFont(font);
  if (fgFiles) fgFiles->setFont(font);
  lstErrorMessages->setFont(font);
  Form_Resize();
  msfgFileWithHit->SetRedraw(true);
  if (fgFiles) fgFiles->SetRedraw(true);
}

}  // namespace kestrix
