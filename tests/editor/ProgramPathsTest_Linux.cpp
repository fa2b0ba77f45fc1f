#include "editor/ProgramPaths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "EditorTestSupport.h"
#include "editor/WorkLock.h"

namespace kora {
namespace {

using namespace test;
namespace fs = std::filesystem;

// Sets an environment variable for the test's life.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old, FHad = true;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { FHad ? ::setenv(FName, FOld.c_str(), 1) : ::unsetenv(FName); }

private:
  const char* FName;
  std::string FOld;
  bool FHad = false;
};

TEST(ProgramPaths, AProgramFolderKeepsEverythingBesideTheExecutable) {
  const std::string dir = TempFolder();
  const std::string folder = MakeProgramFolder(dir);
  const ProgramPaths paths = ProgramPaths::Find(folder);
  EXPECT_FALSE(paths.Installed);
  EXPECT_EQ(paths.AppPath, folder);
  EXPECT_EQ(paths.PackerFile, folder + "/Tool/agblz");
  EXPECT_EQ(paths.WorkFolder, folder + "RomData/");
  EXPECT_EQ(paths.FirstFolder, folder);

  // Without data anywhere it stays a program folder, whose missing files
  // are reported as they are used.
  const std::string bare = dir + "bare/";
  fs::create_directories(bare);
  EXPECT_EQ(ProgramPaths::Find(bare).AppPath, bare);
  EXPECT_FALSE(ProgramPaths::Find(bare).Installed);
}

TEST(ProgramPaths, AnInstalledProgramReadsFromItsPrefixAndWorksInTheUsersCache) {
  const std::string dir = TempFolder();
  const std::string prefix = dir + "usr/";
  fs::create_directories(prefix + "bin");
  fs::create_directories(prefix + "share/kora-editor/Data");
  const std::string home = dir + "home/";
  fs::create_directories(home);
  ScopedEnv homeVar("HOME", home.c_str());
  ScopedEnv cacheVar("XDG_CACHE_HOME", nullptr);

  const ProgramPaths paths = ProgramPaths::Find(prefix + "bin/");
  EXPECT_TRUE(paths.Installed);
  EXPECT_EQ(paths.AppPath, prefix + "share/kora-editor/");
  EXPECT_EQ(paths.PackerFile, prefix + "lib/kora-editor/agblz");
  EXPECT_EQ(paths.WorkFolder, home + ".cache/kora-editor/");
  EXPECT_EQ(paths.FirstFolder, home);

  // The lock makes the cache, for this user alone, and the files go there.
  { WorkLock lock(paths, "Kora Editor"); }
  EXPECT_TRUE(fs::exists(home + ".cache/kora-editor/kora-cli.lock"));
  struct stat info {};
  ASSERT_EQ(::stat((home + ".cache/kora-editor").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  // XDG_CACHE_HOME when it is an absolute path; a relative one is ignored.
  {
    ScopedEnv relative("XDG_CACHE_HOME", "cache");
    EXPECT_EQ(UserCacheFolder(), home + ".cache/kora-editor/");
  }
  ScopedEnv absolute("XDG_CACHE_HOME", (home + "elsewhere").c_str());
  EXPECT_EQ(ProgramPaths::Find(prefix + "bin").WorkFolder, home + "elsewhere/kora-editor/");
}

TEST(ProgramPaths, AProgramFolderThatMayNotBeWrittenWorksInTheCache) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write every folder";
  const std::string dir = TempFolder();
  const std::string folder = MakeProgramFolder(dir);
  const std::string home = dir + "home/";
  ScopedEnv homeVar("HOME", home.c_str());
  ScopedEnv cacheVar("XDG_CACHE_HOME", nullptr);
  fs::permissions(folder + "RomData", fs::perms::owner_read | fs::perms::owner_exec);
  const ProgramPaths paths = ProgramPaths::Find(folder);
  fs::permissions(folder + "RomData", fs::perms::owner_all);
  EXPECT_FALSE(paths.Installed);
  EXPECT_EQ(paths.AppPath, folder);
  EXPECT_EQ(paths.WorkFolder, home + ".cache/kora-editor/");
}

}  // namespace
}  // namespace kora
