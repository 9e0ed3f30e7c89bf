// The events a host receives from the control, all on the thread that owns the control's window.
#pragma once

#include <cstdint>
#include <string>

namespace zarn {

class ZarnEvents {
 public:
  virtual ~ZarnEvents() = default;
  // Begin has started a search (the findings are empty, SearchActive is TRUE).
  virtual void ScanStarted() {}
  // A search ended by itself (not after Abort).
  virtual void ScanCompleted() {}
  // An error: its code and the message followed by its detail text.
  virtual void OnError(std::int32_t /*error_code*/, const std::string& /*error_string*/) {}
};

}  // namespace zarn
