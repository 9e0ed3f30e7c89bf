#include "tools/zarn-find/search_session.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "control/surface/zarn_ctrl.h"
#include "platform/window/message_queue.h"
#include "tools/zarn-find/finding_printer.h"

namespace zarn_find {

namespace {

volatile std::sig_atomic_t interrupted = 0;
void OnInterrupt(int) {
  interrupted = 1;
}

constexpr win::UINT kPrintIntervalMs = 10;
constexpr win::UINT_PTR kPrintTimer = 1;
constexpr std::int32_t kErrorPathDoesNotExist = 508;
// The control remembers its options in a settings file named after this, apart from other hosts.
constexpr const char* kDisplayName = "zarn-find";

class Session final : public zarn::ZarnEvents {
 public:
  explicit Session(const CommandLine& line);
  ~Session() override;
  int Run();

  void ScanCompleted() override;
  void OnError(std::int32_t code, const std::string& text) override;

 private:
  void SetOptions();
  void OnTick();
  void PrintNewFindings();
  void EndWhenSearchEnded();
  int ExitStatus();

  const CommandLine& line_;
  zarn::CZarnCtrl control_{kDisplayName};
  FindingPrinter printer_{STDOUT_FILENO};
  win::HWND window_ = nullptr;
  std::int32_t printed_ = 0;
  std::string path_, text_;  // reused for every finding read back
  bool completed_ = false;
  bool aborted_ = false;
  bool could_not_start_ = false;
  bool ended_ = false;
};

Session::Session(const CommandLine& line) : line_(line) {
  control_.SetEventSink(this);
  window_ = win::CreateWindow([this](win::HWND, win::UINT message, win::WPARAM, win::LPARAM) {
    if (message == win::WM_TIMER) OnTick();
    return win::LRESULT{0};
  });
}

Session::~Session() {
  control_.SetEventSink(nullptr);
  win::DestroyWindow(window_);
}

void Session::SetOptions() {
  control_.SetCaseSensitive(line_.case_sensitive);
  control_.SetWholeWordOnly(line_.whole_word_only);
  control_.SetLookInSubfolders(line_.look_in_subfolders);
  control_.SetRegularExpression(line_.regular_expression);
  control_.SetSupportOfficeDocs(line_.office_documents);
  control_.SetThreadPriority(line_.thread_priority);
  control_.SetSearchPath(line_.path);
  control_.SetSearchExt(line_.types);
  control_.SetSearchString(line_.search_string);
}

int Session::Run() {
  SetOptions();
  if (!control_.Begin()) return 2;
  win::SetTimer(window_, kPrintTimer, kPrintIntervalMs);
  win::MSG message;
  while (!ended_ && win::GetMessage(&message)) win::DispatchMessage(&message);
  PrintNewFindings();
  printer_.Flush();
  return ExitStatus();
}

int Session::ExitStatus() {
  if (line_.tsv_file && !control_.SaveDataToTabFile(*line_.tsv_file)) could_not_start_ = true;
  if (interrupted) return 130;
  if (could_not_start_) return 2;
  return control_.GetSearchCount() > 0 ? 0 : 1;
}

void Session::ScanCompleted() {
  completed_ = true;
  EndWhenSearchEnded();
}

void Session::OnError(std::int32_t code, const std::string& text) {
  if (code == kErrorPathDoesNotExist) could_not_start_ = true;
  printer_.Flush();
  std::string line = "zarn-find: error " + std::to_string(code) + ": " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

void Session::OnTick() {
  if ((interrupted || printer_.PipeClosed()) && !aborted_) {
    aborted_ = true;
    control_.Abort();
  }
  PrintNewFindings();
  printer_.Flush();  // a person watching sees the findings as they come
  EndWhenSearchEnded();
}

void Session::PrintNewFindings() {
  std::int32_t line = 0, column = 0;
  for (const std::int32_t count = control_.GetSearchCount(); printed_ < count && !printer_.PipeClosed();
       ++printed_) {
    control_.GetFileData(printed_, &path_, &line, &column, &text_);
    printer_.Print(path_, line, column, text_);
  }
}

// A search has ended when its completion arrived, or when it was stopped and its worker has finished.
void Session::EndWhenSearchEnded() {
  if (!completed_ && !(aborted_ && !control_.GetSearchActive())) return;
  ended_ = true;
  win::PostQuitMessage(0);
}

}  // namespace

int RunSearch(const CommandLine& command_line) {
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  Session session(command_line);
  return session.Run();
}

}  // namespace zarn_find
