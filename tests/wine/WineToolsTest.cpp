// The Windows build's command-line programs under Wine write exactly what
// the Linux ones write: the packer the same blocks, kora-cli the same demo
// ROM and the same records.

#include <gtest/gtest.h>

#include <string>

#include "framework/TempFolder.h"
#include "wine/WineSupport.h"

namespace kora::test {
namespace {

class WineToolsTest : public ::testing::Test {
protected:
  void SetUp() override {
    KORA_NEED_WINDOWS_BUILD();
    FDir = TempFolder();
  }
  int Windows(const std::vector<std::string>& args) { return RunWindowsProgram(args, FDir + "wine.txt"); }
  // A Linux program's command line; its output goes to `output` (else nowhere).
  int Linux(const std::string& command, const std::string& output = "/dev/null") {
    return std::system((command + " > '" + output + "' 2>/dev/null").c_str());
  }
  std::string Output() { return ReadFileBytes(FDir + "wine.txt"); }

  std::string FDir;
};

TEST_F(WineToolsTest, KoraCliMakesTheSameDemoRomsAndReadsThemBackAlike) {
  const std::string cli = WindowsProgramFolder() + "kora-cli.exe";
  for (const std::string variant : {"", "--alternate"}) {
    const std::string windows = FDir + "windows" + variant + ".nds", linux = FDir + "linux" + variant + ".nds";
    std::vector<std::string> args{cli, "make-demo-rom", WindowsPath(windows)};
    if (!variant.empty()) args.push_back(variant);
    ASSERT_EQ(Windows(args), 0) << Output();
    ASSERT_EQ(Linux(std::string(KORA_PROGRAM_DIR) + "/kora-cli make-demo-rom '" + linux + "' " + variant), 0);
    const std::string bytes = ReadFileBytes(windows);
    ASSERT_GT(bytes.size(), 1u << 20);
    EXPECT_TRUE(bytes == ReadFileBytes(linux)) << variant;
  }
  // Reading the ROM goes through the packer (Tool\agblz.exe, started by
  // kora-cli.exe): the records come out as the Linux program prints them,
  // but for the line ends of Windows text.
  ASSERT_EQ(Windows({cli, "export", WindowsPath(FDir + "windows.nds"), "--kind", "item"}), 0) << Output();
  std::string windowsRecords = Output();
  std::erase(windowsRecords, '\r');
  ASSERT_EQ(
      Linux(std::string(KORA_PROGRAM_DIR) + "/kora-cli export '" + FDir + "linux.nds' --kind item", FDir + "linux.csv"),
      0);
  EXPECT_EQ(windowsRecords, ReadFileBytes(FDir + "linux.csv"));
  EXPECT_NE(windowsRecords.find('\n'), std::string::npos);
}

TEST_F(WineToolsTest, ThePackerPacksAndUnpacksByteForByteAsOnLinux) {
  // Data that packs both well and badly: runs, repeats far apart, noise.
  std::string data;
  uint32_t seed = 7;
  for (int i = 0; i < 50000; ++i) {
    seed = seed * 1103515245 + 12345;
    data += i % 997 < 300 ? char('A' + i % 3) : i % 5 == 0 ? data[size_t(i / 2)] : char(seed >> 16);
  }
  WriteFileBytes(FDir + "plain.bin", data);
  const std::string packer = WindowsProgramFolder() + "Tool/agblz.exe";
  ASSERT_EQ(Windows({packer, "z", WindowsPath(FDir + "plain.bin"), WindowsPath(FDir + "windows.lz")}), 0) << Output();
  ASSERT_EQ(Linux(std::string(KORA_PROGRAM_DIR) + "/Tool/agblz z '" + FDir + "plain.bin' '" + FDir + "linux.lz'"), 0);
  const std::string packed = ReadFileBytes(FDir + "windows.lz");
  ASSERT_FALSE(packed.empty());
  EXPECT_TRUE(packed == ReadFileBytes(FDir + "linux.lz"));
  EXPECT_LT(packed.size(), data.size());

  ASSERT_EQ(Windows({packer, "u", WindowsPath(FDir + "windows.lz"), WindowsPath(FDir + "back.bin")}), 0) << Output();
  EXPECT_TRUE(ReadFileBytes(FDir + "back.bin") == data);
  // A name of Chinese characters reaches the program whole.
  WriteFileBytes(FDir + "数据.bin", data.substr(0, 1000));
  ASSERT_EQ(Windows({packer, "z", WindowsPath(FDir + "数据.bin"), WindowsPath(FDir + "压缩.lz")}), 0) << Output();
  EXPECT_FALSE(ReadFileBytes(FDir + "压缩.lz").empty());
  // Bad input fails as on Linux, and leaves no output behind.
  WriteFileBytes(FDir + "bad.lz", "\x10\xFF\xFF\x7F garbage");
  EXPECT_EQ(Windows({packer, "u", WindowsPath(FDir + "bad.lz"), WindowsPath(FDir + "none.bin")}), 1);
  EXPECT_FALSE(std::filesystem::exists(FDir + "none.bin"));
}

}  // namespace
}  // namespace kora::test
