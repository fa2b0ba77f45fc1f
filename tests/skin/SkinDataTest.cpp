// TbsSkinData: loading archives of every shape, the model it builds, the
// lookups, and the change messages as the forms' windows receive them.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "framework/TempFolder.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/SkinTestSupport.h"
#include "skin/data/bszlib.h"

namespace kora {
namespace {

using test::ArchiveWriter;
using test::BmpBytes;

struct SeenMessage {
  HWND Window;
  UINT Message;
  WPARAM WParam;
  LPARAM LParam;
  bool Empty;
  bool Changing;
  int Controls;
};

std::vector<SeenMessage>& Seen() {
  static std::vector<SeenMessage> seen;
  return seen;
}

TbsSkinData* gObserved = nullptr;

LRESULT FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg >= SKINMSG_SKIN_CHANGING && msg <= SKINMSG_STRINGS_CHANGED)
    Seen().push_back(
        {hwnd, msg, wp, lp, gObserved->Empty(), gObserved->SkinChanging(), gObserved->ControlRecordCount()});
  return DefWindowProc(hwnd, msg, wp, lp);
}

// Forms are plain components here, each with a window the directory hands out.
class SkinDataTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&FScreen);
    WNDCLASS wc;
    wc.lpfnWndProc = &FormProc;
    wc.lpszClassName = "SkinForm";
    RegisterClass(&wc);
    Seen().clear();
    SetSkinFormDirectory({[this] { return static_cast<int>(FForms.size()); },
                          [this](int i) { return FForms[static_cast<std::size_t>(i)]; },
                          [this](TComponent* c) { return FWindows.count(c) ? FWindows[c] : HWND(); }});
  }
  void TearDown() override {
    SetSkinFormDirectory({});
    gObserved = nullptr;
    ResetWindowSystem();
    SetBackend(nullptr);
  }

  TComponent* AddForm() {
    FOwned.push_back(std::make_unique<TComponent>(nullptr));
    TComponent* form = FOwned.back().get();
    FForms.push_back(form);
    FWindows[form] = CreateWindowEx(0, "SkinForm", "form", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, HWND(), 0, nullptr);
    return form;
  }

  // A skin data whose loads the forms' windows observe.
  TbsSkinData& Observe(TbsSkinData& data) {
    gObserved = &data;
    return data;
  }

  std::string SkinArchive(const std::string& ini = test::SampleSkinIni()) {
    const std::string folder = test::TempFolder() + "skin";
    TbsCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinFolder(test::MakeSkinFolder(folder, ini, test::SamplePictures()));
    TMemoryStream archive;
    stored.InflateInto(archive);
    return std::string(archive.Bytes().begin(), archive.Bytes().end());
  }

  void Load(TbsSkinData& data, const std::string& archive) {
    TbsCompressedStoredSkin stored(nullptr);
    test::StoreArchive(stored, archive);
    data.LoadFromStoredSkin(&stored);
  }

  HeadlessBackend FScreen;
  std::vector<std::unique_ptr<TComponent>> FOwned;
  std::vector<TComponent*> FForms;
  std::map<TComponent*, HWND> FWindows;
};

TEST_F(SkinDataTest, LoadsTheWholeModel) {
  TbsSkinData data(nullptr);
  EXPECT_TRUE(data.Empty());
  EXPECT_EQ(data.SkinColors().BtnFace, 0);
  EXPECT_EQ(data.FormInfo().BGPictureIndex, -1);
  Load(data, SkinArchive());
  ASSERT_FALSE(data.Empty());
  EXPECT_FALSE(data.SkinChanging());

  EXPECT_EQ(data.VersionInfo().SkinName, "Sample");
  EXPECT_EQ(data.VersionInfo().SkinComments, "made for tests");
  EXPECT_EQ(data.PictureName(), "main.bmp");
  EXPECT_EQ(data.MaskPictureName(), "mask.bmp");
  EXPECT_EQ(data.Picture()->Width(), 300);
  EXPECT_EQ(data.Picture()->Height(), 215);
  EXPECT_TRUE(data.InactivePicture()->Empty());
  EXPECT_EQ(data.MaskPicture()->PixelFormat(), pf8bit);
  ASSERT_EQ(data.ActivePictureCount(), 3);
  EXPECT_EQ(data.ActivePictureNames()[1], "hint.bmp");
  EXPECT_EQ(data.ActivePictures(1)->Width(), 20);
  EXPECT_EQ(data.ActivePictures(2)->PixelFormat(), pf1bit);
  EXPECT_EQ(data.FindActivePicture(2), data.ActivePictures(2));
  EXPECT_EQ(data.FindActivePicture(3), nullptr);
  EXPECT_EQ(data.FindActivePicture(-1), nullptr);
  EXPECT_THROW(data.ActivePictures(3), EListError);

  EXPECT_EQ(data.SkinColors().BtnFace, 16641763);
  EXPECT_EQ(data.SkinColors().WindowText, 0);
  EXPECT_EQ(data.SkinColors().BtnShadow, clBtnShadow);
  EXPECT_EQ(data.FormInfo().InActiveEffect, ieDarkness);
  EXPECT_EQ(data.FormInfo().FormMinWidth, 120);
  EXPECT_EQ(data.PopupWindow().WindowPictureIndex, 0);
  EXPECT_EQ(data.PopupWindow().ItemsRect, (RECT{3, 3, 37, 27}));
  EXPECT_EQ(data.HintWindow().FontStyle, TFontStyles{fsBold});

  ASSERT_EQ(data.ObjectRecordCount(), 4);
  const auto* close = dynamic_cast<const TbsDataSkinStdButton*>(data.ObjectRecord(0));
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->Command, cmClose);
  EXPECT_EQ(close->Hint, "Close");
  EXPECT_NE(dynamic_cast<const TbsDataSkinMainMenuBarItem*>(data.ObjectRecord(3)), nullptr);
  ASSERT_EQ(data.ControlRecordCount(), 5);
  const auto* button = dynamic_cast<const TbsDataSkinButtonControl*>(data.ControlRecord(0));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->MorphKind, mkGradient);
  EXPECT_TRUE(button->Morphing);
  EXPECT_EQ(data.FindActivePicture(button->PictureIndex), data.ActivePictures(2));
  EXPECT_EQ(data.FindControlRecord("tab"), 4);
  EXPECT_EQ(data.FindControlRecord("Tab"), -1);
  EXPECT_EQ(data.FindObjectRecord("caption"), 1);
  EXPECT_EQ(data.FindObjectRecord("tab"), -1);
}

TEST_F(SkinDataTest, FrameValuesAreFittedAfterReading) {
  TbsSkinData data(nullptr);
  Load(data, SkinArchive());
  const TbsSkinFormInfo& info = data.FormInfo();
  EXPECT_EQ(info.LeftTopPoint, (POINT{9, 29}));
  EXPECT_EQ(info.RightTopPoint, (POINT{274, 30}));
  EXPECT_EQ(info.LeftBottomPoint, (POINT{4, 200}));     // pulled right onto the client edge
  EXPECT_EQ(info.RightBottomPoint, (POINT{281, 206}));  // pulled up and left
  EXPECT_EQ(info.MaskRectArea, info.ClientRect);        // empty, with a mask
  EXPECT_EQ(info.HitTestLeftTopPoint, (POINT{9, 29}));  // X was 0
  EXPECT_EQ(info.HitTestRightTopPoint, (POINT{270, 6}));
  EXPECT_EQ(info.HitTestRightBottomPoint, (POINT{290, 210}));  // taken before the pull

  TbsSkinFormInfo grown;
  grown.ClientRect = {4, 27, 281, 206};
  grown.MaskRectArea = {0, 30, 300, 100};
  grown.Adjust(true);
  EXPECT_EQ(grown.MaskRectArea, (RECT{0, 27, 300, 206}));

  TbsSkinFormInfo noMask;
  noMask.ClientRect = {4, 27, 281, 206};
  noMask.LeftTopPoint = {1, 1};
  noMask.RightBottomPoint = {1, 300};  // same X: left alone
  noMask.Adjust(false);
  EXPECT_EQ(noMask.MaskRectArea, RECT{});
  EXPECT_EQ(noMask.LeftTopPoint, (POINT{1, 1}));
  EXPECT_EQ(noMask.HitTestLeftTopPoint, POINT{});
}

TEST_F(SkinDataTest, ArchiveShapesOfEveryVersion) {
  const std::string ini = "[SKINCONTROLS]\r\ncount=1\r\n0=tab:tab\r\n";
  TbsSkinData data(nullptr);

  // Version 2 carries two more pictures after the mask.
  Load(data, ArchiveWriter()
                 .Int32(2)
                 .Flagged(BmpBytes(4, 3, 24))
                 .Flagged("")
                 .Flagged("")
                 .Flagged(BmpBytes(5, 5, 8))
                 .Flagged(BmpBytes(6, 6, 4))
                 .Int32(1)
                 .Raw(BmpBytes(7, 2, 24))
                 .Raw(ini)
                 .Bytes());
  ASSERT_FALSE(data.Empty());
  EXPECT_EQ(data.Picture()->Width(), 4);
  EXPECT_TRUE(data.MaskPicture()->Empty());
  ASSERT_EQ(data.ActivePictureCount(), 1);
  EXPECT_EQ(data.ActivePictures(0)->Width(), 7);
  EXPECT_EQ(data.FindControlRecord("tab"), 0);

  // No pictures at all, and a count of 0 right before the text.
  Load(data, ArchiveWriter().Int32(3).Flagged("").Flagged("").Flagged("").Int32(0).Raw(ini).Bytes());
  ASSERT_FALSE(data.Empty());
  EXPECT_TRUE(data.Picture()->Empty());
  EXPECT_EQ(data.ActivePictureCount(), 0);
  EXPECT_EQ(data.ControlRecordCount(), 1);

  // A negative count means none; the picture flag may be any non-zero value.
  Load(data, ArchiveWriter().Int32(1).Byte(7).Flagged("").Flagged("").Int32(-5).Raw(ini).Bytes());
  EXPECT_FALSE(data.Empty());
  EXPECT_EQ(data.ControlRecordCount(), 1);
}

TEST_F(SkinDataTest, NewerArchivesLeaveNoSkin) {
  TComponent* form = AddForm();
  TbsSkinData& data = Observe(*new TbsSkinData(form));
  Load(data, SkinArchive());
  Seen().clear();
  Load(data, ArchiveWriter().Int32(4).Flagged("").Bytes());
  EXPECT_TRUE(data.Empty());
  EXPECT_FALSE(data.SkinChanging());
  EXPECT_EQ(data.ControlRecordCount(), 0);
  EXPECT_TRUE(data.Picture()->Empty());
  ASSERT_EQ(Seen().size(), 3u);
  EXPECT_EQ(Seen()[2].Message, SKINMSG_SKIN_CHANGE_DONE);
  delete &data;
}

TEST_F(SkinDataTest, DamagedArchivesFailAndLeaveAnEmptySkin) {
  const std::string good = SkinArchive();
  const std::string main = BmpBytes(8, 8, 24);
  std::string badHeader = main;
  badHeader[2] = 3;  // a file size below any header
  std::string huge = main;
  huge[18] = huge[22] = 0;
  huge[21] = huge[25] = 0x10;  // a vast picture claimed by a tiny file

  const std::vector<std::pair<std::string, std::string>> cases = {
      {"truncated bitmap", ArchiveWriter().Int32(3).Flagged(main.substr(0, 100)).Bytes()},
      {"bad bitmap header", ArchiveWriter().Int32(3).Flagged(badHeader).Bytes()},
      {"absurd picture count",
       ArchiveWriter().Int32(3).Flagged("").Flagged("").Flagged("").Int32(2000000000).Raw(main).Bytes()},
      {"picture beyond the budget", ArchiveWriter().Int32(3).Flagged(huge).Bytes()},
      {"missing count", ArchiveWriter().Int32(3).Flagged("").Flagged("").Flagged("").Byte(1).Bytes()},
      {"empty point field", good.substr(0, good.find("[FORMINFO]")) + "[FORMINFO]\r\nlefttoppoint=,5\r\n"},
  };
  TComponent* form = AddForm();
  for (const auto& [what, archive] : cases) {
    TbsSkinData& data = Observe(*new TbsSkinData(form));
    Load(data, good);
    Seen().clear();
    EXPECT_ANY_THROW(Load(data, archive)) << what;
    EXPECT_TRUE(data.Empty()) << what;
    EXPECT_FALSE(data.SkinChanging()) << what;
    ASSERT_EQ(Seen().size(), 3u) << what;
    EXPECT_EQ(Seen()[1].Message, SKINMSG_SKIN_CHANGED) << what;
    EXPECT_TRUE(Seen()[1].Empty) << what;
    delete &data;
  }

  TbsSkinData& data = Observe(*new TbsSkinData(form));
  TbsCompressedStoredSkin stored(nullptr);
  std::string corrupt = test::Deflate(good);
  corrupt[corrupt.size() / 2] ^= 0x55;
  corrupt[corrupt.size() - 2] ^= 0x55;
  test::StoreCompressed(stored, corrupt);
  try {
    data.LoadFromStoredSkin(&stored);
    ADD_FAILURE() << "a corrupt stream loaded";
  } catch (const EDecompressionError& e) {
    EXPECT_EQ(e.Message(), "compression error");
  }
  EXPECT_TRUE(data.Empty());

  // A zlib header that asks for a preset dictionary, as a damaged stream may.
  test::StoreCompressed(stored, std::string("\x78\x20\0\0\0\1\0\0\0\0\0\0", 12));
  EXPECT_THROW(data.LoadFromStoredSkin(&stored), EDecompressionError);
  EXPECT_TRUE(data.Empty());
  EXPECT_FALSE(data.SkinChanging());
  delete &data;
}

TEST_F(SkinDataTest, FormsHearTheChangeAroundTheNewModel) {
  TComponent* owner = AddForm();
  TComponent* other = AddForm();
  FForms = {other, owner};  // screen order puts the owner second
  TbsSkinData& data = Observe(*new TbsSkinData(owner));
  Load(data, SkinArchive());
  Seen().clear();

  std::string ini = test::SampleSkinIni();
  ini.replace(ini.find("count=5"), 7, "count=4");
  TbsCompressedStoredSkin stored(nullptr);
  test::StoreArchive(stored, SkinArchive(ini));
  data.SetCompressedStoredSkin(&stored);

  const HWND o = FWindows[owner], x = FWindows[other];
  const auto wp = reinterpret_cast<WPARAM>(&data);
  const std::vector<std::tuple<HWND, UINT, bool, bool, int>> expected = {
      {o, SKINMSG_SKIN_CHANGING, true, true, 5},      {x, SKINMSG_SKIN_CHANGING, true, true, 5},
      {o, SKINMSG_SKIN_CHANGED, false, true, 4},      {x, SKINMSG_SKIN_CHANGED, false, true, 4},
      {o, SKINMSG_SKIN_CHANGE_DONE, false, false, 4}, {x, SKINMSG_SKIN_CHANGE_DONE, false, false, 4},
  };
  ASSERT_EQ(Seen().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const SeenMessage& m = Seen()[i];
    EXPECT_EQ(std::tie(m.Window, m.Message, m.Empty, m.Changing, m.Controls), expected[i]) << i;
    EXPECT_EQ(m.WParam, wp);
    EXPECT_EQ(m.LParam, 1000);
  }

  // A stored skin without bytes changes nothing and says nothing.
  Seen().clear();
  TbsCompressedStoredSkin empty(nullptr);
  data.SetCompressedStoredSkin(&empty);
  EXPECT_TRUE(Seen().empty());
  EXPECT_EQ(data.ControlRecordCount(), 4);
  delete &data;
}

TEST_F(SkinDataTest, ReferencesAndResourceStrings) {
  TComponent* form = AddForm();
  AddForm();
  TbsSkinData& data = Observe(*new TbsSkinData(nullptr));  // not owned by a form: every form hears
  auto* stored = new TbsCompressedStoredSkin(form);
  auto* strings = new TbsResourceStrData(form);

  data.SetDesigning(true);
  data.SetResourceStrData(strings);
  test::StoreArchive(*stored, SkinArchive());
  data.SetCompressedStoredSkin(stored);
  EXPECT_TRUE(Seen().empty());
  EXPECT_TRUE(data.Empty());

  data.SetDesigning(false);
  data.SetResourceStrData(strings);
  ASSERT_EQ(Seen().size(), 2u);
  EXPECT_EQ(Seen()[0].Message, SKINMSG_STRINGS_CHANGED);

  delete stored;
  delete strings;
  EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
  EXPECT_EQ(data.ResourceStrData(), nullptr);
  delete &data;
}

TEST(ResourceStrData, DefaultTextsAndLookUp) {
  TbsResourceStrData strings(nullptr);
  TStrings& lines = *strings.ResStrings();
  ASSERT_EQ(lines.Count(), 119);
  EXPECT_EQ(lines.Names(0), "MI_MINCAPTION");
  EXPECT_EQ(lines.Names(53), "ERROR");
  EXPECT_EQ(lines.Names(118), "AUTOCOLOR");
  EXPECT_EQ(strings.CharSet, 134);
  EXPECT_EQ(strings.LookUpResString("MI_MINCAPTION"), "Mi&nimize");
  EXPECT_EQ(strings.LookUpResString("MI_CLOSECAPTION"), "&Close");
  EXPECT_EQ(strings.LookUpResString("MENUBUTTON_HINT"), "System menu");
  EXPECT_EQ(strings.LookUpResString("MSG_BTN_OK"), "OK");
  EXPECT_EQ(strings.LookUpResString("MSG_OVERWRITE"), "Are you want to overwrite old file?");
  EXPECT_EQ(strings.LookUpResString("FLV_LOOKIN"), "Look in: ");
  EXPECT_EQ(strings.LookUpResString("msg_btn_ok"), "");
  EXPECT_EQ(strings.LookUpResString("NOSUCH"), "");

  TStringList replacement;
  replacement.Add("MSG_BTN_OK=好=的");
  strings.SetResStrings(&replacement);
  EXPECT_EQ(lines.Count(), 1);
  EXPECT_EQ(strings.LookUpResString("MSG_BTN_OK"), "好=的");
}

}  // namespace
}  // namespace kora
