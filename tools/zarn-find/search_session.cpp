#include "tools/zarn-find/search_session.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "platform/window/message_queue.h"
#include "tools/zarn-find/finding_output.h"
#include "tools/zarn-find/search_tally.h"
#include "tools/zarn-find/standard_streams.h"
#include "tools/zarn-find/zarn_client.h"

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

class Session {
 public:
  explicit Session(const CommandLine& line);
  ~Session();
  int Run();

 private:
  void SetOptions();
  void OnTick();
  void OnScanCompleted();
  void OnError(std::int32_t code, const std::string& text);
  void PrintNewFindings();
  void EndWhenSearchEnded();
  int ExitStatus();
  int Finish(int status);
  void ReportOutputError();

  // What the handlers of the control's events touch comes before the control: siting it may report an
  // error.
  const CommandLine& line_;
  std::unique_ptr<FindingOutput> output_;
  SearchTally tally_;
  std::int32_t printed_ = 0;
  bool completed_ = false;
  bool pumping_ = false;  // the search runs and events come from the message loop, not from a call of ours
  bool aborted_ = false;
  bool failed_ = false;  // could not start, or the tab-delimited file could not be written
  bool ended_ = false;
  ZarnClient control_;
  win::HWND window_ = nullptr;
};

Session::Session(const CommandLine& line)
    : line_(line),
      output_(MakeFindingOutput(line, STDOUT_FILENO)),
      control_(kDisplayName, ZarnClient::Handlers{[this] { OnScanCompleted(); },
                                                  [this](std::int32_t code, const std::string& text) {
                                                    OnError(code, text);
                                                  }}) {
  window_ = win::CreateWindow([this](win::HWND, win::UINT message, win::WPARAM, win::LPARAM) {
    if (message == win::WM_TIMER) OnTick();
    return win::LRESULT{0};
  });
}

Session::~Session() {
  win::DestroyWindow(window_);
}

void Session::SetOptions() {
  control_.SetBool("CaseSensitive", line_.case_sensitive);
  control_.SetBool("WholeWordOnly", line_.whole_word_only);
  control_.SetBool("LookInSubfolders", line_.look_in_subfolders);
  control_.SetBool("RegularExpression", line_.regular_expression);
  control_.SetBool("SupportOfficeDocs", line_.office_documents);
  control_.SetLong("ThreadPriority", line_.thread_priority);
  if (!line_.pace) control_.SetEntryPause(0);
  control_.SetText("SearchPath", line_.path);
  control_.SetText("SearchExt", line_.types);
  control_.SetText("SearchString", line_.search_string);
}

int Session::Run() {
  if (ole::FAILED(control_.CreationResult())) {
    std::fprintf(
        stderr, "zarn-find: the search control cannot be created (error 0x%08X); is libzarn.so registered?\n",
        static_cast<unsigned>(control_.CreationResult()));
    return 2;
  }
  SetOptions();
  tally_.Start();
  if (!control_.CallBool("Begin")) {
    tally_.Stop();
    return Finish(2);
  }
  win::SetTimer(window_, kPrintTimer, kPrintIntervalMs);
  win::MSG message;
  pumping_ = true;
  while (!ended_ && win::GetMessage(&message)) win::DispatchMessage(&message);
  pumping_ = false;
  PrintNewFindings();
  return Finish(ExitStatus());
}

int Session::ExitStatus() {
  if (line_.tsv_file && !control_.CallBool("SaveDataToTabFile", *line_.tsv_file, true)) failed_ = true;
  if (interrupted) return 130;
  if (failed_ || output_->WriteError() != 0) return 2;
  return control_.GetLong("SearchCount") > 0 ? 0 : 1;
}

// Writes what waits for the end (counts, the JSON summary) and the --stats line.
int Session::Finish(int status) {
  const RunSummary summary = tally_.Summary(status);
  output_->Finish(summary);
  output_->Flush();
  if (output_->WriteError() != 0 && status != 130) status = 2;
  ReportOutputError();
  if (line_.stats) WriteFully(STDERR_FILENO, StatsLine(summary));
  return status;
}

// A closed pipe ends the output quietly; any other failure to write loses findings, so it is told.
void Session::ReportOutputError() {
  if (output_->WriteError() == 0) return;
  const std::string line = std::string("zarn-find: cannot write to standard output: ") +
                           std::strerror(output_->WriteError()) + "\n";
  WriteFully(STDERR_FILENO, line);
}

void Session::OnScanCompleted() {
  completed_ = true;
  EndWhenSearchEnded();
}

void Session::OnError(std::int32_t code, const std::string& text) {
  if (code == kErrorPathDoesNotExist) failed_ = true;
  tally_.CountError();
  // The findings stored before the error was reported come before it.
  if (pumping_) PrintNewFindings();
  output_->PrintError(code, text);
}

void Session::OnTick() {
  if ((interrupted || output_->Ended()) && !aborted_) {
    aborted_ = true;
    control_.Call("Abort");
  }
  PrintNewFindings();
  output_->Flush();  // a person watching sees the findings as they come
  EndWhenSearchEnded();
}

void Session::PrintNewFindings() {
  for (const std::int32_t count = control_.GetLong("SearchCount"); printed_ < count && !output_->Ended();
       ++printed_) {
    if (!control_.GetFileData(printed_)) continue;
    const bool first_in_file = tally_.CountFinding(control_.path());
    output_->Print({control_.path(), control_.line(), control_.column(), control_.text(), first_in_file});
  }
}

// A search has ended when its completion arrived, or when it was stopped and its worker has finished.
void Session::EndWhenSearchEnded() {
  if (!completed_ && !(aborted_ && !control_.GetBool("SearchActive"))) return;
  ended_ = true;
  tally_.Stop();
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
