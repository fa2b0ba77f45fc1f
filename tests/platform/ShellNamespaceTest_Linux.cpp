#include "platform/shell/ShellNamespace.h"

#include <fstream>
#include <system_error>

#include "platform/FileTestSupport.h"

namespace kora {
namespace {

namespace fs = std::filesystem;

// A made-up home with a desktop folder, and the variables pointing at it.
class ShellNamespaceTest : public ::testing::Test {
protected:
  ShellNamespaceTest()
      : Root(TestFolder("Shell")),
        Home(Root + "/home/user"),
        Config(Root + "/config"),
        FHome("HOME", Home.c_str()),
        FConfig("XDG_CONFIG_HOME", Config.c_str()),
        FDesktop("XDG_DESKTOP_DIR", nullptr) {
    fs::create_directories(Home + "/Desktop");
    fs::create_directories(Config);
  }

  static std::vector<std::string> Names(const std::vector<ShellItem>& items) {
    std::vector<std::string> names;
    for (const auto& i : items) names.push_back(i.DisplayName);
    return names;
  }

  const std::string Root, Home, Config;

private:
  ScopedEnv FHome, FConfig, FDesktop;
};

using V = std::vector<std::string>;

TEST_F(ShellNamespaceTest, DesktopHoldsHomeFileSystemAndDesktopFolder) {
  const ShellItem desktop = ShellDesktop();
  EXPECT_EQ(desktop.Kind, ShellItemKind::Desktop);
  EXPECT_EQ(desktop.DisplayName, "桌面");
  EXPECT_FALSE(ShellParent(desktop));

  const auto folders = ShellEnumerate(desktop);
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(Names(folders), (V{"Desktop", "user", "文件系统"}));
  EXPECT_EQ(folders[0].Kind, ShellItemKind::DesktopFolder);
  EXPECT_EQ(folders[1].Kind, ShellItemKind::Home);
  EXPECT_EQ(folders[1].Path, Home);
  EXPECT_EQ(folders[2].Kind, ShellItemKind::Drive);
  EXPECT_EQ(folders[2].Path, "/");
  for (const auto& f : folders) EXPECT_TRUE(ShellParent(f)->SamePlace(desktop));

  // Without a desktop folder the desktop holds two.
  fs::remove(Home + "/Desktop");
  EXPECT_EQ(Names(ShellDesktopFolders()), (V{"user", "文件系统"}));
}

TEST_F(ShellNamespaceTest, DesktopFolderComesFromTheUserDirsFile) {
  fs::create_directories(Home + "/桌面");
  std::ofstream(Config + "/user-dirs.dirs") << "# comment\nXDG_DOWNLOAD_DIR=\"$HOME/dl\"\n"
                                            << "XDG_DESKTOP_DIR=\"$HOME/桌面\"\n";
  EXPECT_EQ(ShellItemFromPath(Home + "/Desktop").Kind, ShellItemKind::Folder);
  EXPECT_EQ(ShellItemFromPath(Home + "/桌面").Kind, ShellItemKind::DesktopFolder);
  // The variable wins over the file; pointing at the home means none.
  const ScopedEnv env("XDG_DESKTOP_DIR", Home.c_str());
  EXPECT_EQ(ShellDesktopFolder(), "");
}

TEST_F(ShellNamespaceTest, ChainsRunFromTheDesktopThroughTheNearestSpecialFolder) {
  fs::create_directories(Home + "/Desktop/roms/new");
  fs::create_directories(Home + "/games");
  fs::create_directories(Root + "/elsewhere/deep");

  const auto names = [](const std::string& path) { return Names(ShellFolderChain(ShellItemFromPath(path))); };
  EXPECT_EQ(names(Home + "/Desktop/roms/new"), (V{"桌面", "Desktop", "roms", "new"}));
  EXPECT_EQ(names(Home + "/games"), (V{"桌面", "user", "games"}));
  EXPECT_EQ(names("/"), (V{"桌面", "文件系统"}));

  // Outside the home the chain goes down from "/", one folder a level.
  const auto chain = ShellFolderChain(ShellItemFromPath(Root + "/elsewhere/deep"));
  const fs::path rootPath(Root);
  const auto rootParts = std::distance(rootPath.begin(), rootPath.end());  // "/" and each name
  ASSERT_EQ(chain.size(), size_t(1 + rootParts + 2));
  EXPECT_EQ(chain[1].Kind, ShellItemKind::Drive);
  EXPECT_EQ(chain.back().Path, Root + "/elsewhere/deep");
  for (size_t i = 2; i < chain.size(); ++i) {
    EXPECT_EQ(chain[i].Kind, ShellItemKind::Folder);
    EXPECT_TRUE(ShellParent(chain[i])->SamePlace(chain[i - 1])) << chain[i].Path;
  }
}

TEST_F(ShellNamespaceTest, PathsAreParsedAndCheckedForExistence) {
  std::ofstream(Home + "/rom.nds") << "12345";
  const ShellItem file = ShellItemFromPath(Home + "/games/../rom.nds");
  EXPECT_EQ(file.Kind, ShellItemKind::File);
  EXPECT_EQ(file.Path, Home + "/rom.nds");
  EXPECT_EQ(file.Size, 5);
  EXPECT_TRUE(ShellParent(file)->SamePlace(ShellItemFromPath(Home + "/")));

  try {
    ShellItemFromPath(Home + "/missing");
    FAIL() << "no error for a missing path";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code().value(), ENOENT);
    EXPECT_NE(std::string(e.what()).find("missing"), std::string::npos);
  }
  EXPECT_THROW(ShellItemFromPath(""), std::system_error);
}

TEST_F(ShellNamespaceTest, EnumerationSortsFoldersFirstAndHidesDotFiles) {
  const std::string dir = Home + "/list";
  fs::create_directories(dir);
  for (const char* f : {"b.nds", "A.nds", "file10.bin", "file9.bin", ".secret"}) std::ofstream(dir + "/" + f);
  fs::create_directories(dir + "/zeta");
  fs::create_directories(dir + "/Alpha");
  fs::create_directories(dir + "/.cache");
  const ShellItem folder = ShellItemFromPath(dir);
  EXPECT_EQ(Names(ShellEnumerate(folder)), (V{"Alpha", "zeta", "A.nds", "b.nds", "file9.bin", "file10.bin"}));
  const auto all = ShellEnumerate(folder, true);
  EXPECT_EQ(Names(all), (V{".cache", "Alpha", "zeta", ".secret", "A.nds", "b.nds", "file9.bin", "file10.bin"}));
  EXPECT_TRUE(all[0].Hidden);
  EXPECT_EQ(all[0].Path, dir + "/.cache");
}

TEST(CompareShellNames, CaseDigitsAndTies) {
  EXPECT_LT(CompareShellNames("abc", "ABD"), 0);
  EXPECT_LT(CompareShellNames("v1.9.nds", "v1.10.nds"), 0);
  EXPECT_LT(CompareShellNames("ab", "abc"), 0);
  EXPECT_EQ(CompareShellNames("same", "same"), 0);
  // Equal apart from case or leading zeros: still a strict order.
  EXPECT_EQ(CompareShellNames("Rom", "rom"), -CompareShellNames("rom", "Rom"));
  EXPECT_NE(CompareShellNames("a01", "a1"), 0);
}

}  // namespace
}  // namespace kora
