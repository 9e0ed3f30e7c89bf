// Arranging the child windows of a multiple-document area, by the arrangement codes the desktop program
// uses: 0 cascades them, 1 tiles them horizontally (stacked one above the other, each the full width),
// 2 tiles them vertically (side by side, each the full height). Other codes do nothing.
#pragma once

class QMdiArea;

namespace qtplatform {

inline constexpr int kArrangeCascade = 0;
inline constexpr int kArrangeTileHorizontal = 1;
inline constexpr int kArrangeTileVertical = 2;

// Both cover the visible child windows that are not minimised (a maximised one is restored first).
// Cascading staggers them by a title bar each, every one as large as the client part less the stagger,
// the topmost in front. Tiling shares out the whole client part, the topmost first, the last window taking
// what is left over.
void ArrangeMdiWindows(QMdiArea& area, int code);

}  // namespace qtplatform
