// Child processes on Windows: exit codes, the child's error output taken
// through a pipe, and a program that is not there.

#include <gtest/gtest.h>

#include <string>

#include "platform/shell/Process.h"

namespace kora {
namespace {

TEST(ProcessWin32, ExitCodesAndTheErrorOutputComeBack) {
  std::string errors = "left over";
  EXPECT_EQ(RunProcess({"cmd.exe", "/c", "echo out& echo bad input 1>&2& exit 3"}, "", {}, 30000, &errors), 3);
  EXPECT_NE(errors.find("bad input"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("out"), std::string::npos) << errors;
  // More than is kept: the end of it stays.
  EXPECT_EQ(RunProcess({"cmd.exe", "/c", "for /l %i in (1,1,600) do @echo line %i 1>&2"}, "", {}, 60000, &errors), 0);
  EXPECT_LE(errors.size(), kErrorOutputKept);
  EXPECT_NE(errors.find("line 600"), std::string::npos);
  EXPECT_EQ(errors.find("line 1\r"), std::string::npos);
}

TEST(ProcessWin32, AMissingProgramCannotStart) {
  std::string errors;
  EXPECT_EQ(RunProcess({"Z:\\no\\such\\program.exe"}, "", {}, 5000, &errors), -1);
  EXPECT_EQ(RunProcess({"cmd.exe", "/c", "exit 0"}, "Z:\\no\\such\\folder"), -1);
}

}  // namespace
}  // namespace kora
