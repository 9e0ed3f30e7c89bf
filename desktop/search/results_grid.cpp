// The results grid: one finding per row under the header "File", "Line", "Col", "Item Found", copied from
// the control record by record (findings_copy.h); the window's layout; the row sizing of the viewer grid; the
// font.
#include <QFontMetrics>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <cmath>

#include "desktop/search/search_window.h"
#include "desktop/search/zarn_control.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/status_bar.h"

namespace kestrix {

namespace {

constexpr const char* kHeaders[4] = {"File", "Line", "Col", "Item Found"};
constexpr int kViewerMarginTwips = 260;  // the viewer grid's second, empty column
constexpr int kCellMarginsPixels = 8;    // what a cell's frame and padding take from its text's width

}  // namespace

void frmFindTextInFiles::ResetFindingsGrid() {
  if (fgFiles)
    for (int col = 0; col < 4; ++col) settings_.mlColWidth[col] = fgFiles->ColWidth(col);
  fgFiles = nullptr;
  if (auto* old = findChild<qtplatform::FlexGrid*>("fgFiles", Qt::FindDirectChildrenOnly)) {
    // A copy that yielded to the event loop may still be inside this grid's code: it goes later.
    old->hide();
    old->setObjectName(QString());
    old->deleteLater();
  }
  fgDummy->hide();
  fgFiles = CreateFindingsGrid();
  copy_.Restart();
  Form_Resize();
}

qtplatform::FlexGrid* frmFindTextInFiles::CreateFindingsGrid() {
  auto* grid = new qtplatform::FlexGrid(this);
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
    grid->SetColWidth(col, settings_.mlColWidth[col]);
  }
  // The results keep the window's font and the hint of the grid they replace.
  grid->setFont(settings_.CommonDialog1.ToFont());
  grid->setToolTip(fgDummy->toolTip());
  connect(grid, &qtplatform::FlexGrid::DblClick, this, &frmFindTextInFiles::fgFiles_DblClick);
  setTabOrder(cmdFindText, grid);
  grid->show();
  return grid;
}

// Copies up to `limit` new findings (all remaining ones when `limit` is below 1) into the results grid;
// false when the copy was ended meanwhile, and then the window may be gone (findings_copy.h).
bool frmFindTextInFiles::FetchFindings(std::int32_t limit) {
  return copy_.Copy(*Zarn1, *fgFiles, *sbStatus, limit);
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
  msfgFileWithHit->SetColWidth(0, std::max(0, qtplatform::PixelsToTwipsX(inside, this) - kViewerMarginTwips));
  msfgFileWithHit->SetColWidth(1, kViewerMarginTwips);
  SizeRowsOfMSFlexGrid(*msfgFileWithHit, 0);
  if (fgFiles) fgFiles->setGeometry(0, top + viewer_height, width(), results_height);
  lstErrorMessages->setGeometry(0, top + viewer_height + results_height, width(), errors_height);
}

// Rows whose text in `col` is wider than the column get the height of as many lines as it needs: at
// least its width in column widths, rounded up, and as many as wrapping it at word boundaries inside the
// cell's margins takes, so that the whole line shows. Text is measured in the current cell's font (the
// marked row of the viewer is bold).
void frmFindTextInFiles::SizeRowsOfMSFlexGrid(qtplatform::FlexGrid& grid, int col) {
  grid.SetRedraw(false);
  QFont font = grid.font();
  font.setBold(grid.CellFontBold());
  const QFontMetrics metrics(font);
  const int line_height = qtplatform::PixelsToTwipsY(metrics.height(), this) + 1;
  const int column_width = grid.ColWidth(col);
  const int wrap_width = std::max(1, qtplatform::TwipsToPixelsX(column_width, this) - kCellMarginsPixels);
  const int cell_padding =
      qtplatform::PixelsToTwipsY(kCellMarginsPixels / 2, this);  // the grid line and the frame
  for (int row = 0; row < grid.Rows(); ++row) {
    const QString text = grid.TextMatrix(row, col);
    const int text_width = qtplatform::PixelsToTwipsX(metrics.horizontalAdvance(text), this);
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
    const std::optional<qtplatform::FontSettings> chosen =
        qtplatform::ShowFontDialog(this, settings_.CommonDialog1);
    if (!chosen) return;
    settings_.CommonDialog1 = *chosen;
  }
  const QFont font = settings_.CommonDialog1.ToFont();
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
