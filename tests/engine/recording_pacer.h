// Engine tests link this pacer instead of the one that pauses: it records the pauses the walk asks for.
#pragma once

#include <cstdint>
#include <vector>

namespace zarn::test {

std::vector<std::int32_t> TakeRecordedPauses();

}  // namespace zarn::test
