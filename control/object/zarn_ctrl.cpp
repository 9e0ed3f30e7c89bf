#include "control/object/zarn_ctrl.h"

#include "control/engine/office_document.h"
#include "control/engine/pattern_matcher.h"
#include "control/engine/search_job.h"
#include "control/object/control_settings.h"
#include "control/object/error_messages.h"
#include "control/object/option_rules.h"
#include "platform/win/ticks.h"
#include "platform/win/windows_folder.h"

namespace zarn {

namespace {
// How much longer the destruction waits for a worker that Abort's wait did not see end.
constexpr std::chrono::milliseconds kFinalWorkerWait{150};
constexpr const char* kTemporaryTextFileName = "/ZarnTemp.TXT";
}  // namespace

CZarnCtrl::CZarnCtrl(std::string_view display_name)
    : display_name_(display_name), state_(std::make_shared<ControlState>()) {
  window_ = win::CreateWindow(
      [weak = std::weak_ptr<ControlState>(state_)](win::HWND, win::UINT message, win::WPARAM, win::LPARAM) {
        if (message != win::WM_TIMER) return win::LRESULT{0};
        if (const std::shared_ptr<ControlState> state = weak.lock()) state->DeliverNotifications();
        return win::LRESULT{0};
      });
  state_->Relay().AttachWindow(window_);
  LoadSettings();
}

CZarnCtrl::~CZarnCtrl() {
  state_->MarkDestroyed();
  AbortSearch(state_->State());
  if (state_->State().Active()) state_->State().WaitUntilInactive(kFinalWorkerWait);
  state_->Relay().Stop();
  SaveSettings();
  win::DestroyWindow(window_);
}

void CZarnCtrl::LoadSettings() {
  if (const std::optional<std::string> file = SettingsFileName(display_name_))
    ReadControlSettings(*file, *this);
  else
    state_->RaiseError(kErrorSettingsFileName);
}

void CZarnCtrl::SaveSettings() {
  if (const std::optional<std::string> file = SettingsFileName(display_name_))
    WriteControlSettings(*file, *this);
}

bool CZarnCtrl::SetFlag(SearchOptions::Flag which, bool value) {
  Options().Set(which, value);
  return true;
}

bool CZarnCtrl::SetThreadPriority(std::int32_t value) {
  if (!IsThreadPriority(value)) return false;
  Options().SetThreadPriority(value);
  return true;
}

bool CZarnCtrl::SetEntryPause(std::int32_t value) {
  if (!IsEntryPause(value)) return false;
  Options().SetPaceMilliseconds(value);
  return true;
}

bool CZarnCtrl::SetSearchPath(std::string_view value) {
  Options().Set(SearchOptions::Text::kSearchPath, StoredSearchPath(value));
  return !value.empty();
}

bool CZarnCtrl::SetSearchExt(std::string_view value) {
  Options().Set(SearchOptions::Text::kSearchExt, StoredSearchExt(value));
  return true;
}

bool CZarnCtrl::SetSearchString(std::string_view value) {
  Options().Set(SearchOptions::Text::kSearchString, std::string(value));
  return true;
}

// Begin's checks, in order: no search active (502), a search string (507), a search path (508), file
// types (509), and a search string that compiles as a regular expression when one is asked for (507 with
// the string). Raises the first that fails and returns true; false when all pass.
bool CZarnCtrl::RefuseToBegin() {
  if (GetSearchActive()) {
    state_->RaiseError(kErrorSearchInProcess);
    return true;
  }
  const std::string search_string = GetSearchString();
  if (search_string.empty()) {
    state_->RaiseError(kErrorInvalidSearchString);
  } else if (GetSearchPath().empty()) {
    state_->RaiseError(kErrorInvalidSearchPath);
  } else if (GetSearchExt().empty()) {
    state_->RaiseError(kErrorSearchFileType);
  } else if (GetRegularExpression() && !PatternMatcher(search_string, true, GetCaseSensitive()).Compiled()) {
    state_->RaiseError(kErrorInvalidSearchString, search_string);
  } else {
    return false;
  }
  return true;
}

bool CZarnCtrl::Begin() {
  const std::shared_ptr<ControlState> state = state_;  // the handler of ScanStarted may destroy the control
  if (RefuseToBegin()) return false;
  if (GetSupportOfficeDocs()) {
    if (const std::optional<std::string> folder = win::WindowsFolder())
      state->State().SetTemporaryTextFile(*folder + kTemporaryTextFileName);
  }
  SearchState& search = state->State();
  search.ClearStopRequest();
  state->Findings().Clear();
  state->Relay().Clear();
  search.MarkStarted(win::GetTickCount());
  if (!StartSearchWorker(state, GetThreadPriority())) {
    search.MarkFinished(win::GetTickCount());
    return false;
  }
  state->FireScanStarted();
  search.ReleaseWorker();
  return true;
}

void CZarnCtrl::Abort() {
  AbortSearch(state_->State());
}

bool CZarnCtrl::GetFileData(std::int32_t record_number, FindingView* record) {
  if (record_number < 0 || record_number >= GetSearchCount()) {
    state_->RaiseError(kErrorInvalidRecordNumber);
    return false;
  }
  *record = state_->Findings().Get(record_number);
  return true;
}

bool CZarnCtrl::GetFileData(std::int32_t record_number, std::string* file_path, std::int32_t* line_number,
                            std::int32_t* column_number, std::string* text_found) {
  FindingView record{};
  if (!GetFileData(record_number, &record)) return false;
  *column_number = record.column_number;
  file_path->assign(record.file_path);
  *line_number = record.line_number;
  text_found->assign(record.text_found);
  return true;
}

bool CZarnCtrl::SaveOfficeDocAsText(const std::string& source, const std::string& target) {
  const std::string_view name = std::string_view(source).substr(source.rfind('/') + 1);
  const std::optional<OfficeApplication> application = OfficeApplicationOf(name);
  return application && state_->ConvertOfficeDocument(*application, source, target);
}

void CZarnCtrl::UseDisplayName(std::string_view display_name) {
  if (display_name == display_name_) return;
  display_name_ = display_name;
  LoadSettings();
}

bool CZarnCtrl::SaveDataToTabFile(const std::string& file_name) {
  if (state_->Findings().SaveToTabFile(file_name)) return true;
  state_->RaiseError(kErrorUnableToOpenFile, file_name);
  return false;
}

}  // namespace zarn
