// The nine search options as stored (and the walk's pace), shared by the host's thread (which assigns them)
// and the worker (which reads each at its own moment during a search). The assignment rules of the properties
// live in the control object; this holder only stores and hands out values safely across the two threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace zarn {

class SearchOptions {
 public:
  enum class Text { kSearchPath, kSearchExt, kSearchString };
  enum class Flag {
    kCaseSensitive,
    kLookInSubfolders,
    kWholeWordOnly,
    kRegularExpression,
    kSupportOfficeDocs
  };

  std::string Get(Text which) const;
  void Set(Text which, std::string value);

  bool Get(Flag which) const { return flags_[Index(which)].load(std::memory_order_relaxed); }
  void Set(Flag which, bool value) { flags_[Index(which)].store(value, std::memory_order_relaxed); }

  std::int32_t ThreadPriority() const { return thread_priority_.load(std::memory_order_relaxed); }
  void SetThreadPriority(std::int32_t value) { thread_priority_.store(value, std::memory_order_relaxed); }

  // The walk's pace, an extension beside the nine: the pause after each folder entry in milliseconds, or
  // kPaceOfThreadPriority, the control's own pace (entry_pause.h).
  static constexpr std::int32_t kPaceOfThreadPriority = -1;
  std::int32_t PaceMilliseconds() const { return pace_milliseconds_.load(std::memory_order_relaxed); }
  void SetPaceMilliseconds(std::int32_t value) { pace_milliseconds_.store(value, std::memory_order_relaxed); }

  // Grows with every change of a text, so that a reader can keep a copy and refresh it only on change.
  std::uint64_t TextVersion() const { return text_version_.load(std::memory_order_acquire); }

 private:
  static std::size_t Index(Flag which) { return static_cast<std::size_t>(which); }
  static std::size_t Index(Text which) { return static_cast<std::size_t>(which); }

  mutable std::mutex text_mutex_;
  std::string texts_[3];
  std::atomic<std::uint64_t> text_version_{0};
  std::atomic<bool> flags_[5] = {false, false, false, false, true};
  std::atomic<std::int32_t> thread_priority_{2};
  std::atomic<std::int32_t> pace_milliseconds_{kPaceOfThreadPriority};
};

// A worker's copy of one option text, refreshed only when the options changed since it was taken.
class CachedOptionText {
 public:
  CachedOptionText(const SearchOptions& options, SearchOptions::Text which)
      : options_(options), which_(which) {}
  // The current value.
  const std::string& Current();

 private:
  const SearchOptions& options_;
  SearchOptions::Text which_;
  std::uint64_t version_ = ~std::uint64_t{0};
  std::string value_;
};

}  // namespace zarn
