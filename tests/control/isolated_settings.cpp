// Every control these tests create reads and writes its settings file in a fresh temporary Windows
// folder, never in the real home folder.
#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace {

class IsolatedSettings : public ::testing::Environment {
 public:
  void SetUp() override {
    folder_ = std::make_unique<kx::test::TempFolder>();
    config_ = std::make_unique<kx::test::ScopedEnv>("XDG_CONFIG_HOME", folder_->path());
  }
  void TearDown() override {
    config_.reset();
    folder_.reset();
  }

 private:
  std::unique_ptr<kx::test::TempFolder> folder_;
  std::unique_ptr<kx::test::ScopedEnv> config_;
};

const ::testing::Environment* const kIsolatedSettings =
    ::testing::AddGlobalTestEnvironment(new IsolatedSettings);

}  // namespace
