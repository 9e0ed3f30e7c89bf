#include "control/engine/search_options.h"

namespace zarn {

std::string SearchOptions::Get(Text which) const {
  std::lock_guard lock(text_mutex_);
  return texts_[Index(which)];
}

void SearchOptions::Set(Text which, std::string value) {
  std::lock_guard lock(text_mutex_);
  texts_[Index(which)] = std::move(value);
  text_version_.fetch_add(1, std::memory_order_release);
}

const std::string& CachedOptionText::Current() {
  const std::uint64_t version = options_.TextVersion();
  if (version != version_) {
    version_ = version;
    value_ = options_.Get(which_);
  }
  return value_;
}

}  // namespace zarn
