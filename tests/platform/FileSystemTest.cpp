#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include <gtest/gtest.h>

namespace kora {
namespace {

namespace fs = std::filesystem;

std::string TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto folder = fs::path(KORA_TEST_TMP) / (std::string("FileSystem.") + info->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string();
}

void WriteFile(const std::string& path, size_t bytes) { std::ofstream(path) << std::string(bytes, 'x'); }

void SetModified(const std::string& path, time_t when) {
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

// Runs the body with the local time zone set to UTC.
class UtcZone {
public:
    UtcZone() {
        if (const char* tz = std::getenv("TZ")) FOld = tz, FHad = true;
        ::setenv("TZ", "UTC0", 1);
        ::tzset();
    }
    ~UtcZone() {
        FHad ? ::setenv("TZ", FOld.c_str(), 1) : ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::string FOld;
    bool FHad = false;
};

const FolderEntry& Find(const std::vector<FolderEntry>& entries, const std::string& name) {
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const FolderEntry& e) { return e.Name == name; });
    if (it == entries.end()) throw std::runtime_error("no entry " + name);
    return *it;
}

TEST(ListFolder, FilesFoldersSizesTimesAndHiddenEntries) {
    const UtcZone utc;
    const std::string dir = TempFolder();
    WriteFile(dir + "/rom.nds", 1234);
    WriteFile(dir + "/.hidden", 3);
    WriteFile(dir + "/空.txt", 0);
    fs::create_directory(dir + "/sub");
    fs::create_symlink(dir + "/sub", dir + "/link-to-sub");
    fs::create_symlink(dir + "/nowhere", dir + "/dangling");
    // A sparse file beyond 4 GB proves the size is not cut to 32 bits.
    WriteFile(dir + "/big.bin", 0);
    fs::resize_file(dir + "/big.bin", (uintmax_t(5) << 30) + 7);
    SetModified(dir + "/rom.nds", 1709214330);  // 2024-02-29 13:45:30 UTC

    const auto entries = ListFolder(dir);
    ASSERT_EQ(entries.size(), 7u);  // no "." or ".."
    const FolderEntry& rom = Find(entries, "rom.nds");
    EXPECT_FALSE(rom.IsFolder);
    EXPECT_FALSE(rom.Hidden);
    EXPECT_EQ(rom.Size, 1234);
    EXPECT_EQ(std::chrono::system_clock::to_time_t(rom.LastWrite), 1709214330);
    EXPECT_EQ(rom.LastWriteLocal, (LocalDateTime{2024, 2, 29, 13, 45, 30}));

    EXPECT_TRUE(Find(entries, ".hidden").Hidden);
    EXPECT_EQ(Find(entries, "空.txt").Size, 0);
    EXPECT_EQ(Find(entries, "big.bin").Size, (int64_t(5) << 30) + 7);
    EXPECT_TRUE(Find(entries, "sub").IsFolder);
    EXPECT_EQ(Find(entries, "sub").Size, 0);
    EXPECT_TRUE(Find(entries, "link-to-sub").IsFolder);
    EXPECT_FALSE(Find(entries, "dangling").IsFolder);
}

TEST(ListFolder, ErrorsNameTheFolderAndTheReason) {
    const std::string dir = TempFolder();
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

TEST(FileQueries, ExistenceSizeAndInfo) {
    const std::string dir = TempFolder();
    WriteFile(dir + "/a.bin", 10);
    EXPECT_TRUE(DirectoryExists(dir));
    EXPECT_FALSE(DirectoryExists(dir + "/a.bin"));
    EXPECT_FALSE(DirectoryExists(""));
    EXPECT_EQ(FileSize(dir + "/a.bin"), 10);
    EXPECT_EQ(FileSize(dir), 0);
    EXPECT_EQ(FileSize(dir + "/missing"), 0);

    const auto info = GetFileInfo(dir + "/a.bin");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Name, "a.bin");
    EXPECT_EQ(info->Size, 10);
    EXPECT_FALSE(GetFileInfo(dir + "/missing"));
}

TEST(PathHelpers, NamesExtensionsAndExpansion) {
    EXPECT_EQ(ExtractFileName("/a/b/rom.nds"), "rom.nds");
    EXPECT_EQ(ExtractFileName("rom.nds"), "rom.nds");
    EXPECT_EQ(ExtractFileName("/a/b/"), "");
    EXPECT_EQ(ExtractFileExt("/a/b.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("/a.dir/file"), "");
    EXPECT_EQ(ExtractFileExt("/a/.bashrc"), ".bashrc");
    EXPECT_EQ(ExtractFileExt("name."), ".");

    EXPECT_EQ(ExpandFileName("/a/./b//c/../d"), "/a/b/d");
    EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
    EXPECT_EQ(ExpandFileName("/.."), "/");
    EXPECT_EQ(ExpandFileName("/a/.."), "/");
    EXPECT_EQ(ExpandFileName(""), "");
    const std::string cwd = fs::current_path().string();
    EXPECT_EQ(ExpandFileName("x/y"), cwd + "/x/y");
    EXPECT_EQ(ExpandFileName("."), cwd);
}

TEST(PathHelpers, ApplicationPathIsTheTestsOwnFolder) {
    const std::string path = ApplicationPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), '/');
    EXPECT_EQ(path, fs::canonical("/proc/self/exe").parent_path().string() + "/");
}

TEST(MatchesMask, PatternsCaseAndTheClassicDotStar) {
    EXPECT_TRUE(MatchesMask("Game.NDS", "*.nds"));
    EXPECT_TRUE(MatchesMask("game.nds", "*.NDS"));
    EXPECT_FALSE(MatchesMask("game.nds.bak", "*.nds"));
    EXPECT_FALSE(MatchesMask("gamends", "*.nds"));
    EXPECT_TRUE(MatchesMask("a.bin", "*.nds;*.bin"));
    EXPECT_TRUE(MatchesMask("a.bin", "NDS File|*.nds| *.bin "));
    EXPECT_FALSE(MatchesMask("a.txt", "*.nds;*.bin"));
    // Patterns without a dot take no part.
    EXPECT_FALSE(MatchesMask("anything", "*"));
    EXPECT_FALSE(MatchesMask("a.nds", ""));
    // '?' is one character, also a multi-byte one.
    EXPECT_TRUE(MatchesMask("a1.nds", "a?.nds"));
    EXPECT_TRUE(MatchesMask("a中.nds", "a?.nds"));
    EXPECT_FALSE(MatchesMask("a12.nds", "a?.nds"));
    EXPECT_FALSE(MatchesMask("a.nds", "a?.nds"));
    // "*.*" matches every name, with or without a dot.
    EXPECT_TRUE(MatchesMask("Makefile", "*.*"));
    EXPECT_TRUE(MatchesMask("x.tar.gz", "*.*"));
    EXPECT_TRUE(MatchesMask("readme", "readme.*"));
    EXPECT_FALSE(MatchesMask("readme2", "readme.*"));
    // Backtracking over several stars.
    EXPECT_TRUE(MatchesMask("abcabcabd.nds", "*abc*abd.nds"));
    EXPECT_FALSE(MatchesMask("abcabcabe.nds", "*abc*abd.nds"));
}

}  // namespace
}  // namespace kora
