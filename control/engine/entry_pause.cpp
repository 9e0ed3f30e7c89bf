#include "control/engine/entry_pause.h"

namespace zarn {

void PauseAfterEntry(SearchState& state, std::int32_t milliseconds) {
  state.PauseUnlessStopped(std::chrono::milliseconds(milliseconds));
}

}  // namespace zarn
