// skinc run as a program: build a skin file from a folder, dump it, and
// fail with a one-line message on bad input.
#include <sys/wait.h>

#include <gtest/gtest.h>
#include <cstdlib>

#include "framework/TempFolder.h"
#include "platform/ForgedBitmap.h"
#include "skin/SkinTestSupport.h"

namespace kora {
namespace {

struct RunResult {
  int ExitCode = -1;
  std::string Output;
  std::string Errors;
};

class SkincProgram : public ::testing::Test {
protected:
  void SetUp() override { FDir = test::TempFolder(); }

  RunResult Run(const std::string& args) const {
    const std::string out = FDir + "stdout.txt", err = FDir + "stderr.txt";
    // A time limit, so that a loader that hangs fails the test instead.
    const int status =
        std::system(("timeout 60 '" KORA_PROGRAM_DIR "/skinc' " + args + " >'" + out + "' 2>'" + err + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadFileBytes(out), test::ReadFileBytes(err)};
  }

  std::string FDir;
};

TEST_F(SkincProgram, BuildsAndDumpsASkin) {
  const std::string ini = test::MakeSkinFolder(FDir + "skin", test::SampleSkinIni(), test::SamplePictures());
  const RunResult build = Run("build '" + ini + "' '" + FDir + "skin.skn'");
  ASSERT_EQ(build.ExitCode, 0) << build.Errors;
  const std::string file = test::ReadFileBytes(FDir + "skin.skn");
  ASSERT_GT(file.size(), 10u);
  EXPECT_EQ(file.substr(0, 4), std::string("\3\0\0\0", 4));
  EXPECT_EQ(file.substr(8, 2), "\x78\xDA");

  const RunResult dump = Run("dump '" + FDir + "skin.skn'");
  ASSERT_EQ(dump.ExitCode, 0) << dump.Errors;
  const std::string& text = dump.Output;
  const std::vector<std::string> inOrder = {
      "[VERSION]\nskinname=Sample\n",
      "[PICTURES]\npicture=main.bmp 300x215x24\ninactivepicture=\nmask=mask.bmp 300x215x8\n",
      "[ACTIVEPICTURES]\n0=popup.bmp 40x30x24\n1=hint.bmp 20x12x4\n2=buttons.bmp 40x60x1\n",
      "[FORMINFO]\nlefttoppoint=9,29\nrighttoppoint=274,30\nleftbottompoint=4,200\n",
      "[SKINCOLORS]\ncbtnface=16641763\n",
      "[closebutton]\nhint=Close\nactivepictureindex=-1\n",
      "[caption]\n",
      "[mainmenubaritem]\n",
      "[button]\npictureindex=2\nmaskpictureindex=-1\nskinrect=0,0,40,20\nlefttoppoint=3,3\n",
      "[tab]\n",
      "[POPUPWINDOW]\nwindowpictureindex=0\n",
      "[HINTWINDOW]\nwindowpictureindex=1\n",
  };
  std::size_t at = 0;
  for (const std::string& part : inOrder) {
    const std::size_t found = text.find(part, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order:\n" << part << "\nin:\n" << text;
    at = found + part.size();
  }
  EXPECT_NE(text.find("command=cmclose\n"), std::string::npos);
  EXPECT_NE(text.find("morphkind=mkgradient\n"), std::string::npos);
  EXPECT_NE(text.find("inactiveeffect=iedarkness\n"), std::string::npos);
}

TEST_F(SkincProgram, FailuresExitWithTheErrorText) {
  test::WriteFileBytes(FDir + "no-sections.ini", "[VERSION]\nver=3\n");
  RunResult r = Run("build '" + FDir + "no-sections.ini' '" + FDir + "out.skn'");
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_NE(r.Errors.find("SKINCONTROLS"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(FDir + "out.skn"));

  test::WriteFileBytes(FDir + "corrupt.skn", std::string("\3\0\0\0\6\0\0\0", 8) + "\x78\xDAjunk");
  r = Run("dump '" + FDir + "corrupt.skn'");
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_EQ(r.Errors, "skinc: " + FDir + "corrupt.skn: compression error\n");
  EXPECT_TRUE(r.Output.empty());

  const std::string newer = test::Deflate(test::ArchiveWriter().Int32(4).Bytes());
  test::WriteFileBytes(
      FDir + "newer.skn",
      std::string("\3\0\0\0", 4) + test::ArchiveWriter().Int32(static_cast<int32_t>(newer.size())).Bytes() + newer);
  r = Run("dump '" + FDir + "newer.skn'");
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_NE(r.Errors.find("above 3"), std::string::npos);

  // A zlib header asking for a preset dictionary: 20 bytes that once hung the loader.
  test::WriteFileBytes(FDir + "dictionary.skn", std::string("\3\0\0\0\x0C\0\0\0\x78\x20\0\0\0\1\0\0\0\0\0\0", 20));
  r = Run("dump '" + FDir + "dictionary.skn'");
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_EQ(r.Errors, "skinc: " + FDir + "dictionary.skn: compression error\n");

  // Too short for its header, and shorter than its stated length.
  for (const std::string& bytes : {std::string("\3\0\0", 3), std::string("\3\0\0\0\x40\0\0\0\x78\xDA", 10)}) {
    test::WriteFileBytes(FDir + "short.skn", bytes);
    r = Run("dump '" + FDir + "short.skn'");
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Errors, "skinc: " + FDir + "short.skn: Stream read error\n");
  }

  // A picture whose header claims 32768 x 2048 pixels in 64 bytes.
  const std::string ini = test::MakeSkinFolder(FDir + "forged", test::SampleSkinIni(), test::SamplePictures());
  test::WriteFileBytes(FDir + "forged/main.bmp", test::ForgedRle8Bitmap());
  r = Run("build '" + ini + "' '" + FDir + "out.skn'");
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_NE(r.Errors.find("the compressed data (6 bytes) cannot fill 32768 x 2048 pixels"), std::string::npos)
      << r.Errors;
  EXPECT_FALSE(std::filesystem::exists(FDir + "out.skn"));

  r = Run("dump '" + FDir + "missing.skn'");
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_NE(r.Errors.find("Cannot open file"), std::string::npos);
  EXPECT_EQ(Run("frobnicate").ExitCode, 2);
}

}  // namespace
}  // namespace kora
