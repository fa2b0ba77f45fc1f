#include "platform/shell/Process.h"

#include <signal.h>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace kora {
namespace {

std::string ProcessTempFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const auto folder = std::filesystem::path(KORA_TEST_TMP) / (std::string("Process.") + info->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

using V = std::vector<std::string>;

TEST(SplitCommandLine, BlanksQuotesAndBackslashes) {
  EXPECT_EQ(SplitCommandLine("  a  b\tc "), (V{"a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("/k//Tool/agblz u \"/in dir/a.bin\" \"C:\\out\\b.bin\""),
            (V{"/k//Tool/agblz", "u", "/in dir/a.bin", "C:\\out\\b.bin"}));
  EXPECT_EQ(SplitCommandLine("x\"y z\"w"), (V{"xy zw"}));
  EXPECT_EQ(SplitCommandLine("\"a\"\"b\" \"\""), (V{"a\"b", ""}));
  EXPECT_EQ(SplitCommandLine("a \"open to end"), (V{"a", "open to end"}));
  EXPECT_EQ(SplitCommandLine("\\\" x"), (V{"\\ x"}));
  EXPECT_TRUE(SplitCommandLine("   ").empty());
}

TEST(SplitCommandLine, QuoteArgumentRoundTrips) {
  for (const std::string& arg : {std::string("plain"), std::string("with blank"), std::string("q\"uote\""),
                                 std::string(""), std::string("a;b|c$(d)`e`"), std::string("back\\slash\\")}) {
    EXPECT_EQ(SplitCommandLine("tool " + QuoteArgument(arg) + " next"), (V{"tool", arg, "next"})) << arg;
  }
}

TEST(RunProcess, ExitCodesSignalsAndTheWorkingFolder) {
  const std::string dir = ProcessTempFolder();
  EXPECT_EQ(RunProcess({"/bin/sh", "-c", "pwd > where.txt; exit 3"}, dir), 3);
  EXPECT_EQ(ReadAll(dir + "/where.txt"), std::filesystem::canonical(dir).string() + "\n");
  EXPECT_EQ(RunProcess({"sh", "-c", "exit 0"}, dir), 0);  // found in PATH
  EXPECT_EQ(RunProcess({"/bin/sh", "-c", "kill -KILL $$"}, dir), 128 + SIGKILL);
}

TEST(RunProcess, CannotStartGivesMinusOne) {
  const std::string dir = ProcessTempFolder();
  EXPECT_EQ(RunProcess({}, dir), -1);
  EXPECT_EQ(RunProcess({dir + "/no-such-tool"}, dir), -1);
  EXPECT_EQ(RunProcess({"/bin/sh", "-c", "exit 0"}, dir + "/no-such-folder"), -1);
  // A file without execute permission is not started through a shell.
  std::ofstream(dir + "/script") << "#!/bin/sh\nexit 0\n";
  EXPECT_EQ(RunProcess({dir + "/script"}, dir), -1);
}

TEST(RunProcess, ArgumentsReachTheChildVerbatim) {
  const std::string dir = ProcessTempFolder();
  // A file name full of shell syntax is one argument, never a command.
  const std::string name = dir + "/x; touch injected; \"$(touch injected2)\"";
  EXPECT_EQ(RunProcess({"/bin/sh", "-c", "printf '%s' \"$1\" > arg.txt", "sh", name}, dir), 0);
  EXPECT_EQ(ReadAll(dir + "/arg.txt"), name);
  EXPECT_FALSE(std::filesystem::exists(dir + "/injected"));
  EXPECT_FALSE(std::filesystem::exists(dir + "/injected2"));
}

// The error output is taken, its end kept, however much the child writes
// (more than a pipe holds), and with or without a time limit.
TEST(RunProcess, TheErrorOutputIsTakenAndItsEndKept) {
  const std::string dir = ProcessTempFolder();
  std::string errors = "old";
  EXPECT_EQ(RunProcess({"/bin/sh", "-c", "echo one >&2; echo two >&2; exit 4"}, dir, {}, -1, &errors), 4);
  EXPECT_EQ(errors, "one\ntwo\n");
  const char* flood =
      "i=0; while [ $i -lt 3000 ]; do echo \"line $i of the packer's complaint\" >&2; "
      "i=$((i+1)); done; echo last >&2; exit 2";
  EXPECT_EQ(RunProcess({"/bin/sh", "-c", flood}, dir, {}, 20000, &errors), 2);
  EXPECT_EQ(errors.size(), kErrorOutputKept);
  EXPECT_TRUE(errors.ends_with("line 2999 of the packer's complaint\nlast\n")) << errors.substr(errors.size() - 80);
}

TEST(RunProcess, AfterStartRunsOnceWhileTheChildRuns) {
  const std::string dir = ProcessTempFolder();
  int calls = 0;
  // The child waits for the file the handler writes, so the handler must run
  // before the wait.
  const int code = RunProcess({"/bin/sh", "-c", "while [ ! -f go ]; do sleep 0.01; done; exit 5"}, dir, [&] {
    ++calls;
    std::ofstream(dir + "/go") << "x";
  });
  EXPECT_EQ(code, 5);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace kora
