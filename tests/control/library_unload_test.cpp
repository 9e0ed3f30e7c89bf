// The control library as a host loads and unloads it: created by class identity from libzarn.so, then
// unloaded by CoFreeUnusedLibraries once nothing of it is in use, neither an object nor a thread that
// runs its code. A search's worker thread runs the library's code a little beyond the end of the search
// the host sees, so the library must stay loaded until that thread has exited.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "control/automation/zarn_identities.h"
#include "platform/ole/class_lookup.h"
#include "platform/ole/dispatch_driver.h"
#include "platform/ole/object_creation.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

// Whether the library at `path` is loaded in this process (asking does not load it).
bool Loaded(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

// The number of threads of this process.
std::ptrdiff_t ThreadsInProcess() {
  const std::filesystem::directory_iterator tasks("/proc/self/task");
  return std::distance(begin(tasks), end(tasks));
}

// Creates a control from the library, runs one search to its end and releases the control.
void SearchOnceAndRelease(const std::string& folder, std::int32_t expected_findings) {
  ole::ComPtr<ole::IDispatch> control;
  ASSERT_EQ(ole::CoCreateInstance(CLSID_Zarn, nullptr, ole::IID_IDispatch, control.OutVoid()), ole::S_OK);
  ole::DispatchDriver host(std::move(control));
  host.PutBool("SupportOfficeDocs", false);
  host.PutLong("ThreadPriority", 4);
  host.PutText("SearchPath", folder);
  host.PutText("SearchExt", "*.txt");
  host.PutText("SearchString", "needle");
  ASSERT_TRUE(host.CallBool("Begin"));
  ASSERT_TRUE(kx::test::WaitFor([&] { return !host.GetBool("SearchActive"); }));
  EXPECT_EQ(host.GetLong("SearchCount"), expected_findings);
}

TEST(LibraryUnload, AfterASearchTheLibraryIsUnloadedOnceNoThreadRunsItsCode) {
  const std::string library = ole::InprocServerPath(CLSID_Zarn).value_or("");
  ASSERT_FALSE(library.empty());
  kx::test::TempFolder folder;
  std::string lines;
  for (int i = 0; i < 10000; ++i) lines += "a needle in line " + std::to_string(i) + "\n";
  folder.Write("a.txt", lines);
  // A sanitizer's runtime may start a thread of its own when the process creates its first thread: have
  // that happen before the count is taken.
  std::thread([] {}).join();
  const std::ptrdiff_t threads_before = ThreadsInProcess();
  // Loaded again each round: what the library keeps for the process starts afresh with each load.
  for (int round = 0; round < 3; ++round) {
    SearchOnceAndRelease(folder.path(), 10000);
    ASSERT_TRUE(Loaded(library)) << round;
    ASSERT_TRUE(kx::test::WaitFor([&] {
      ole::CoFreeUnusedLibraries();
      return !Loaded(library);
    })) << round;
    // A worker thread that was still on its way out of the library would now run code that is gone.
    EXPECT_TRUE(kx::test::WaitFor([&] { return ThreadsInProcess() == threads_before; })) << round;
  }
}

}  // namespace
}  // namespace zarn::test
