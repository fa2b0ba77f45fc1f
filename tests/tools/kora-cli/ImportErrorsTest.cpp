#include "CliFixture.h"

#include "editor/WorkLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kora::clitest {

namespace {

struct BadImport {
  const char* Name;
  const char* Text;
  int Line;
  const char* Field;  // "" when the error has no field
};

void PrintTo(const BadImport& bad, std::ostream* out) { *out << bad.Name; }

class ImportErrorTest : public CliTest, public ::testing::WithParamInterface<BadImport> {};

TEST_P(ImportErrorTest, NamesLineAndFieldAndLeavesTheRom) {
  const BadImport& bad = GetParam();
  const fs::path rom = MakeRom("demo.nds", false);
  const Bytes before = ReadBytes(rom);
  const auto stamp = fs::last_write_time(rom);
  WriteText(FDir / "bad.txt", bad.Text);

  const RunResult r = Cli({"import", rom.string(), (FDir / "bad.txt").string()});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err.rfind("kora-cli: " + (FDir / "bad.txt").string() + ": line " + std::to_string(bad.Line), 0), 0u)
      << r.Err;
  if (*bad.Field)
    EXPECT_NE(r.Err.find("field \"" + std::string(bad.Field) + "\""), std::string::npos) << r.Err;
  else
    EXPECT_EQ(r.Err.find("field \""), std::string::npos) << r.Err;
  EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1);
  EXPECT_EQ(ReadBytes(rom), before);
  EXPECT_EQ(fs::last_write_time(rom), stamp);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportErrorTest,
    ::testing::Values(
        BadImport{"CharAboveSigned", "id,name,base_hp\n001,x,128\n", 2, "base_hp"},
        BadImport{"ClassBelowSigned", "index,cap_res\n0,-129\n", 2, "cap_res"},
        BadImport{"ItemBelowZero", "id,might\n01,-1\n", 2, "might"},
        BadImport{"PriceAboveU16", "id,price\n01,65536\n", 2, "price"},
        BadImport{"RangeAboveNibble", "id,range1\n01,16\n", 2, "range1"},
        BadImport{"LaterRowBad", "id,base_hp\n001,5\n002,500\n", 3, "base_hp"},
        BadImport{"UnknownCharId", "id,base_hp\n001,1\n0FF,2\n", 3, "id"},
        BadImport{"UnknownClass", "index,base_hp\n25,1\n", 2, "index"},
        BadImport{"MissingValue", "id,base_hp,base_str\n001,1\n", 2, "base_str"},
        BadImport{"NotANumber", "id,hit\n01,abc\n", 2, "hit"},
        BadImport{"UnknownColumn", "id,base_hp,speed\n001,1,2\n", 1, "speed"},
        BadImport{"SameRecordTwice", "id,hit\n01,5\n01,6\n", 3, "id"},
        BadImport{"UnclosedQuote", "id,name,hit\n01,\"open,5\n", 2, ""},
        BadImport{"RowWiderThanHeader", "id,hit\n01,5,6\n", 2, ""},
        BadImport{"JsonFieldTwice", "{\"items\": [\n{\"id\": \"01\", \"hit\": 1, \"hit\": 2}]}", 2, "hit"},
        BadImport{"JsonArrayForANumber", "{\"items\": [{\"id\": \"01\",\n\"hit\": [1, 2]}]}", 2, "hit"},
        BadImport{"JsonOutOfRange", "{\n  \"items\": [\n    {\"id\": \"01\", \"hit\": 300}\n  ]\n}\n", 3, "hit"},
        BadImport{"JsonFraction", "{\"items\": [\n{\"id\": \"01\", \"hit\": 3.5}]}", 2, "hit"},
        BadImport{"JsonUnknownId", "{\"characters\": [\n{\"id\": \"999\", \"base_hp\": 1}]}", 2, "id"},
        BadImport{"JsonMissingComma", "{\n  \"items\": [\n    {\"id\": \"01\" \"hit\": 3}\n  ]\n}\n", 3, ""},
        BadImport{"JsonUnknownSection", "{\n\"weapons\": []}", 2, "weapons"},
        BadImport{"JsonTruncated", "{\"classes\": [\n{\"index\": 1,", 2, ""}),
    [](const auto& p) { return std::string(p.param.Name); });

TEST_F(CliTest, MissingRomDataFolderIsReported) {
  const fs::path rom = MakeRom("demo.nds", false);
  fs::remove_all(FProgram / "RomData");
  WriteText(FDir / "edit.csv", "id,hit\n01,7\n");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"export", rom.string()}, {"import", rom.string(), (FDir / "edit.csv").string()}}) {
    const RunResult r = Cli(args);
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("Cannot create file \"" + (FProgram / "RomData").string() + "/"), std::string::npos) << r.Err;
  }
  EXPECT_FALSE(fs::exists(FProgram / "RomData"));
}

TEST_F(CliTest, SecondRunWaitsForNobodyAndFailsWhileLocked) {
  const fs::path rom = MakeRom("demo.nds", false);
  const Bytes before = ReadBytes(rom);
  WriteText(FDir / "edit.csv", "id,hit\n01,7\n");
  const int fd = ::open((FProgram / "RomData" / "kora-cli.lock").c_str(), O_RDWR | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  const RunResult r = Cli({"import", rom.string(), (FDir / "edit.csv").string()});
  ::close(fd);
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("another kora-cli is using the working files (" +
                       (FProgram / "RomData" / "kora-cli.lock").string() + " is locked)"),
            std::string::npos)
      << r.Err;
  EXPECT_EQ(ReadBytes(rom), before);

  EXPECT_EQ(Cli({"import", rom.string(), (FDir / "edit.csv").string()}).Status, 0);
  EXPECT_NE(ReadBytes(rom), before);

  // The editor window holds the same lock while it runs.
  const WorkLock window(ProgramPaths::Portable(FProgram.string()), "Kora Editor");
  const RunResult busy = Cli({"export", rom.string()});
  EXPECT_EQ(busy.Status, 1);
  EXPECT_NE(busy.Err.find("another Kora Editor is using the working files"), std::string::npos) << busy.Err;
}

}  // namespace

}  // namespace kora::clitest
