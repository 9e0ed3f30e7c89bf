// A window holding one FlexGrid named "fgFiles", shown offscreen, as the search window holds its grid.
#pragma once

#include <QVBoxLayout>
#include <QWidget>

#include "platform/qt/flex_grid.h"

namespace kx::test {

class GridWindow {
 public:
  GridWindow() {
    auto* layout = new QVBoxLayout(&window_);
    auto* grid = new qtplatform::FlexGrid(&window_);
    grid->setObjectName("fgFiles");
    layout->addWidget(grid);
    window_.resize(400, 300);
    window_.show();
  }

  QWidget& Window() { return window_; }
  qtplatform::FlexGrid& Grid() { return *window_.findChild<qtplatform::FlexGrid*>("fgFiles"); }

 private:
  QWidget window_;
};

// The results grid's shape: one header row, four columns, no fixed column.
inline void MakeResultsGrid(qtplatform::FlexGrid& grid) {
  grid.SetRows(1);
  grid.SetCols(4);
  grid.SetFixedCols(0);
  const char* const headers[] = {"File", "Line", "Col", "Item Found"};
  for (int col = 0; col < 4; ++col) grid.SetTextMatrix(0, col, headers[col]);
}

}  // namespace kx::test
