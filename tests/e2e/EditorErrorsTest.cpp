// What goes wrong while a person opens and saves, by mouse and keys: the
// open dialog cancelled, malformed ROMs, a packer that is missing, crashes
// or fails, a ROM that cannot be written, no working folder, a block that
// outgrows its room. Each is reported in the message box, closed with Enter
// (failed opens) or a click on its button (failed saves); nothing stays
// open, the ROM files are byte for byte what they were, and the window goes
// on working.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "EditorE2eSupport.h"
#include "editor/EditorTestSupport.h"

namespace kora::test {
namespace {

namespace fs = std::filesystem;

class EditorErrorsTest : public EditorE2eTest {
protected:
  std::string PackedFile() const { return Program + "RomData/romData.bin"; }
  std::string UnpackedFile() const { return Program + "RomData/romDataUnPack.bin"; }
  std::string CannotOpen(const std::string& path, const char* reason = "No such file or directory") const {
    return "Cannot open file \"" + path + "\". " + reason;
  }
  // What the window says of a packer that failed: at open or at save.
  std::string PackerFailed(const std::string& how, bool atSave) const {
    return "打包程序 \"" + Program + "Tool/agblz\" " + how +
           (atSave ? ", 数据没有打包成功; ROM 未被改动" : ", 没有解包出 ROM 的数据块; ROM 未被打开");
  }
  // The boxes seen since `from`, as "caption: text" lines.
  std::vector<std::string> BoxesSince(size_t from) const {
    std::vector<std::string> lines;
    for (size_t i = from; i < Boxes.size(); ++i) lines.push_back(Boxes[i].Caption + ": " + Boxes[i].Text);
    return lines;
  }
  // The packer as the build made it, back in place.
  void RestorePacker() const {
    fs::remove(Program + "Tool/agblz");
    fs::copy_file(fs::path(KORA_PROGRAM_DIR) / "Tool" / "agblz", Program + "Tool/agblz");
  }
  // The first character raised with "+" and taken: an edit waiting for a save.
  void RaiseFirstCharacter() {
    ShowPage(0);
    PickRow(Part<TbsSkinComboBox>("bsSkinComboBox3"), 0);
    ClickOn(Part<TbsSkinButton>("bsSkinButton4"));
    ClickOn(Part<TbsSkinButton>("bsSkinButton1"));
  }
  // Saves through the menu expecting the one error report `text`.
  void ExpectSaveFails(const std::string& text) {
    const size_t from = Boxes.size();
    SaveThroughMenu(true);
    EXPECT_EQ(BoxesSince(from), std::vector<std::string>{"Kora Editor: " + text});
    ExpectNothingOpen();
  }
  void ExpectOpenFails(const std::string& rom, const std::string& text) {
    const size_t from = Boxes.size();
    OpenThroughMenu(rom, 1);
    EXPECT_EQ(BoxesSince(from), std::vector<std::string>{"Kora Editor: " + text});
    ExpectNothingOpen();
  }
};

TEST_F(EditorErrorsTest, CancellingTheOpenDialogByEscapeOrItsButtonChangesNothing) {
  OpenWindow();
  const std::string original = ReadFileBytes(Rom);
  auto* pages = Part<TbsSkinPageControl>("bsSkinPageControl1");
  auto* save = Part<TMenuItem>("N4");
  for (const bool byEscape : {true, false}) {
    CancelOpenDialog(byEscape);
    MenuCommand("文件(&F)", "选择ROM(&C)");
    ExpectNothingOpen();
    EXPECT_FALSE(Form->Session()->IsOpen());
    EXPECT_FALSE(pages->Enabled());
    EXPECT_FALSE(save->Enabled());
  }
  OpenThroughMenu(Rom);
  ASSERT_TRUE(Form->Session()->IsOpen());
  // Once a ROM is open, cancelling keeps it and the save command.
  for (const bool byEscape : {true, false}) {
    CancelOpenDialog(byEscape);
    MenuCommand("文件(&F)", "选择ROM(&C)");
    ExpectNothingOpen();
    EXPECT_EQ(Form->Session()->RomFileName(), Rom);
    EXPECT_TRUE(pages->Enabled());
    EXPECT_TRUE(save->Enabled());
  }
  EXPECT_TRUE(Boxes.empty());
  EXPECT_TRUE(FileHolds(Rom, original));
  ExpectOpensAndShows(Rom);
}

TEST_F(EditorErrorsTest, MalformedRomsAreReportedAndAFailedOpenKeepsTheRomBefore) {
  const std::string demo = ReadFileBytes(Rom);
  const DecodedRom decoded = DecodeRom(Rom);
  struct Bad {
    std::string Name;
    std::string Bytes;
    std::string Text;  // empty: checked by its beginning below
  };
  std::vector<Bad> bad;
  bad.push_back({"short.nds", demo.substr(0, 0x100000), "ROM 文件太短, 放不下数据指针(1048576 字节)"});
  const size_t cut = decoded.Layout.BlockStart + 0x100;
  bad.push_back({"cut.nds", demo.substr(0, cut),
                 Format("ROM 的数据块(0x%X..0x%X)超出了文件的末尾(文件共 %zu 字节)", decoded.Layout.BlockStart,
                        decoded.Layout.BlockEnd, cut)});
  std::string noise(0x300000, '\0');
  uint32_t seed = 0x4B6F7261;
  for (char& c : noise) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 24);
  }
  bad.push_back({"noise.nds", noise, ""});
  // A block the packer cannot unpack behind a whole header: it writes
  // nothing and says why.
  std::string garbled = demo;
  for (size_t i = decoded.Layout.BlockStart + 4; i < decoded.Layout.BlockStart + 64; ++i) garbled[i] = '\xEE';
  bad.push_back(
      {"garbled.nds", garbled,
       PackerFailed("以退出码 1 结束, 其错误输出为: agblz: \"" + PackedFile() + "\": reference before the start",
                    false)});
  for (const Bad& b : bad) WriteFileBytes(Dir + b.Name, b.Bytes);

  OpenWindow();
  for (const bool romOpen : {false, true}) {
    SCOPED_TRACE(romOpen ? "with the demo ROM open" : "before any ROM");
    for (const Bad& b : bad) {
      SCOPED_TRACE(b.Name);
      const size_t from = Boxes.size();
      OpenThroughMenu(Dir + b.Name, 1);
      ASSERT_EQ(Boxes.size(), from + 1);
      EXPECT_EQ(Boxes[from].Caption, "Kora Editor");
      if (b.Text.empty())
        EXPECT_TRUE(Boxes[from].Text.starts_with("ROM 的数据块")) << Boxes[from].Text;
      else
        EXPECT_EQ(Boxes[from].Text, b.Text);
      ExpectNothingOpen();
      EXPECT_TRUE(FileHolds(Dir + b.Name, b.Bytes));
      EXPECT_FALSE(fs::exists(PackedFile()));
      EXPECT_EQ(Form->Session()->IsOpen(), romOpen);
      EXPECT_EQ(Part<TbsSkinPageControl>("bsSkinPageControl1")->Enabled(), romOpen);
      EXPECT_EQ(Part<TMenuItem>("N4")->Enabled(), romOpen);
      if (romOpen) {
        EXPECT_EQ(Form->Session()->RomFileName(), Rom);
        EXPECT_EQ(Form->Session()->Image(), decoded.Image);
      }
    }
    if (!romOpen) ExpectOpensAndShows(Rom);
  }
  // The ROM kept open still takes an edit and a save.
  RaiseFirstCharacter();
  const size_t from = Boxes.size();
  SaveThroughMenu();
  EXPECT_EQ(BoxesSince(from), std::vector<std::string>{"信息: 数据导入成功!\n\r谢谢使用!"});
  EXPECT_NE(DecodeRom(Rom).Image, decoded.Image);
}

TEST_F(EditorErrorsTest, APackerMissingCrashingOrFailingIsReportedAndNeverReachesTheRom) {
  OpenWindow();
  const std::string original = ReadFileBytes(Rom);
  struct Fault {
    const char* Packer;  // null: none there
    const char* What;
  };
  const std::vector<Fault> atOpen = {{nullptr, "不存在"},
                                     {"kill -KILL $$\n", "被信号 9 (Killed) 终止"},
                                     {"kill -SEGV $$\n", "被信号 11 (Segmentation fault) 终止"},
                                     {"echo 'no room' >&2; exit 3\n", "以退出码 3 结束, 其错误输出为: no room"}};
  for (const Fault& fault : atOpen) {
    SCOPED_TRACE(std::string("at open, packer ") + fault.What);
    if (fault.Packer)
      ReplacePacker(Program, fault.Packer);
    else
      fs::remove(Program + "Tool/agblz");
    ExpectOpenFails(Rom, PackerFailed(fault.What, false));
    EXPECT_FALSE(Form->Session()->IsOpen());
    EXPECT_FALSE(fs::exists(PackedFile()));
  }
  EXPECT_TRUE(FileHolds(Rom, original));

  RestorePacker();
  ExpectOpensAndShows(Rom);
  RaiseFirstCharacter();
  const DataImage edited = Form->Session()->Image();
  // At save the real packer's output may even be there, or a part of it:
  // a packer that did not end well has it go nowhere.
  fs::copy_file(Program + "Tool/agblz", Program + "Tool/agblz.real");
  struct SaveFault {
    const char* Packer;  // null: none there
    const char* What;
    std::string Text;
  };
  const std::vector<SaveFault> atSave = {
      {nullptr, "missing", PackerFailed("不存在", true)},
      {"kill -KILL $$\n", "killed", PackerFailed("被信号 9 (Killed) 终止", true)},
      {"exit 3\n", "failed", PackerFailed("以退出码 3 结束", true)},
      {"\"$0.real\" \"$@\"; head -c 1000 \"$3\" > \"$3.part\"; mv \"$3.part\" \"$3\"; kill -KILL $$\n",
       "killed after writing a part", PackerFailed("被信号 9 (Killed) 终止", true)},
      {"\"$0.real\" \"$@\"; echo 'disk full' >&2; exit 1\n", "failed after writing",
       PackerFailed("以退出码 1 结束, 其错误输出为: disk full", true)},
  };
  for (const SaveFault& fault : atSave) {
    SCOPED_TRACE(std::string("at save, packer ") + fault.What);
    if (fault.Packer)
      ReplacePacker(Program, fault.Packer);
    else
      fs::remove(Program + "Tool/agblz");
    ExpectSaveFails(fault.Text);
    EXPECT_TRUE(FileHolds(Rom, original));
    EXPECT_FALSE(fs::exists(PackedFile()));
    EXPECT_EQ(Form->Session()->Image(), edited);
  }

  // The packer back: the same edit saves.
  RestorePacker();
  const size_t from = Boxes.size();
  SaveThroughMenu();
  EXPECT_EQ(BoxesSince(from), std::vector<std::string>{"信息: 数据导入成功!\n\r谢谢使用!"});
  EXPECT_EQ(DecodeRom(Rom).Image, edited);
}

// The immutable flag stops even root; a test that stopped half-way could
// leave it behind, so it is cleared before the test's folder is emptied.
bool SetImmutable(const std::string& path, bool on) {
  const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (handle < 0) return false;
  int flags = 0;
  bool done = ::ioctl(handle, FS_IOC_GETFLAGS, &flags) == 0;
  if (done) {
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = ::ioctl(handle, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(handle);
  return done;
}

bool Writable(const std::string& path) {
  const int handle = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (handle < 0) return false;
  ::close(handle);
  return true;
}

class EditorReadOnlyRomTest : public EditorErrorsTest {
protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    FLocked = std::string(KORA_TEST_TMP) + "/" + test->test_suite_name() + "." + test->name() + "/game.nds";
    SetImmutable(FLocked, false);
    EditorErrorsTest::SetUp();
  }
  void TearDown() override {
    SetImmutable(FLocked, false);
    EditorErrorsTest::TearDown();
  }
  // Read-only as a person makes it; where that does not stop us (root),
  // immutable. Returns the error text the system gives, empty when neither
  // stops a write.
  std::string MakeReadOnly(const std::string& path) {
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    if (!Writable(path)) return "Permission denied";
    if (SetImmutable(path, true) && !Writable(path)) return "Operation not permitted";
    return "";
  }
  std::string FLocked;
};

TEST_F(EditorReadOnlyRomTest, ARomThatCannotBeWrittenIsReportedAtSaveAndStaysAsItWas) {
  OpenWindow();
  OpenThroughMenu(Rom);
  ASSERT_TRUE(Form->Session()->IsOpen());
  RaiseFirstCharacter();
  const std::string original = ReadFileBytes(Rom);
  const std::string reason = MakeReadOnly(Rom);
  if (reason.empty()) GTEST_SKIP() << "neither the mode 0444 nor the immutable flag stops this user writing";

  ExpectSaveFails(CannotOpen(Rom, reason.c_str()) + "; ROM 未被改动");
  EXPECT_TRUE(FileHolds(Rom, original));
  EXPECT_FALSE(fs::exists(Form->Session()->JournalFileName()));

  // Writable again, the same edit saves.
  SetImmutable(Rom, false);
  fs::permissions(Rom, fs::perms::owner_read | fs::perms::owner_write);
  const DataImage edited = Form->Session()->Image();
  const size_t from = Boxes.size();
  SaveThroughMenu();
  EXPECT_EQ(BoxesSince(from), std::vector<std::string>{"信息: 数据导入成功!\n\r谢谢使用!"});
  EXPECT_EQ(DecodeRom(Rom).Image, edited);
}

// A ROM the user may not write is said to be so as it opens: it can be
// viewed, the caption says so and saving stays off, Ctrl+S included.
TEST_F(EditorReadOnlyRomTest, AReadOnlyRomIsSaidAtOnceAndCannotBeSaved) {
  const std::string original = ReadFileBytes(Rom);
  if (MakeReadOnly(Rom).empty()) GTEST_SKIP() << "neither the mode 0444 nor the immutable flag stops this user writing";
  OpenWindow();
  OpenThroughMenu(Rom, 1);
  ASSERT_TRUE(Form->Session()->IsOpen());
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_NE(Boxes[0].Text.find("只读"), std::string::npos) << Boxes[0].Text;
  EXPECT_NE(Boxes[0].Text.find(Rom), std::string::npos) << Boxes[0].Text;
  EXPECT_EQ(Form->Caption(), "Kora Editor - game.nds [只读]");
  EXPECT_FALSE(Part<TMenuItem>("N4")->Enabled());
  RaiseFirstCharacter();
  EXPECT_EQ(Form->Caption(), "Kora Editor - game.nds [只读] *");
  CtrlKey('S');
  Screen.RunUntilIdle();
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_TRUE(FileHolds(Rom, original));
}

// A backup that cannot be made stops the save before the ROM is touched,
// and says why; a ROM that vanished after it was opened as well.
TEST_F(EditorErrorsTest, ASaveWithoutItsBackupIsRefusedAndTheRomStaysAsItWas) {
  const std::string folder = Dir + "locked/";
  const std::string rom = folder + "game.nds";
  fs::create_directories(folder);
  fs::copy_file(Rom, rom);
  const std::string original = ReadFileBytes(rom);
  OpenWindow();
  OpenThroughMenu(rom);
  RaiseFirstCharacter();
  if (!SetImmutable(folder, true)) GTEST_SKIP() << "the folder cannot be made immutable here";
  ExpectSaveFails("无法建立 ROM 的备份 \"" + rom + ".bak\"。Operation not permitted; ROM 未被改动");
  SetImmutable(folder, false);
  EXPECT_TRUE(FileHolds(rom, original));
  EXPECT_FALSE(fs::exists(rom + ".bak"));
  EXPECT_FALSE(fs::exists(rom + ".bak.part"));

  // The ROM taken away: no backup to make of it, nothing written.
  fs::rename(rom, folder + "moved.nds");
  ExpectSaveFails("无法建立 ROM 的备份 \"" + rom + ".bak\"。No such file or directory; ROM 未被改动");
  EXPECT_FALSE(fs::exists(rom));
  // Back in place, the same edit saves, and the backup is the original.
  fs::rename(folder + "moved.nds", rom);
  const DataImage edited = Form->Session()->Image();
  SaveThroughMenu();
  EXPECT_TRUE(FileHolds(rom + ".bak", original));
  EXPECT_EQ(DecodeRom(rom).Image, edited);
}

TEST_F(EditorErrorsTest, WithoutAWorkingFolderOpeningIsReportedUntilThereIsOne) {
  const std::string original = ReadFileBytes(Rom);
  const std::string lock = Program + "RomData/kora-cli.lock";
  fs::remove_all(Program + "RomData");
  OpenWindow();
  ExpectOpenFails(Rom, "Cannot create file \"" + lock + "\". No such file or directory");
  EXPECT_FALSE(Form->Session()->IsOpen());
  // A file where the folder should be cannot hold the working files either.
  WriteFileBytes(Program + "RomData", "not a folder");
  ExpectOpenFails(Rom, "Cannot create file \"" + lock + "\". Not a directory");
  EXPECT_FALSE(Form->Session()->IsOpen());
  EXPECT_TRUE(FileHolds(Program + "RomData", "not a folder"));
  EXPECT_TRUE(FileHolds(Rom, original));

  fs::remove(Program + "RomData");
  fs::create_directory(Program + "RomData");
  ExpectOpensAndShows(Rom);
}

TEST_F(EditorErrorsTest, ABlockThatOutgrowsItsRoomIsRefusedAndTheRomStaysAsItWas) {
  // The file after the block moved up to the block's end: no room to grow.
  const DecodedRom decoded = DecodeRom(Rom);
  const uint32_t fat = GetU32(Rom, kFatOffsetField), fatSize = GetU32(Rom, kFatSizeField);
  bool moved = false;
  for (uint32_t at = fat; at + 8 <= fat + fatSize; at += 8) {
    if (GetU32(Rom, at) <= decoded.Layout.BlockStart) continue;
    PutU32(Rom, at, decoded.Layout.BlockEnd);
    moved = true;
  }
  ASSERT_TRUE(moved);
  const uint32_t room = decoded.Layout.BlockEnd - decoded.Layout.BlockStart;
  ASSERT_EQ(InspectRom(Rom).Room, room);
  const std::string original = ReadFileBytes(Rom);

  OpenWindow();
  OpenThroughMenu(Rom);
  ASSERT_TRUE(Form->Session()->IsOpen());
  // Two characters raised by "+" pack a few bytes longer.
  auto* characters = Part<TbsSkinComboBox>("bsSkinComboBox3");
  for (const int row : {0, 1}) {
    PickRow(characters, row);
    ClickOn(Part<TbsSkinButton>("bsSkinButton4"));
    ClickOn(Part<TbsSkinButton>("bsSkinButton1"));
  }
  const size_t packed = lz::Pack(Form->Session()->Image()).size();
  ASSERT_GT(packed, room);
  ExpectSaveFails(Format("打包后的数据(%zu 字节)超过了可用的 %u 字节空间(位于 0x%X); ROM 未被改动", packed, room,
                         kPrimaryWriteBackOffset));
  EXPECT_TRUE(FileHolds(Rom, original));

  // Taken back with "-", the data fits again and saves.
  for (const int row : {0, 1}) {
    PickRow(characters, row);
    ClickOn(Part<TbsSkinButton>("bsSkinButton5"));
    ClickOn(Part<TbsSkinButton>("bsSkinButton1"));
  }
  ASSERT_LE(lz::Pack(Form->Session()->Image()).size(), room);
  const size_t from = Boxes.size();
  SaveThroughMenu();
  EXPECT_EQ(BoxesSince(from), std::vector<std::string>{"信息: 数据导入成功!\n\r谢谢使用!"});
  EXPECT_EQ(DecodeRom(Rom).Image, Form->Session()->Image());
}

TEST_F(EditorErrorsTest, AFieldLeftEmptyShowsItsNumberAgainAndTheTakeStoresWhatIsShown) {
  OpenWindow();
  OpenThroughMenu(Rom);
  ASSERT_TRUE(Form->Session()->IsOpen());
  PickRow(Part<TbsSkinComboBox>("bsSkinComboBox3"), 0);
  const int stats = 80 * Form->Lists().CharRecordAt(0) + 44;
  DataImage expected = Form->Session()->Image();
  const std::string third = Field(3)->Text();
  TypeValue(Field(1), "99");
  Screen.Click(Middle(Field(3)->Edit()));
  CtrlKey('A');
  Screen.PressKey(VK_BACK);
  Screen.RunUntilIdle();
  ASSERT_EQ(Field(3)->Text(), "");
  TypeValue(Field(4), "97");
  // Focus leaving the emptied field gave it its number back, so "确定" finds
  // no text that is not a number.
  EXPECT_EQ(Field(3)->Text(), third);
  ClickOn(Part<TbsSkinButton>("bsSkinButton1"));
  ExpectNothingOpen();
  EXPECT_TRUE(Boxes.empty());
  expected[size_t(stats)] = 99;
  expected[size_t(stats + 3)] = 97;
  EXPECT_EQ(Form->Session()->Image(), expected);
}

}  // namespace
}  // namespace kora::test
