#include "agblz/Lz.h"
#include "tools/agblz/GameLikeImage.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kora::lz {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

struct ToolRun {
  int ExitCode = -1;
  std::string Errors;
};

// Runs Tool/agblz from the program folder, as the editor does.
ToolRun RunAgblz(const std::vector<std::string>& args, const fs::path& errorFile) {
  std::string command = "cd '" KORA_PROGRAM_DIR "' && Tool/agblz";
  for (const auto& a : args) command += " '" + a + "'";
  const int status = std::system((command + " 2>'" + errorFile.string() + "'").c_str());
  std::ifstream in(errorFile);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, std::string(std::istreambuf_iterator<char>(in), {})};
}

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class AgblzProgram : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = fs::path(KORA_TEST_TMP) / "agblz" / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(FDir);
    fs::create_directories(FDir / "work");
  }

  fs::path Work(const std::string& name) const { return FDir / "work" / name; }

  ToolRun Agblz(const std::vector<std::string>& args) const { return RunAgblz(args, FDir / "stderr.txt"); }

  std::vector<std::string> WorkFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FDir / "work")) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path FDir;
};

TEST_F(AgblzProgram, PacksAndUnpacksThroughFiles) {
  const Bytes image = testdata::GameLikeImage();
  WriteFile(Work("romDataUnPack.bin"), image);
  WriteFile(Work("romData.bin"), Bytes(500000, 0xAB));  // a longer old output is replaced whole

  ToolRun run = Agblz({"z", Work("romDataUnPack.bin"), Work("romData.bin")});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Errors, "");
  EXPECT_EQ(ReadFile(Work("romData.bin")), Pack(image));

  run = Agblz({"u", Work("romData.bin"), Work("unpacked.bin")});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Errors, "");
  EXPECT_EQ(ReadFile(Work("unpacked.bin")), image);
  EXPECT_EQ(WorkFiles(), (std::vector<std::string>{"romData.bin", "romDataUnPack.bin", "unpacked.bin"}));

  // Input and output may be the same file.
  run = Agblz({"z", Work("unpacked.bin"), Work("unpacked.bin")});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(Unpack(ReadFile(Work("unpacked.bin"))), image);
}

TEST_F(AgblzProgram, FailsWithOneLineAndNoOutput) {
  WriteFile(Work("unknown.bin"), {0x40, 3, 0, 0, 0, 1, 2, 3});
  WriteFile(Work("truncated.bin"), {0x10, 3, 0, 0, 0, 1});
  WriteFile(Work("before-start.bin"), {0x10, 3, 0, 0, 0x80, 0x00, 0x00});
  WriteFile(Work("good.bin"), Pack(Bytes(100, 1)));
  fs::create_directory(Work("folder"));
  ASSERT_EQ(mkfifo(Work("pipe").c_str(), 0644), 0);
  WriteFile(Work("huge.bin"), {});
  fs::resize_file(Work("huge.bin"), kSizeLimit);
  const std::string missingFolder = Work("no-such-folder") / "out.bin";

  const std::string out = Work("out.bin");
  const std::vector<std::vector<std::string>> cases = {
      {"u", Work("unknown.bin"), out},
      {"u", Work("truncated.bin"), out},
      {"u", Work("before-start.bin"), out},
      {"u", Work("missing.bin"), out},
      {"z", Work("folder"), out},
      {"u", Work("pipe"), out},
      {"z", Work("huge.bin"), out},
      {"u", Work("good.bin"), Work("no-such-folder") / "out.bin"},
      {"u", Work("good.bin"), Work("folder")},
      {"x", Work("good.bin"), out},
      {"u", Work("good.bin")},
      {},
      {"u", Work("good.bin"), out, "extra"},
  };
  const Bytes kept = {'k', 'e', 'e', 'p'};
  for (const bool outputExists : {false, true}) {
    for (const auto& args : cases) {
      SCOPED_TRACE(::testing::PrintToString(args) + (outputExists ? " (output exists)" : ""));
      fs::remove(out);
      if (outputExists) WriteFile(out, kept);
      const ToolRun run = Agblz(args);
      EXPECT_NE(run.ExitCode, 0);
      EXPECT_EQ(run.Errors.rfind("agblz: ", 0), 0u) << run.Errors;
      EXPECT_EQ(std::count(run.Errors.begin(), run.Errors.end(), '\n'), 1) << run.Errors;
      if (outputExists) {
        EXPECT_EQ(ReadFile(out), kept);
      } else {
        EXPECT_FALSE(fs::exists(out));
      }
    }
  }
  fs::remove(out);
  // No temporary file is left behind by any failure.
  EXPECT_EQ(WorkFiles(), (std::vector<std::string>{"before-start.bin", "folder", "good.bin", "huge.bin", "pipe",
                                                   "truncated.bin", "unknown.bin"}));
  EXPECT_TRUE(fs::is_empty(Work("folder")));
}

}  // namespace
}  // namespace kora::lz
