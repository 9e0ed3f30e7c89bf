// A critical section: a lock that the owning thread may enter again (recursive), as on Windows.
#pragma once

#include <mutex>

namespace win {

struct CRITICAL_SECTION {
  std::recursive_mutex mutex;
};

inline void EnterCriticalSection(CRITICAL_SECTION* section) {
  section->mutex.lock();
}
inline void LeaveCriticalSection(CRITICAL_SECTION* section) {
  section->mutex.unlock();
}

// Holds a critical section for the lifetime of the guard.
class CriticalSectionGuard {
 public:
  explicit CriticalSectionGuard(CRITICAL_SECTION& section) : section_(section) {
    EnterCriticalSection(&section_);
  }
  ~CriticalSectionGuard() { LeaveCriticalSection(&section_); }
  CriticalSectionGuard(const CriticalSectionGuard&) = delete;
  CriticalSectionGuard& operator=(const CriticalSectionGuard&) = delete;

 private:
  CRITICAL_SECTION& section_;
};

}  // namespace win
