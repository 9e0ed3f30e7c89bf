// regsvr as a user runs it on the control library.
#include <gtest/gtest.h>

#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

namespace {

using kx::test::RunProgram;

TEST(Regsvr, RegistersAndUnregistersTheControlLibrary) {
  kx::test::TempFolder folder;
  kx::test::ScopedEnv registry("KESTRIX_REGISTRY", folder / "registry");
  const auto registered = RunProgram(REGSVR_PATH, {ZARN_LIBRARY_PATH});
  EXPECT_EQ(registered.status, 0);
  EXPECT_EQ(registered.out, std::string("DllRegisterServer in ") + ZARN_LIBRARY_PATH + " succeeded.\n");
  EXPECT_NE(kx::test::ReadFile(folder / "registry")->find("ZARN.ZarnCtrl.1"), std::string::npos);
  EXPECT_EQ(RunProgram(REGSVR_PATH, {"/u", ZARN_LIBRARY_PATH}).status, 0);
  EXPECT_EQ(kx::test::ReadFile(folder / "registry")->find("ZARN.ZarnCtrl.1"), std::string::npos);
}

TEST(Regsvr, SaysWhatIsWrongWithItsArguments) {
  EXPECT_EQ(RunProgram(REGSVR_PATH, {}).status, 2);
  const auto missing = RunProgram(REGSVR_PATH, {"/no/such/library.so"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("cannot load /no/such/library.so"), std::string::npos);
  const auto not_a_server = RunProgram(REGSVR_PATH, {KX_WINDOW_LIBRARY_PATH});
  EXPECT_EQ(not_a_server.status, 2);
  EXPECT_NE(not_a_server.err.find("has no entry point DllRegisterServer"), std::string::npos);
}

}  // namespace
