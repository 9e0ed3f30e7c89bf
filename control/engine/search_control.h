// SearchControl: the control as the search engine sees it, what the engine needs from the control that runs
// it. The control implements this; the search worker shares ownership of it, so everything the worker
// touches stays alive however long the worker runs after the control is gone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "control/engine/error_codes.h"
#include "control/engine/finding_record.h"
#include "control/engine/search_options.h"
#include "control/engine/search_state.h"

namespace zarn {

enum class NotificationKind : std::int32_t { kCompletion = 1, kError = 2 };

enum class OfficeApplication { kWord, kExcel };

class SearchControl {
 public:
  virtual ~SearchControl() = default;

  SearchOptions& Options() { return options_; }
  SearchState& State() { return state_; }

  // Appends one finding to the control's findings (worker thread).
  virtual void AppendFinding(const FindingView& finding) = 0;

  // Posts a notification for the host's thread (worker thread): an error with its code (error_codes.h)
  // and detail text, or the completion of the search (code 0, empty text).
  virtual void PostNotification(NotificationKind kind, std::int32_t code, std::string_view detail) = 0;

  // Has the Office application save `document` as plain text into `text_file`; true when the
  // application could be created and ran the conversion.
  virtual bool ConvertOfficeDocument(OfficeApplication application, const std::string& document,
                                     const std::string& text_file) = 0;

 private:
  SearchOptions options_;
  SearchState state_;
};

}  // namespace zarn
