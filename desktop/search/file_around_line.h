// LoadFileAroundLine: fills the hit viewer's grid with the lines around a finding — the 99 lines before
// it, the line itself and the 99 after it, each shown as a literal (MakeDisplayLiteral) — and marks and
// scrolls to the finding's line. Lines end at CR LF, LF or CR, the rule the search engine counts by, so
// the marked row is the finding's line. A line longer than a row can show is cut, with a mark saying so
// (MakeCutDisplayLiteral); of each line only what its row shows is kept in memory.
#pragma once

#include <cstdint>
#include <string>

namespace qtplatform {
class FlexGrid;
}  // namespace qtplatform

namespace kestrix {

// A file that cannot be read is reported in a message box ("File Name:  <path>  Not Found or can't
// open!"); the grid keeps what was added before the failure.
void LoadFileAroundLine(qtplatform::FlexGrid& grid, const std::string& path, std::int32_t line);

}  // namespace kestrix
