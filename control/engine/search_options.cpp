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

const std::string& CachedOptionText::Current(bool* changed) {
  const std::uint64_t version = options_.TextVersion();
  const bool first = version_ == ~std::uint64_t{0};
  if (version != version_) {
    version_ = version;
    std::string fresh = options_.Get(which_);
    if (changed) *changed = first || fresh != value_;
    value_ = std::move(fresh);
  } else if (changed) {
    *changed = false;
  }
  return value_;
}

}  // namespace zarn
