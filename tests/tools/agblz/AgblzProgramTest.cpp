#include "agblz/Lz.h"
#include "tools/agblz/GameLikeImage.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kora::lz {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct ToolRun {
    int ExitCode = -1;
    std::string Errors;
};

// Runs Tool/agblz from the program folder, as the editor does.
ToolRun RunAgblz(const std::vector<std::string>& args, const fs::path& errorFile)
{
    std::vector<char*> argv;
    std::string tool = "Tool/agblz";
    argv.push_back(tool.data());
    std::vector<std::string> copies = args;
    for (auto& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        const int err = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err < 0 || dup2(err, 2) < 0 || chdir(KORA_PROGRAM_DIR) != 0)
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    ToolRun run;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.ExitCode = WEXITSTATUS(status);
    std::ifstream in(errorFile);
    run.Errors.assign(std::istreambuf_iterator<char>(in), {});
    return run;
}

Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

class AgblzProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        FDir = fs::path(KORA_TEST_TMP) / "agblz" / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(FDir);
        fs::create_directories(FDir / "work");
    }

    fs::path Work(const std::string& name) const { return FDir / "work" / name; }

    ToolRun Agblz(const std::vector<std::string>& args) const { return RunAgblz(args, FDir / "stderr.txt"); }

    std::vector<std::string> WorkFiles() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(FDir / "work"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path FDir;
};

TEST_F(AgblzProgram, PacksAndUnpacksThroughFiles)
{
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

TEST_F(AgblzProgram, FailsWithOneLineAndNoOutput)
{
    WriteFile(Work("unknown.bin"), {0x40, 3, 0, 0, 0, 1, 2, 3});
    WriteFile(Work("truncated.bin"), {0x10, 3, 0, 0, 0, 1});
    WriteFile(Work("before-start.bin"), {0x10, 3, 0, 0, 0x80, 0x00, 0x00});
    WriteFile(Work("good.bin"), Pack(Bytes(100, 1)));
    fs::create_directory(Work("folder"));
    const std::string missingFolder = Work("no-such-folder") / "out.bin";

    struct Case {
        std::vector<std::string> Args;
        std::string Output;  // must not appear, or stay as it was when it existed
    };
    const std::vector<Case> cases = {
        {{"u", Work("unknown.bin"), Work("out.bin")}, Work("out.bin")},
        {{"u", Work("truncated.bin"), Work("out.bin")}, Work("out.bin")},
        {{"u", Work("before-start.bin"), Work("out.bin")}, Work("out.bin")},
        {{"u", Work("missing.bin"), Work("out.bin")}, Work("out.bin")},
        {{"z", Work("folder"), Work("out.bin")}, Work("out.bin")},
        {{"u", Work("good.bin"), missingFolder}, missingFolder},
        {{"u", Work("good.bin"), Work("folder")}, ""},
        {{"x", Work("good.bin"), Work("out.bin")}, Work("out.bin")},
        {{"u", Work("good.bin")}, ""},
        {{}, ""},
        {{"u", Work("good.bin"), Work("out.bin"), "extra"}, Work("out.bin")},
    };
    for (const bool outputExists : {false, true}) {
        for (const Case& c : cases) {
            std::string line;
            for (const auto& a : c.Args)
                line += a + " ";
            SCOPED_TRACE(line + (outputExists ? "(output exists)" : ""));
            const bool canExist = !c.Output.empty() && c.Output != missingFolder;
            if (canExist && outputExists)
                WriteFile(c.Output, {'k', 'e', 'e', 'p'});
            const ToolRun run = Agblz(c.Args);
            EXPECT_NE(run.ExitCode, 0);
            EXPECT_EQ(run.Errors.rfind("agblz: ", 0), 0u) << run.Errors;
            EXPECT_EQ(std::count(run.Errors.begin(), run.Errors.end(), '\n'), 1) << run.Errors;
            if (canExist && outputExists) {
                EXPECT_EQ(ReadFile(c.Output), (Bytes{'k', 'e', 'e', 'p'}));
            } else if (!c.Output.empty()) {
                EXPECT_FALSE(fs::exists(c.Output));
            }
            if (canExist)
                fs::remove(c.Output);
        }
    }
    // No temporary file is left behind by any failure.
    EXPECT_EQ(WorkFiles(), (std::vector<std::string>{"before-start.bin", "folder", "good.bin", "truncated.bin",
                                                     "unknown.bin"}));
    EXPECT_TRUE(fs::is_empty(Work("folder")));
}

}  // namespace
}  // namespace kora::lz
