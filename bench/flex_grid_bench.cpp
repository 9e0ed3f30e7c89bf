// kx-flex-grid-bench: how long the desktop program's grid takes to be created, to take a million
// four-column rows in batches, and to scroll to its end. Runs offscreen; prints milliseconds.
//   kx-flex-grid-bench [rows] [batch]      defaults 1000000 and 10000
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/flex_grid.h"

namespace {

QStringList Batch(int first, int count) {
  QStringList rows;
  rows.reserve(count);
  for (int i = first; i < first + count; ++i) {
    rows.append(QStringLiteral("/srv/data/project/src/file%1.cpp\t%2\t%3\tfound text number %1")
                    .arg(i, 7, 10, QChar('0'))
                    .arg(i % 4999)
                    .arg(i % 80));
  }
  return rows;
}

double Millis(QElapsedTimer& timer) {
  const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  timer.restart();
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int rows = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
  const int batch = argc > 2 ? std::atoi(argv[2]) : 10'000;

  QElapsedTimer timer;
  timer.start();
  qtplatform::FlexGrid grid;
  grid.SetRows(1);
  grid.SetCols(4);
  grid.SetFixedCols(0);
  grid.resize(800, 600);
  grid.show();
  QApplication::processEvents();
  std::printf("create and show:        %9.1f ms\n", Millis(timer));

  double building = 0;
  QElapsedTimer build_timer;
  for (int first = 0; first < rows; first += batch) {
    const int count = std::min(batch, rows - first);
    build_timer.start();
    const QStringList texts = Batch(first, count);
    building += static_cast<double>(build_timer.nsecsElapsed()) / 1e6;
    grid.AddItems(texts);
  }
  QApplication::processEvents();
  const double filling = Millis(timer) - building;
  std::printf("fill %d rows by %d:  %9.1f ms (plus %.1f ms making the texts)\n", rows, batch, filling,
              building);

  grid.scrollToBottom();
  grid.repaint();
  std::printf("scroll to end, paint:   %9.1f ms\n", Millis(timer));

  grid.SetTopRow(grid.Rows() / 2);
  grid.repaint();
  std::printf("SetTopRow middle, paint:%9.1f ms\n", Millis(timer));

  grid.AddItem("one more\t1\t1\tx");
  grid.SetTopRow(grid.Rows() - 1);
  grid.repaint();
  std::printf("append, SetTopRow end:  %9.1f ms (top row %d of %d)\n", Millis(timer), grid.TopRow(),
              grid.Rows());
  return 0;
}
