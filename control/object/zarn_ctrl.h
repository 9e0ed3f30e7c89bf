// CZarnCtrl: the control object. A host creates it on its user-interface thread, sets the search options,
// calls Begin and receives ScanStarted, ScanCompleted and OnError on that thread while it pumps the
// thread's message queue (the control owns a window there, on which the relay timer fires). Findings are
// read back by number or written to a tab-delimited file.
//
// Every member is called on the thread that created the control. A search runs on a worker thread of its
// own; the worker and the control share the ControlState.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "control/events/zarn_events.h"
#include "control/object/control_state.h"
#include "platform/window/message_queue.h"

namespace zarn {

class CZarnCtrl {
 public:
  // Reads the six remembered options from the settings file named after `display_name` (the name the
  // host gave the control; see control_settings.h).
  explicit CZarnCtrl(std::string_view display_name = {});
  // Stops a running search (waiting at most 3 seconds), stops the relay, writes the settings file and
  // destroys the window. No event is fired from the moment destruction begins.
  ~CZarnCtrl();
  CZarnCtrl(const CZarnCtrl&) = delete;
  CZarnCtrl& operator=(const CZarnCtrl&) = delete;

  // The receiver of the events; nullptr for none. It must outlive its registration.
  void SetEventSink(ZarnEvents* sink) { state_->SetEventSink(sink); }

  // Options. Each setter returns whether the assignment counts as a change to tell the container about
  // (false for an empty SearchPath and an ignored ThreadPriority).
  bool GetCaseSensitive() const { return Flag(SearchOptions::Flag::kCaseSensitive); }
  bool SetCaseSensitive(bool value) { return SetFlag(SearchOptions::Flag::kCaseSensitive, value); }
  bool GetLookInSubfolders() const { return Flag(SearchOptions::Flag::kLookInSubfolders); }
  bool SetLookInSubfolders(bool value) { return SetFlag(SearchOptions::Flag::kLookInSubfolders, value); }
  bool GetWholeWordOnly() const { return Flag(SearchOptions::Flag::kWholeWordOnly); }
  bool SetWholeWordOnly(bool value) { return SetFlag(SearchOptions::Flag::kWholeWordOnly, value); }
  bool GetRegularExpression() const { return Flag(SearchOptions::Flag::kRegularExpression); }
  bool SetRegularExpression(bool value) { return SetFlag(SearchOptions::Flag::kRegularExpression, value); }
  bool GetSupportOfficeDocs() const { return Flag(SearchOptions::Flag::kSupportOfficeDocs); }
  bool SetSupportOfficeDocs(bool value) { return SetFlag(SearchOptions::Flag::kSupportOfficeDocs, value); }
  std::int32_t GetThreadPriority() const { return Options().ThreadPriority(); }
  bool SetThreadPriority(std::int32_t value);
  std::string GetSearchPath() const { return Options().Get(SearchOptions::Text::kSearchPath); }
  bool SetSearchPath(std::string_view value);
  std::string GetSearchExt() const { return Options().Get(SearchOptions::Text::kSearchExt); }
  bool SetSearchExt(std::string_view value);
  std::string GetSearchString() const { return Options().Get(SearchOptions::Text::kSearchString); }
  bool SetSearchString(std::string_view value);

  // The walk's pace, an extension beside the options (the interface _DZarnPace): the pause after each
  // folder entry in milliseconds, or -1 for the pause ThreadPriority asks for (the default). A running
  // walk takes a new value at its next entry. The setter refuses (false, nothing changed) any value but
  // -1 and 0 to 10000. Not remembered in the settings file.
  std::int32_t GetEntryPause() const { return Options().PaceMilliseconds(); }
  bool SetEntryPause(std::int32_t value);

  // Search state.
  std::int32_t GetSearchCount() const { return state_->Findings().Count(); }
  bool GetSearchActive() const { return state_->State().Active(); }
  std::int32_t GetSearchTime() const { return state_->State().SearchTime(); }

  // Starts a search; false (after OnError 502, 507, 508 or 509) when it cannot start.
  bool Begin();
  // Stops the running search and waits (at most 3 seconds) until its worker has stopped.
  void Abort();

  // Record `record_number` of the findings; false (after OnError 506, out-parameters untouched) when the
  // number is out of range.
  bool GetFileData(std::int32_t record_number, std::string* file_path, std::int32_t* line_number,
                   std::int32_t* column_number, std::string* text_found);
  // The same without copying: the record's texts stay valid until the next successful Begin.
  bool GetFileData(std::int32_t record_number, FindingView* record);
  // Writes the findings as a tab-delimited file; false (after OnError 504) when it cannot be opened or
  // written.
  bool SaveDataToTabFile(const std::string& file_name);

  // Has Word or Excel (by the file's type) save `source` as plain text into `target`; false for any
  // other type or when the application is not available.
  bool SaveOfficeDocAsText(const std::string& source, const std::string& target);

  // Takes the display name the container reports: from now on the settings file of that name is the
  // control's, and its options are read from it.
  void UseDisplayName(std::string_view display_name);

  win::HWND Window() const { return window_; }

 private:
  SearchOptions& Options() const { return state_->Options(); }
  bool Flag(SearchOptions::Flag which) const { return Options().Get(which); }
  bool SetFlag(SearchOptions::Flag which, bool value);
  bool RefuseToBegin();
  void LoadSettings();
  void SaveSettings();

  std::string display_name_;
  win::HWND window_;
  std::shared_ptr<ControlState> state_;
};

}  // namespace zarn
