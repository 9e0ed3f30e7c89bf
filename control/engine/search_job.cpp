#include "control/engine/search_job.h"

#include <mutex>
#include <string>
#include <vector>

#include "control/engine/file_scanner.h"
#include "control/engine/folder_walk.h"
#include "platform/win/ascii_text.h"
#include "platform/win/find_file.h"
#include "platform/win/threads.h"
#include "platform/win/ticks.h"

namespace zarn {

namespace {

// The threads of the search workers, kept until they are seen to have exited. A worker's thread runs the
// library's code to its very end (the search, the release of the control it shared, the thread's start
// routine), so only a thread that has exited has left the library.
class WorkerThreads {
 public:
  WorkerThreads() = default;
  WorkerThreads(const WorkerThreads&) = delete;
  WorkerThreads& operator=(const WorkerThreads&) = delete;
  ~WorkerThreads() {
    for (win::HTHREAD thread : threads_) win::CloseHandle(thread);
  }

  void Add(win::HTHREAD thread) {
    std::lock_guard lock(mutex_);
    ForgetExited();
    threads_.push_back(thread);
  }
  bool AllExited() {
    std::lock_guard lock(mutex_);
    ForgetExited();
    return threads_.empty();
  }

 private:
  void ForgetExited() {
    std::erase_if(threads_, [](win::HTHREAD thread) {
      return win::WaitForSingleObject(thread, 0) == win::WAIT_OBJECT_0 && win::CloseHandle(thread);
    });
  }

  std::mutex mutex_;
  std::vector<win::HTHREAD> threads_;
};

WorkerThreads& Workers() {
  static WorkerThreads workers;
  return workers;
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

// The folder walk. A walk that makes no pause reads its files ahead; one that paces itself reads each as
// it scans it, not to take more of the machine than its pace allows.
void WalkFolder(SearchControl& control, FileScanner& scanner, EntryPause entry_pause,
                const std::string& folder) {
  if (EntryPauseMilliseconds(control.Options()) > 0) {
    ScanEachAtOnce files(scanner);
    FolderWalk(control, files, entry_pause).Walk(AsFolder(folder));
    return;
  }
  ScanReadAhead files(control, scanner);
  FolderWalk(control, files, entry_pause).Walk(AsFolder(folder));
  files.ScanAllAdded();
}

// The folder walk, or the single name folder + SearchExt when SearchExt holds no asterisk. The stripped
// values are kept in the properties.
void SearchFolder(SearchControl& control, FileScanner& scanner, EntryPause entry_pause,
                  const std::string& folder) {
  SearchOptions& options = control.Options();
  const std::string ext = options.Get(SearchOptions::Text::kSearchExt);
  if (ext.find('*') != std::string::npos) {
    WalkFolder(control, scanner, entry_pause, folder);
    return;
  }
  const std::string stripped_folder(win::ascii::Trim(folder, win::ascii::kWhiteSpace));
  const std::string stripped_ext(win::ascii::Trim(ext, win::ascii::kWhiteSpace));
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

std::uint32_t SearchWorker(SearchControl& control, EntryPause entry_pause) {
  FileScanner scanner(control);
  const std::string path = control.Options().Get(SearchOptions::Text::kSearchPath);
  const std::uint32_t attributes = win::GetFileAttributes(path.c_str());
  std::string file;
  if (attributes == win::INVALID_FILE_ATTRIBUTES && NamesFileWithoutSeparator(path, &file)) {
    ScanSingleName(scanner, file);
  } else if (attributes == win::INVALID_FILE_ATTRIBUTES) {
    control.PostNotification(NotificationKind::kError, kErrorInvalidSearchPath, path);
  } else if (IsFolder(attributes)) {
    SearchFolder(control, scanner, entry_pause, path);
  } else {
    ScanSingleName(scanner, path);
  }
  if (!control.State().StopRequested()) control.PostNotification(NotificationKind::kCompletion, 0, {});
  control.State().MarkFinished(win::GetTickCount());
  return 0;
}

bool StartSearchWorker(std::shared_ptr<SearchControl> control, const SearchJob& job) {
  win::HTHREAD thread = win::CreateThread([control = std::move(control)]() -> std::uint32_t {
    control->State().WaitForRelease();
    return SearchWorker(*control);
  });
  if (!thread) return false;
  win::SetThreadPriority(thread, OperatingSystemPriority(job.thread_priority));
  Workers().Add(thread);
  return true;
}

void AbortSearch(SearchState& state) {
  state.RequestStop();
  if (state.Active()) state.TakeDurationNow(win::GetTickCount());
  state.WaitUntilInactive(kStopWaitLimit);
}

bool SearchWorkersHaveExited() {
  return Workers().AllExited();
}

}  // namespace zarn
