#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

struct RunResult {
  int ExitCode = -1;
  std::string Errors;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

const char* const kForm = R"(object frmMain: TfrmMain
  Caption = 'Kora Editor'
  BorderIcons = [biMinimize]
  Font.Name = '宋体'
  object bsCompressedStoredSkin1: TbsCompressedStoredSkin
    FileName = 'skin.ini'
    CompressedData = {
      78DA0102}
  end
end
)";

class FormcProgram : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = fs::path(KORA_TEST_TMP) / "formc" / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(FDir);
    fs::create_directories(FDir);
  }

  RunResult RunFormc(const std::vector<std::string>& args) const {
    std::string command = "'" KORA_PROGRAM_DIR "/formc'";
    for (const auto& a : args) command += " '" + a + "'";
    const fs::path errors = FDir / "stderr.txt";
    const int status = std::system((command + " 2>'" + errors.string() + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(errors)};
  }

  std::string Path(const std::string& name) const { return (FDir / name).string(); }

  fs::path FDir;
};

TEST_F(FormcProgram, ConvertsBothWaysWithoutLoss) {
  WriteFile(Path("main.txt"), kForm);
  ASSERT_EQ(RunFormc({"text2bin", Path("main.txt"), Path("main.bin")}).ExitCode, 0);
  const std::string binary = ReadFile(Path("main.bin"));
  EXPECT_EQ(binary.substr(0, 4), "TPF0");
  // The stored skin's bytes: name, vaBinary, a 32-bit count, the bytes.
  EXPECT_NE(binary.find(std::string("\x0E"
                                    "CompressedData\x0A\x04\x00\x00\x00\x78\xDA",
                                    22)),
            std::string::npos);
  ASSERT_EQ(RunFormc({"bin2text", Path("main.bin"), Path("back.txt")}).ExitCode, 0);
  EXPECT_EQ(ReadFile(Path("back.txt")), kForm);
}

TEST_F(FormcProgram, FailsWithOneLineAndLeavesTheOutputAlone) {
  WriteFile(Path("bad.txt"), "object A: T\n  Caption = 'open\nend\n");
  WriteFile(Path("out.bin"), "previous");
  const RunResult bad = RunFormc({"text2bin", Path("bad.txt"), Path("out.bin")});
  EXPECT_EQ(bad.ExitCode, 1);
  EXPECT_EQ(bad.Errors, "formc: " + Path("bad.txt") + ": Unterminated string on line 2\n");
  EXPECT_EQ(ReadFile(Path("out.bin")), "previous");

  WriteFile(Path("bad.bin"), "TPF1");
  const RunResult damaged = RunFormc({"bin2text", Path("bad.bin"), Path("new.txt")});
  EXPECT_EQ(damaged.ExitCode, 1);
  EXPECT_EQ(damaged.Errors, "formc: " + Path("bad.bin") + ": Invalid stream format at offset 0\n");
  EXPECT_FALSE(fs::exists(Path("new.txt")));

  const RunResult missing = RunFormc({"bin2text", Path("none.bin"), Path("new.txt")});
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(missing.Errors.rfind("formc: Cannot open file \"" + Path("none.bin") + "\". ", 0), 0u) << missing.Errors;

  WriteFile(Path("ok.txt"), kForm);
  const RunResult noFolder = RunFormc({"text2bin", Path("ok.txt"), Path("no/such/out.bin")});
  EXPECT_EQ(noFolder.ExitCode, 1);
  EXPECT_EQ(std::count(noFolder.Errors.begin(), noFolder.Errors.end(), '\n'), 1);

  const RunResult usage = RunFormc({"compile", Path("ok.txt")});
  EXPECT_EQ(usage.ExitCode, 2);
  EXPECT_EQ(usage.Errors, "formc: usage: formc text2bin|bin2text IN OUT\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(FDir), fs::directory_iterator()), 5);  // no leftovers
}

}  // namespace
