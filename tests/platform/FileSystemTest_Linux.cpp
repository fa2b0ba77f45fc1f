#include "platform/shell/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <ctime>
#include <fstream>
#include <system_error>

#include "platform/FileTestSupport.h"

namespace kora {
namespace {

namespace fs = std::filesystem;

void WriteFile(const std::string& path, size_t bytes) { std::ofstream(path) << std::string(bytes, 'x'); }

TEST(ListFolder, FilesFoldersSizesTimesAndHiddenEntries) {
  const ScopedEnv utc("TZ", "UTC0");
  ::tzset();
  const std::string dir = TestFolder("FileSystem");
  WriteFile(dir + "/rom.nds", 1234);
  WriteFile(dir + "/.hidden", 3);
  fs::create_directory(dir + "/sub");
  fs::create_symlink(dir + "/sub", dir + "/link-to-sub");
  fs::create_symlink(dir + "/nowhere", dir + "/dangling");
  // A sparse file beyond 4 GB proves the size is not cut to 32 bits.
  WriteFile(dir + "/big.bin", 0);
  fs::resize_file(dir + "/big.bin", (uintmax_t(5) << 30) + 7);
  const timespec when[2] = {{1709214330, 0}, {1709214330, 0}};  // 2024-02-29 13:45:30 UTC
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir + "/rom.nds").c_str(), when, 0), 0);

  auto entries = ListFolder(dir);
  ::unsetenv("TZ");
  ::tzset();
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
  ASSERT_EQ(entries.size(), 6u);  // no "." or ".."
  const auto& [hidden, big, dangling, link, rom, sub] =
      std::tie(entries[0], entries[1], entries[2], entries[3], entries[4], entries[5]);
  EXPECT_EQ(rom.Name, "rom.nds");
  EXPECT_FALSE(rom.IsFolder || rom.Hidden);
  EXPECT_EQ(rom.Size, 1234);
  EXPECT_EQ(std::chrono::system_clock::to_time_t(rom.LastWrite), 1709214330);
  EXPECT_EQ(rom.LastWriteLocal, (LocalDateTime{2024, 2, 29, 13, 45, 30}));
  EXPECT_TRUE(hidden.Hidden);
  EXPECT_EQ(big.Size, (int64_t(5) << 30) + 7);
  EXPECT_TRUE(sub.IsFolder);
  EXPECT_EQ(sub.Size, 0);
  EXPECT_TRUE(link.IsFolder);
  EXPECT_FALSE(dangling.IsFolder);

  EXPECT_TRUE(DirectoryExists(dir + "/link-to-sub"));
  EXPECT_FALSE(DirectoryExists(dir + "/rom.nds"));
  EXPECT_EQ(FileSize(dir + "/rom.nds"), 1234);
  EXPECT_EQ(FileSize(dir + "/sub"), 0);
  EXPECT_EQ(FileSize(dir + "/missing"), 0);
  EXPECT_EQ(GetFileInfo(dir + "/rom.nds")->Size, 1234);
  EXPECT_FALSE(GetFileInfo(dir + "/missing"));
}

TEST(ListFolder, ErrorsNameTheFolderAndTheReason) {
  const std::string dir = TestFolder("FileSystem");
  WriteFile(dir + "/file", 1);
  const auto codeOf = [](const std::string& path) {
    try {
      ListFolder(path);
    } catch (const std::system_error& e) {
      EXPECT_NE(std::string(e.what()).find("\"" + path + "\""), std::string::npos) << e.what();
      return e.code().value();
    }
    return 0;
  };
  EXPECT_EQ(codeOf(dir + "/missing"), ENOENT);
  EXPECT_EQ(codeOf(dir + "/file"), ENOTDIR);
  if (::geteuid() != 0) {  // root reads every folder
    fs::create_directory(dir + "/locked");
    fs::permissions(dir + "/locked", fs::perms::none);
    EXPECT_EQ(codeOf(dir + "/locked"), EACCES);
    fs::permissions(dir + "/locked", fs::perms::owner_all);
  }
}

TEST(PathHelpers, ExpansionAndTheProgramFolder) {
  EXPECT_EQ(ExpandFileName("/a/./b//c/../d"), "/a/b/d");
  EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
  EXPECT_EQ(ExpandFileName("/a/.."), "/");
  EXPECT_EQ(ExpandFileName(""), "");
  const std::string cwd = fs::current_path().string();
  EXPECT_EQ(ExpandFileName("x/y"), cwd + "/x/y");
  EXPECT_EQ(ExpandFileName("."), cwd);

  EXPECT_EQ(ApplicationPath(), fs::canonical("/proc/self/exe").parent_path().string() + "/");
}

TEST(MatchesMask, PatternsCaseAndTheClassicDotStar) {
  EXPECT_TRUE(MatchesMask("Game.NDS", "*.nds"));
  EXPECT_FALSE(MatchesMask("game.nds.bak", "*.nds"));
  EXPECT_FALSE(MatchesMask("gamends", "*.nds"));
  EXPECT_TRUE(MatchesMask("a.bin", "NDS File|*.nds; *.bin "));
  EXPECT_FALSE(MatchesMask("a.txt", "*.nds;*.bin"));
  // Patterns without a dot take no part.
  EXPECT_FALSE(MatchesMask("anything", "*"));
  // '?' is one character, also a multi-byte one.
  EXPECT_TRUE(MatchesMask("a中.nds", "a?.nds"));
  EXPECT_FALSE(MatchesMask("a12.nds", "a?.nds"));
  EXPECT_FALSE(MatchesMask("a.nds", "a?.nds"));
  // "*.*" matches every name, with or without a dot.
  EXPECT_TRUE(MatchesMask("Makefile", "*.*"));
  EXPECT_TRUE(MatchesMask("readme", "readme.*"));
  EXPECT_FALSE(MatchesMask("readme2", "readme.*"));
  // Backtracking over several stars.
  EXPECT_TRUE(MatchesMask("abcabcabd.nds", "*abc*abd.nds"));
  EXPECT_FALSE(MatchesMask("abcabcabe.nds", "*abc*abd.nds"));
}

}  // namespace
}  // namespace kora
