// A whole editing session by mouse and keys: the demo ROM opened through
// the File menu and the open dialog, a record picked and changed on each of
// the three pages (typed values, the spin buttons, the pages' "+" and "-"),
// taken with "确定", saved through the menu, the message box closed. The
// saved ROM is then read back with the data core: exactly the changed
// fields differ in its data, and in the file only the block and its end
// pointer.

#include <algorithm>
#include <string>
#include <vector>

#include "EditorE2eSupport.h"

namespace kora::test {
namespace {

using EditorFlowTest = EditorE2eTest;

// Offsets at which two images differ, for a readable failure.
std::vector<size_t> DifferingOffsets(const DataImage& a, const DataImage& b) {
  std::vector<size_t> offsets;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) offsets.push_back(i);
  return offsets;
}

int Clamped(int value, int low, int high) { return std::clamp(value, low, high); }

TEST_F(EditorFlowTest, OpenChangeTakeAndSaveOnEveryPageChangesExactlyThoseBytes) {
  ShotPrefix = "e2e-flow";
  OpenWindow();
  const std::string original = ReadFileBytes(Rom);
  const DecodedRom before = DecodeRom(Rom);
  auto* pages = Part<TbsSkinPageControl>("bsSkinPageControl1");
  EXPECT_FALSE(pages->Enabled());
  EXPECT_FALSE(Part<TMenuItem>("N4")->Enabled());

  OpenThroughMenu(Rom);
  ASSERT_TRUE(Form->Session()->IsOpen());
  EXPECT_EQ(Form->Session()->RomFileName(), Rom);
  EXPECT_TRUE(pages->Enabled());
  EXPECT_TRUE(Part<TMenuItem>("N4")->Enabled());
  EXPECT_EQ(Form->Session()->Image(), before.Image);
  Screen.SaveArtifact("e2e-flow-1-opened");

  DataImage expected = before.Image;
  const auto at = [&](int offset) { return int(before.Image[size_t(offset)]); };
  const auto signedAt = [&](int offset) { return int(int8_t(before.Image[size_t(offset)])); };

  // Page 1: the second character (id 002, record 2), picked with the mouse.
  auto* characters = Part<TbsSkinComboBox>("bsSkinComboBox3");
  PickRow(characters, 1);
  ASSERT_EQ(characters->ItemIndex(), 1);
  const int charStats = 80 * 2 + 44;
  std::vector<int> stats(16);
  for (int i = 0; i < 16; ++i) {
    stats[size_t(i)] = signedAt(charStats + i);
    EXPECT_EQ(Field(1 + i)->Text(), std::to_string(stats[size_t(i)])) << "character field " << i;
  }
  TypeValue(Field(1), "42");
  TypeValue(Field(9), "-7");
  ClickSpinButton(Field(2), true);  // the step of 5
  stats[0] = 42;
  stats[8] = -7;
  stats[1] = Clamped(stats[1] + 5, -128, 127);
  ClickOn(Part<TbsSkinButton>("bsSkinButton4"));  // "+": every field by 10
  for (int i = 0; i < 16; ++i) {
    stats[size_t(i)] = Clamped(stats[size_t(i)] + 10, -128, 127);
    EXPECT_EQ(Field(1 + i)->Text(), std::to_string(stats[size_t(i)])) << "character field " << i;
    expected[size_t(charStats + i)] = uint8_t(stats[size_t(i)]);
  }
  ClickOn(Part<TbsSkinButton>("bsSkinButton1"));  // "确定"
  Screen.SaveArtifact("e2e-flow-2-character");

  // Page 2: the third class, by keys in the list the click opened.
  ShowPage(1);
  ASSERT_EQ(pages->ActivePageIndex(), 1);
  auto* classes = Part<TbsSkinComboBox>("bsSkinComboBox1");
  ClickOn(classes);
  ASSERT_TRUE(classes->DroppedDown());
  Press(VK_DOWN);
  Press(VK_DOWN);
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_FALSE(classes->DroppedDown());
  ASSERT_EQ(classes->ItemIndex(), 2);
  const int classBase = 29960 + 92 * 2, classCaps = classBase + 24;
  std::vector<int> care(24);
  for (int i = 0; i < 16; ++i) care[size_t(i)] = signedAt(classBase + i);
  for (int i = 0; i < 8; ++i) care[size_t(16 + i)] = signedAt(classCaps + i);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(Field(21 + i)->Text(), std::to_string(care[size_t(i)])) << "class field " << i;
  TypeValue(Field(21), "33");
  TypeValue(Field(37), "60");
  ClickSpinButton(Field(29), false);
  care[0] = 33;
  care[16] = 60;
  care[8] = Clamped(care[8] - 5, -128, 127);
  ClickOn(Part<TbsSkinButton>("bsSkinButton6"));  // "-": all 24 by 10
  for (int i = 0; i < 24; ++i) {
    care[size_t(i)] = Clamped(care[size_t(i)] - 10, -128, 127);
    EXPECT_EQ(Field(21 + i)->Text(), std::to_string(care[size_t(i)])) << "class field " << i;
    expected[size_t(i < 16 ? classBase + i : classCaps + i - 16)] = uint8_t(care[size_t(i)]);
  }
  ClickOn(Part<TbsSkinButton>("bsSkinButton2"));
  Screen.SaveArtifact("e2e-flow-3-class");

  // Page 3: the third item (id 03, record 2): price, range, a bonus, might.
  ShowPage(2);
  ASSERT_EQ(pages->ActivePageIndex(), 2);
  auto* items = Part<TbsSkinComboBox>("bsSkinComboBox2");
  PickRow(items, 2);
  ASSERT_EQ(items->ItemIndex(), 2);
  const int itemBase = 34724 + 60 * 2;
  EXPECT_EQ(Field(53)->Text(), std::to_string(at(itemBase - 6) + 256 * at(itemBase - 5)));
  EXPECT_EQ(Field(56)->Text(), std::to_string(at(itemBase + 1)));
  EXPECT_EQ(Field(60)->Text(), std::to_string(at(itemBase + 5) >> 4));
  EXPECT_EQ(Field(61)->Text(), std::to_string(at(itemBase + 5) & 15));
  TypeValue(Field(53), "1234");
  TypeValue(Field(60), "2");
  TypeValue(Field(61), "13");
  TypeValue(Field(45), "7");
  ClickSpinButton(Field(56), true);
  const int might = Clamped(at(itemBase + 1) + 5, 0, 255);
  EXPECT_EQ(Field(56)->Text(), std::to_string(might));
  ClickOn(Part<TbsSkinButton>("bsSkinButton3"));
  expected[size_t(itemBase - 6)] = 0xD2;  // 1234 = 0x04D2, low byte first
  expected[size_t(itemBase - 5)] = 0x04;
  expected[size_t(itemBase + 1)] = uint8_t(might);
  expected[size_t(itemBase + 5)] = 0x2D;
  expected[size_t(itemBase + 8)] = 7;
  Screen.SaveArtifact("e2e-flow-4-item");

  // Nothing reaches the ROM before the save.
  EXPECT_TRUE(FileHolds(Rom, original));
  SaveThroughMenu(true);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Caption, "信息");
  EXPECT_EQ(Boxes[0].Text, "数据导入成功!\n\r谢谢使用!");
  ExpectNothingOpen();

  // The data as the data core reads it back: the image we expect, which
  // differs from the original in the changed fields only.
  const DecodedRom after = DecodeRom(Rom);
  const std::vector<size_t> changed = DifferingOffsets(before.Image, expected);
  EXPECT_GE(changed.size(), 30u);
  ASSERT_EQ(after.Image.size(), size_t(kDataImageSize));
  EXPECT_EQ(DifferingOffsets(before.Image, after.Image), changed);
  EXPECT_EQ(DifferingOffsets(expected, after.Image), std::vector<size_t>{});

  // The file: the same length, the same start pointer, the end pointer at
  // the write-back offset plus the packed working file's length; every byte
  // outside [write-back offset, the further of the old and new block ends)
  // and outside the end pointer's four bytes is the original's.
  const std::string saved = ReadFileBytes(Rom);
  ASSERT_EQ(saved.size(), original.size());
  const RomLayout& oldLayout = before.Layout;
  const RomLayout& newLayout = after.Layout;
  EXPECT_EQ(newLayout.PointerTableOffset, oldLayout.PointerTableOffset);
  EXPECT_EQ(newLayout.BlockStart, oldLayout.BlockStart);
  EXPECT_EQ(newLayout.BlockEnd - newLayout.BlockStart, uint32_t(FileSizeOf(Form->Session()->PackedFileName())));
  const size_t blockFrom = oldLayout.WriteBackOffset();
  const size_t blockTo = std::max(oldLayout.BlockEnd, newLayout.BlockEnd);
  const size_t endPointer = oldLayout.PointerTableOffset + 4;
  size_t outside = 0, firstOutside = 0;
  for (size_t i = 0; i < saved.size(); ++i) {
    const bool allowed = (i >= blockFrom && i < blockTo) || (i >= endPointer && i < endPointer + 4);
    if (!allowed && saved[i] != original[i] && outside++ == 0) firstOutside = i;
  }
  EXPECT_EQ(outside, 0u) << "first at 0x" << std::hex << firstOutside;
  // A shorter block leaves the old one's tail where it was.
  for (size_t i = newLayout.BlockEnd; i < oldLayout.BlockEnd; ++i) ASSERT_EQ(saved[i], original[i]) << i;

  // The window goes on: the fields show what was saved.
  ShowPage(0);
  PickRow(characters, 0);
  PickRow(characters, 1);
  EXPECT_EQ(Field(1)->Text(), std::to_string(stats[0]));
}

}  // namespace
}  // namespace kora::test
