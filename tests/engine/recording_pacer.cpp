#include "tests/engine/recording_pacer.h"

#include <mutex>
#include <utility>

#include "control/engine/entry_pacer.h"

namespace zarn {
namespace {
std::mutex pauses_mutex;
std::vector<std::int32_t> pauses;
}  // namespace

void PauseAfterEntry(SearchState&, std::int32_t milliseconds) {
  std::lock_guard lock(pauses_mutex);
  pauses.push_back(milliseconds);
}

std::vector<std::int32_t> test::TakeRecordedPauses() {
  std::lock_guard lock(pauses_mutex);
  return std::exchange(pauses, {});
}

}  // namespace zarn
