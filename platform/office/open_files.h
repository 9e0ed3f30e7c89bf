// The documents (or workbooks) an application has open, shared between the application object and its
// collection object; the last one opened is the active one. Safe to use from several threads.
#pragma once

#include <mutex>
#include <vector>

#include "platform/ole/unknown.h"

namespace office {

template <typename File>
class OpenFiles {
 public:
  void Add(ole::ComPtr<File> file) {
    std::lock_guard lock(mutex_);
    files_.push_back(std::move(file));
  }
  // The last file opened; empty when none is open.
  ole::ComPtr<File> Active() const {
    std::lock_guard lock(mutex_);
    return files_.empty() ? ole::ComPtr<File>() : files_.back();
  }
  // Closes every file (the caller's own references stay valid).
  void CloseAll() {
    std::vector<ole::ComPtr<File>> closed;
    {
      std::lock_guard lock(mutex_);
      closed.swap(files_);
    }
  }

 private:
  mutable std::mutex mutex_;
  std::vector<ole::ComPtr<File>> files_;
};

}  // namespace office
