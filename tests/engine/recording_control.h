// A SearchControl for engine tests: keeps every finding and notification the engine hands it.
#pragma once

#include <mutex>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "control/engine/search_control.h"

namespace zarn::test {

struct Finding {
  std::string path;
  std::int32_t line;
  std::int32_t column;
  std::string text;
  friend bool operator==(const Finding&, const Finding&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Finding& f) {
    return out << f.path << ":" << f.line << ":" << f.column << ":" << f.text;
  }
};

struct Posted {
  NotificationKind kind;
  std::int32_t code;
  std::string detail;
  friend bool operator==(const Posted&, const Posted&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Posted& p) {
    return out << "(" << static_cast<int>(p.kind) << ", " << p.code << ", " << p.detail << ")";
  }
};

class RecordingControl : public SearchControl {
 public:
  void AppendFinding(const FindingView& f) override {
    std::lock_guard lock(mutex_);
    findings_.push_back(
        {std::string(f.file_path), f.line_number, f.column_number, std::string(f.text_found)});
  }
  void PostNotification(NotificationKind kind, std::int32_t code, std::string_view detail) override {
    std::lock_guard lock(mutex_);
    posted_.push_back({kind, code, std::string(detail)});
  }
  bool ConvertOfficeDocument(OfficeApplication application, const std::string& document,
                             const std::string& text_file) override {
    std::lock_guard lock(mutex_);
    conversions_.push_back({application, document, text_file});
    return false;
  }

  void Clear() {
    std::lock_guard lock(mutex_);
    findings_.clear();
    posted_.clear();
    conversions_.clear();
  }

  std::vector<Finding> findings() const {
    std::lock_guard lock(mutex_);
    return findings_;
  }
  std::vector<Posted> posted() const {
    std::lock_guard lock(mutex_);
    return posted_;
  }
  // The codes of the notifications posted, in order (0 for the completion).
  std::vector<std::int32_t> codes() const {
    std::lock_guard lock(mutex_);
    std::vector<std::int32_t> codes;
    for (const Posted& posted : posted_) codes.push_back(posted.code);
    return codes;
  }
  std::vector<std::tuple<OfficeApplication, std::string, std::string>> conversions() const {
    std::lock_guard lock(mutex_);
    return conversions_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<Finding> findings_;
  std::vector<Posted> posted_;
  std::vector<std::tuple<OfficeApplication, std::string, std::string>> conversions_;
};

}  // namespace zarn::test
