// kx-desktop-bench, the hit viewer: files that gained lines of megabytes after the search; the longest
// pass of the event loop while a finding in them is double-clicked and while the window is then maximised.
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <string>

#include "bench/desktop_bench_support.h"
#include "platform/qt/flex_grid.h"

namespace kxbench {

namespace {

void WriteFile(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

std::string ShortLines(int from, int to) {
  std::string body;
  for (int line = from; line <= to; ++line) body += "short line " + std::to_string(line) + "\n";
  return body;
}

// A line of words `bytes` long.
std::string LongLine(std::size_t bytes) {
  std::string line;
  line.reserve(bytes);
  while (line.size() < bytes) line += "words of a line that never ends ";
  line.resize(bytes);
  return line;
}

// The grid row that shows a finding in `file`.
int ResultRow(const frmFindTextInFiles& search, const QString& file) {
  for (int row = 1; row < Named<qtplatform::FlexGrid>(search, "fgFiles").Rows(); ++row)
    if (Named<qtplatform::FlexGrid>(search, "fgFiles").TextMatrix(row, 0).endsWith(file)) return row;
  return -1;
}

}  // namespace

// Each file holds "needle" on line 150 when searched; then it grows: one line of 10 MB in its place, or
// the 199 lines the viewer shows made 1 MB each. The finding is double-clicked with the window at a
// normal size, which is then maximised.
void MeasureLongLines(frmFindTextInFiles& search) {
  QTemporaryDir scratch;
  const QString folder = scratch.path();
  const std::string before = ShortLines(1, 149) + "needle\n" + ShortLines(151, 300);
  WriteFile(folder + "/one-line-of-10-MB.txt", before);
  WriteFile(folder + "/199-lines-of-1-MB.txt", before);
  FindText(search, folder, false);
  WaitUntil([&] { return Finished(search); });
  WriteFile(folder + "/one-line-of-10-MB.txt",
            ShortLines(1, 149) + "needle " + LongLine(10 << 20) + "\n" + ShortLines(151, 300));
  std::string many = ShortLines(1, 50);
  for (int line = 51; line <= 249; ++line) many += (line == 150 ? "needle " : "") + LongLine(1 << 20) + "\n";
  WriteFile(folder + "/199-lines-of-1-MB.txt", many + ShortLines(250, 300));
  for (const QString file : {"one-line-of-10-MB.txt", "199-lines-of-1-MB.txt"}) {
    search.SubWindow()->showNormal();
    search.SubWindow()->resize(900, 600);
    QApplication::processEvents();
    qtplatform::FlexGrid& results = Named<qtplatform::FlexGrid>(search, "fgFiles");
    const QPoint where = results.visualRect(results.model()->index(ResultRow(search, file) - 1, 0)).center();
    const qint64 open = LongestPass([&] {
      QTest::mouseClick(results.viewport(), Qt::LeftButton, {}, where);
      QTest::mouseDClick(results.viewport(), Qt::LeftButton, {}, where);
    });
    const qint64 maximise = LongestPass([&] { search.SubWindow()->showMaximized(); });
    std::printf(
        "viewer, %s: longest pass of the event loop %lld ms on the double click, %lld ms on maximise"
        " (%d rows, row %d marked)\n",
        qPrintable(file), static_cast<long long>(open), static_cast<long long>(maximise),
        Named<qtplatform::FlexGrid>(search, "msfgFileWithHit").Rows(),
        Named<qtplatform::FlexGrid>(search, "msfgFileWithHit").Row());
  }
}

}  // namespace kxbench
