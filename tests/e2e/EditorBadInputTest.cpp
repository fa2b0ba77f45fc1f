// What the window says about input made to hurt: a packer that reports
// success for a block that does not unpack, and the journal of a cut-short
// save that cannot be used. The ROM stays as it was, the window goes on.

#include <filesystem>
#include <string>

#include "EditorE2eSupport.h"
#include "editor/EditorTestSupport.h"

namespace kora::test {
namespace {

namespace fs = std::filesystem;

class EditorBadInputTest : public EditorE2eTest {};

TEST_F(EditorBadInputTest, ABlockThatDoesNotUnpackToTheDataIsNeverSaved) {
  OpenWindow();
  OpenThroughMenu(Rom);
  ShowPage(0);
  PickRow(Part<TbsSkinComboBox>("bsSkinComboBox3"), 0);
  ClickOn(Part<TbsSkinButton>("bsSkinButton4"));
  ClickOn(Part<TbsSkinButton>("bsSkinButton1"));
  const DataImage edited = Form->Session()->Image();
  const std::string original = ReadFileBytes(Rom);

  // The real packer's block, its last four bytes dropped; the exit code 0.
  const std::string packer = Program + "Tool/agblz";
  fs::rename(packer, packer + ".real");
  ReplacePacker(Program, "\"$0.real\" \"$@\" || exit\n[ \"$1\" = z ] && truncate -s -4 \"$3\"\nexit 0\n");
  SaveThroughMenu(true);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_TRUE(Boxes[0].Text.starts_with("打包后的数据块无法再解包(")) << Boxes[0].Text;
  EXPECT_TRUE(Boxes[0].Text.ends_with("); ROM 未被改动")) << Boxes[0].Text;
  EXPECT_TRUE(FileHolds(Rom, original));
  EXPECT_FALSE(fs::exists(Program + "RomData/romDataCheck.bin"));
  ExpectNothingOpen();

  // The packer as it was: the same edit saves.
  fs::remove(packer);
  fs::rename(packer + ".real", packer);
  SaveThroughMenu();
  EXPECT_EQ(Boxes.back().Text, "数据导入成功!\n\r谢谢使用!");
  EXPECT_EQ(DecodeRom(Rom).Image, edited);
}

TEST_F(EditorBadInputTest, AJournalThatCannotBeUsedIsSetAsideAndTheOpenGoesOn) {
  const std::string journal = Program + "RomData/romData.journal";
  WriteFileBytes(journal, "KORAJRN1 and nothing a save would have left");
  OpenWindow();
  OpenThroughMenu(Rom, 1);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Text, "上次未完成的保存留下的日志无法使用(日志不完整或已损坏), 已改名为 \"" + journal +
                               ".bad\" 保留; ROM 未被改动。");
  EXPECT_FALSE(fs::exists(journal));
  EXPECT_EQ(ReadFileBytes(journal + ".bad"), "KORAJRN1 and nothing a save would have left");
  EXPECT_TRUE(Form->Session()->IsOpen());
  EXPECT_EQ(Form->Session()->Image(), DecodeRom(Rom).Image);
  ExpectNothingOpen();
}

}  // namespace
}  // namespace kora::test
