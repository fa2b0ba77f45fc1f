#include "CliFixture.h"

#include "editor/Records.h"
#include "editor/RomBlock.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace kora::clitest {

namespace {

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(cell);
    rows.push_back(fields);
  }
  return rows;
}

class LayoutTest : public CliTest, public ::testing::WithParamInterface<bool> {
protected:
  uint32_t PointerTable() const { return GetParam() ? kAltPointerTable : kPrimaryPointerTable; }
  uint32_t WriteBack() const { return GetParam() ? kAltWriteBackOffset : kPrimaryWriteBackOffset; }

  std::string Export(const fs::path& rom, std::vector<std::string> options) const {
    options.insert(options.begin(), {"export", rom.string()});
    const RunResult r = Cli(options);
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    return r.Out;
  }

  RunResult Import(const fs::path& rom, const std::string& name, const std::string& text) const {
    WriteText(FDir / name, text);
    return Cli({"import", rom.string(), (FDir / name).string()});
  }
};

TEST_P(LayoutTest, ExportShowsEveryListedRecord) {
  const fs::path rom = MakeRom("demo.nds", GetParam());
  const Bytes image = UnpackedImage(ReadBytes(rom), PointerTable());
  const auto rows = CsvRows(Export(rom, {}));

  // Three sections (30 characters, 25 classes, 40 items) split by empty lines.
  ASSERT_EQ(rows.size(), 1 + 30 + 1 + 1 + 25 + 1 + 1 + 40u);
  EXPECT_EQ(rows[0].size(), 18u);
  EXPECT_EQ(rows[0][2], "base_hp");
  EXPECT_EQ(rows[0][17], "growth_res");
  EXPECT_EQ(rows[32][25], "cap_res");
  EXPECT_EQ(rows[59][0], "id");
  EXPECT_EQ(rows[59][8], "range1");
  EXPECT_EQ(rows[59][10], "bonus_hp");

  EXPECT_EQ(rows[1][0], "001");
  EXPECT_EQ(rows[1][1], "艾丝缇");
  const CharRecord hero = *ReadCharRecord(image, 1);
  EXPECT_EQ(rows[1][2], std::to_string(hero.Base[0]));
  EXPECT_EQ(rows[1][17], std::to_string(hero.Growth[7]));

  EXPECT_EQ(rows[35][1], "剑豪");  // class list position 2
  const ClassRecord cls = *ReadClassRecord(image, 2);
  EXPECT_EQ(rows[35][2], std::to_string(cls.Base[0]));
  EXPECT_EQ(rows[35][25], std::to_string(cls.Cap[7]));

  const auto& potion = rows[99];  // id 28, the last item
  EXPECT_EQ(potion[0], "28");
  EXPECT_EQ(potion[1], "力量之药");
  const ItemRecord item = *ReadItemRecord(image, 0x28 - 1);
  EXPECT_EQ(potion[2], std::to_string(item.Price));
  EXPECT_GT(item.Price, 32767);  // shown unsigned
  EXPECT_EQ(potion[8], std::to_string(item.Range1));
  EXPECT_EQ(potion[9], std::to_string(item.Range2));

  const std::string json = Export(rom, {"--format", "json", "--kind", "item"});
  EXPECT_EQ(json.rfind("{\n  \"items\": [\n    {\"id\": \"01\", \"name\": \"青铜剑\", \"price\": ", 0), 0u) << json;
  EXPECT_EQ(json.find("characters"), std::string::npos);
}

TEST_P(LayoutTest, ExportThenImportLeavesTheRomAsItWas) {
  const fs::path rom = MakeRom("demo.nds", GetParam());
  const Bytes before = ReadBytes(rom);
  const auto stamp = fs::last_write_time(rom);
  for (const auto& options : std::vector<std::vector<std::string>>{
           {}, {"--format", "json"}, {"--kind", "class"}, {"--kind", "char", "--format", "json"}}) {
    const RunResult r = Import(rom, "all.txt", Export(rom, options));
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("no value changed"), std::string::npos);
  }
  EXPECT_EQ(ReadBytes(rom), before);
  EXPECT_EQ(fs::last_write_time(rom), stamp);
  EXPECT_EQ(std::distance(fs::directory_iterator(FProgram / "RomData"), fs::directory_iterator()), 1)
      << "only the lock file stays";
}

TEST_P(LayoutTest, ImportChangesExactlyTheFieldsBytes) {
  const fs::path rom = MakeRom("demo.nds", GetParam());
  const Bytes before = ReadBytes(rom);
  const Bytes oldImage = UnpackedImage(before, PointerTable());

  // Values chosen to differ from the demo data.
  ASSERT_NE(ReadCharRecord(oldImage, 1)->Base[0], -5);
  ASSERT_NE(ReadClassRecord(oldImage, 2)->Cap[7], 100);
  ASSERT_NE(ReadItemRecord(oldImage, 4)->Price, 65535);
  ASSERT_NE(ReadItemRecord(oldImage, 4)->Range1, 15);
  ASSERT_NE(ReadItemRecord(oldImage, 4)->Bonus[7], 200);
  // Both files as spreadsheets save them, with a UTF-8 byte-order mark.
  const std::string csv =
      "\xEF\xBB\xBFid,name,base_hp\r\n001,ignored,-5\r\n\r\n"
      "index,cap_res\r\n2,100\r\n\r\n"
      "id,price,range1,bonus_res\r\n05,65535,15,200\r\n";
  RunResult r = Import(rom, "edit.csv", csv);
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("saved"), std::string::npos);
  // The first import kept the ROM as it was beside it; the second leaves
  // that copy alone.
  EXPECT_EQ(ReadBytes(rom.string() + ".bak"), before);
  r = Import(rom, "edit.json", "\xEF\xBB\xBF{\"items\": [{\"id\": \"01\", \"hit\": 7}]}");
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(ReadBytes(rom.string() + ".bak"), before);

  const Bytes after = ReadBytes(rom);
  const Bytes newImage = UnpackedImage(after, PointerTable());
  const int item4 = kItemTableOffset + 4 * kItemRecordSize;
  const std::set<int> owned{
      kCharRecordSize + kCharBaseOffset, kClassTableOffset + 2 * kClassRecordSize + kClassCapOffset + 7,
      item4 + kItemPriceOffset,          item4 + kItemPriceOffset + 1,
      item4 + kItemRangeOffset,          item4 + kItemBonusOffset + 7,
      kItemTableOffset + kItemHitOffset};
  ASSERT_EQ(newImage.size(), oldImage.size());
  for (std::size_t i = 0; i < newImage.size(); ++i)
    EXPECT_EQ(newImage[i] != oldImage[i], owned.count(static_cast<int>(i)) == 1) << "image byte " << i;
  EXPECT_EQ(static_cast<int8_t>(newImage[kCharRecordSize + kCharBaseOffset]), -5);
  EXPECT_EQ(newImage[item4 + kItemRangeOffset] >> 4, 15);
  EXPECT_EQ(newImage[item4 + kItemRangeOffset] & 15, oldImage[item4 + kItemRangeOffset] & 15);

  // In the ROM only the block region and the end pointer may change.
  ASSERT_EQ(after.size(), before.size());
  const uint32_t oldEnd = U32(before, PointerTable() + 4), newEnd = U32(after, PointerTable() + 4);
  EXPECT_EQ(U32(after, PointerTable()), U32(before, PointerTable()));
  auto same = [&](std::size_t from, std::size_t to) {
    return std::equal(after.begin() + from, after.begin() + to, before.begin() + from);
  };
  EXPECT_TRUE(same(0, PointerTable() + 4));
  EXPECT_TRUE(same(PointerTable() + 8, WriteBack()));
  EXPECT_TRUE(same(std::max(oldEnd, newEnd), after.size()));
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutTest, ::testing::Values(false, true),
                         [](const auto& p) { return p.param ? "Alternate" : "Primary"; });

TEST_F(CliTest, NamesWithCommasAndQuotesAreQuoted) {
  WriteText(FProgram / "Data" / "Char.dat", "001Comma, \"Quote\"\r\n002Plain\r\n");
  const fs::path rom = MakeRom("demo.nds", false);
  RunResult r = Cli({"export", rom.string(), "--kind", "char"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("\n001,\"Comma, \"\"Quote\"\"\","), std::string::npos) << r.Out;
  WriteText(FDir / "chars.csv", r.Out);
  r = Cli({"export", rom.string(), "--kind", "char", "--format", "json"});
  EXPECT_NE(r.Out.find("\"name\": \"Comma, \\\"Quote\\\"\""), std::string::npos) << r.Out;

  const Bytes before = ReadBytes(rom);
  r = Cli({"import", rom.string(), (FDir / "chars.csv").string()});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(ReadBytes(rom), before);
}

}  // namespace

}  // namespace kora::clitest
