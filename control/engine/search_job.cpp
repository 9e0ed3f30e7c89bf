#include "control/engine/search_job.h"

#include <atomic>
#include <string>

#include "control/engine/file_scanner.h"
#include "control/engine/folder_walk.h"
#include "platform/win/find_file.h"
#include "platform/win/threads.h"
#include "platform/win/ticks.h"

namespace zarn {

namespace {

std::atomic<int> running_workers{0};

bool IsBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string StripBlanks(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::string AsFolder(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

// The folder's path and a name in it; a folder given without its final separator gets one.
std::string JoinFolderAndName(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + '/' + name;
}

bool IsFolder(std::uint32_t attributes) {
  return (attributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder walk, or the single name folder + SearchExt when SearchExt holds no asterisk. The stripped
// values are kept in the properties.
void SearchFolder(SearchControl& control, FileScanner& scanner, const std::string& folder) {
  SearchOptions& options = control.Options();
  const std::string ext = options.Get(SearchOptions::Text::kSearchExt);
  if (ext.find('*') != std::string::npos) {
    FolderWalk(control, scanner).Walk(AsFolder(folder));
    return;
  }
  const std::string stripped_folder = StripBlanks(folder);
  const std::string stripped_ext = StripBlanks(ext);
  options.Set(SearchOptions::Text::kSearchPath, stripped_folder);
  options.Set(SearchOptions::Text::kSearchExt, stripped_ext);
  ScanSingleName(scanner, JoinFolderAndName(stripped_folder, stripped_ext));
}

// SearchPath as stored gets a separator appended by its setter; a path naming a file then names nothing.
// Such a path is searched as the file it names without the separator.
bool NamesFileWithoutSeparator(const std::string& path, std::string* file) {
  if (path.size() < 2 || path.back() != '/') return false;
  *file = path.substr(0, path.size() - 1);
  const std::uint32_t attributes = win::GetFileAttributes(file->c_str());
  return attributes != win::INVALID_FILE_ATTRIBUTES && !IsFolder(attributes);
}

}  // namespace

int OperatingSystemPriority(std::int32_t thread_priority) {
  static constexpr int kPriorities[] = {win::THREAD_PRIORITY_IDLE, win::THREAD_PRIORITY_LOWEST,
                                        win::THREAD_PRIORITY_NORMAL, win::THREAD_PRIORITY_HIGHEST,
                                        win::THREAD_PRIORITY_TIME_CRITICAL};
  if (thread_priority < 0 || thread_priority > 4) return win::THREAD_PRIORITY_NORMAL;
  return kPriorities[thread_priority];
}

std::uint32_t SearchWorker(SearchControl& control) {
  FileScanner scanner(control);
  const std::string path = control.Options().Get(SearchOptions::Text::kSearchPath);
  const std::uint32_t attributes = win::GetFileAttributes(path.c_str());
  std::string file;
  if (attributes == win::INVALID_FILE_ATTRIBUTES && NamesFileWithoutSeparator(path, &file)) {
    ScanSingleName(scanner, file);
  } else if (attributes == win::INVALID_FILE_ATTRIBUTES) {
    control.PostNotification(NotificationKind::kError, kErrorInvalidSearchPath, path);
  } else if (IsFolder(attributes)) {
    SearchFolder(control, scanner, path);
  } else {
    ScanSingleName(scanner, path);
  }
  if (!control.State().StopRequested()) control.PostNotification(NotificationKind::kCompletion, 0, {});
  control.State().MarkFinished(win::GetTickCount());
  return 0;
}

bool StartSearchWorker(std::shared_ptr<SearchControl> control, std::int32_t thread_priority) {
  running_workers.fetch_add(1);
  win::HTHREAD thread = win::CreateThread([control = std::move(control)]() -> std::uint32_t {
    control->State().WaitForRelease();
    const std::uint32_t result = SearchWorker(*control);
    running_workers.fetch_sub(1);
    return result;
  });
  if (!thread) {
    running_workers.fetch_sub(1);
    return false;
  }
  win::SetThreadPriority(thread, OperatingSystemPriority(thread_priority));
  win::CloseHandle(thread);
  return true;
}

void AbortSearch(SearchState& state) {
  state.RequestStop();
  if (state.Active()) state.TakeDurationNow(win::GetTickCount());
  state.WaitUntilInactive(kStopWaitLimit);
}

int RunningSearchWorkers() {
  return running_workers.load();
}

}  // namespace zarn
