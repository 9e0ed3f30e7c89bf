#include "tests/engine/recording_pacer.h"

#include <mutex>
#include <utility>

namespace zarn::test {
namespace {
std::mutex pauses_mutex;
std::vector<std::int32_t> pauses;
}  // namespace

void RecordPause(SearchState& /*state*/, std::int32_t milliseconds) {
  std::lock_guard lock(pauses_mutex);
  pauses.push_back(milliseconds);
}

std::vector<std::int32_t> TakeRecordedPauses() {
  std::lock_guard lock(pauses_mutex);
  return std::exchange(pauses, {});
}

}  // namespace zarn::test
