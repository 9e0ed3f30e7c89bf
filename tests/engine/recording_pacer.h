// An entry pause for engine tests: it records the pauses the walk asks for instead of pausing.
#pragma once

#include <cstdint>
#include <vector>

#include "control/engine/search_state.h"

namespace zarn::test {

void RecordPause(SearchState& state, std::int32_t milliseconds);

std::vector<std::int32_t> TakeRecordedPauses();

}  // namespace zarn::test
