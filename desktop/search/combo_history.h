// Shows a search history in one of the options dialog's combo boxes.
#pragma once

#include <string>
#include <vector>

class QComboBox;

namespace kestrix {

// Empties `box` and fills it with `oldest_first` newest entry first; the newest entry is selected, so the
// box shows the last value used. An empty history leaves the box empty with no text.
void SetHistory(QComboBox* box, const std::vector<std::string>& oldest_first);

}  // namespace kestrix
