// The control base: binding by name, fitting the size to the record in each
// sizing mode, the window shape from the mask, container painting, the skin's
// change notices, free notification and the default look.

#include <string>
#include <vector>

#include "SkinControlTestSupport.h"
#include "platform/gdi/Region.h"

namespace kora::test {
namespace {

// Every pixel of the picture tells where it came from.
COLORREF BaseCoded(int x, int y) { return RGB(x * 2, y * 2, 90); }

std::string BaseIni() {
  return "[VERSION]\nver=3\n"
         "[PICTURES]\npicture=\ninactivepicture=\nmask=\nactivepicturescount=2\n0=controls.bmp\n1=mask.bmp\n"
         "[FORMINFO]\nborderwidth=4\n[SKINOBJECTS]\ncount=0\n"
         "[SKINCONTROLS]\ncount=6\n"
         "0=box:panel\n1=strip:panel\n2=empty:panel\n3=fixed:panel\n4=label:stdlabel\n5=column:panel\n"
         // Nine parts: 40 x 30 at (10, 10), 4-pixel borders.
         "[box]\npictureindex=0\nskinrect=10,10,50,40\nlefttoppoint=4,4\nrighttoppoint=36,4\n"
         "leftbottompoint=4,26\nrightbottompoint=36,26\nclientrect=4,4,36,26\n"
         // Across only: fixed height 20.
         "[strip]\npictureindex=0\nskinrect=0,60,30,80\nlefttoppoint=5,0\nrighttoppoint=25,0\nclientrect=5,2,25,18\n"
         "[empty]\npictureindex=0\nskinrect=0,0,0,0\n"
         // Fixed size with a mask whose corners are white.
         "[fixed]\npictureindex=0\nmaskpictureindex=1\nskinrect=60,0,80,20\nclientrect=2,2,18,18\n"
         "[label]\nfontcolor=255\n"
         "[column]\npictureindex=0\nskinrect=0,0,20,40\nleftbottompoint=0,30\nclientrect=2,5,18,30\n";
}

std::vector<std::pair<std::string, std::string>> BasePictures() {
  return {{"controls.bmp", BmpOf(100, 100, BaseCoded)}, {"mask.bmp", BmpOf(20, 20, [](int x, int y) {
                                                           const bool corner = (x < 3 || x > 16) && (y < 3 || y > 16);
                                                           return corner ? RGB(255, 255, 255) : RGB(0, 0, 0);
                                                         })}};
}

// A control that logs its hooks and paints its default look blue.
class TProbe : public TbsSkinCustomControl {
public:
  explicit TProbe(TComponent* owner, std::vector<std::string>& log) : TbsSkinCustomControl(owner), FLog(log) {}
  void PrepareSkinChange() override {
    FLog.push_back(Name() + " prepare");
    TbsSkinCustomControl::PrepareSkinChange();
  }
  void ApplySkinChange() override {
    FLog.push_back(Name() + " apply");
    TbsSkinCustomControl::ApplySkinChange();
  }
  void PaintDefaultLook(TBitmap* bitmap) override {
    ++DefaultPaints;
    bitmap->Canvas()->Brush()->SetColor(clBlue);
    bitmap->Canvas()->FillRect({0, 0, bitmap->Width(), bitmap->Height()});
  }
  void PaintSkinLook(TBitmap* bitmap) override {
    ++SkinPaints;
    TbsSkinCustomControl::PaintSkinLook(bitmap);
  }
  using TbsSkinCustomControl::ContainerPaint;
  int DefaultPaints = 0, SkinPaints = 0;

private:
  std::vector<std::string>& FLog;
};

class SkinControlBaseTest : public SkinControlTest {
protected:
  TProbe* Probe(const std::string& name, const std::string& record, RECT bounds) {
    auto* probe = new TProbe(Form.get(), Log);
    probe->SetName(name);
    probe->SetSkinDataName(record);
    probe->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
    probe->SetParent(Form.get());
    return probe;
  }
  void Paint(TControl* control) {
    control->Invalidate();
    Screen.RunUntilIdle();
  }
  std::vector<std::string> Log;
};

TEST_F(SkinControlBaseTest, UnboundControlsPaintTheirDefaultLookAndTakeTheirDefaultSize) {
  LoadMiniSkin(BaseIni(), BasePictures());
  ShowForm();
  TProbe* lost = Probe("lost", "no such record", {10, 10, 60, 40});
  lost->SetSkinData(Skin);
  Paint(lost);
  EXPECT_EQ(lost->RecordIndex(), -1);
  EXPECT_GT(lost->DefaultPaints, 0);
  EXPECT_EQ(PixelAt(lost, 5, 5), RGB(0, 0, 255));
  lost->SetDefaultWidth(100);
  EXPECT_EQ(lost->Width(), 100);  // at once while unbound

  TProbe* box = Probe("box", "box", {10, 60, 70, 100});
  box->SetSkinData(Skin);
  box->SetDefaultWidth(120);
  EXPECT_EQ(box->Width(), 60);  // bound: only stored

  // Names match exactly, case included.
  TProbe* upper = Probe("upper", "BOX", {10, 120, 70, 160});
  upper->SetSkinData(Skin);
  Paint(upper);
  EXPECT_EQ(upper->RecordIndex(), -1);
}

TEST_F(SkinControlBaseTest, EachSizingModeFitsTheRequestedSize) {
  LoadMiniSkin(BaseIni(), BasePictures());
  ShowForm();
  TProbe* box = Probe("box", "box", {10, 10, 90, 60});
  box->SetSkinData(Skin);
  box->SetBounds(10, 10, 100, 70);
  EXPECT_EQ(box->SizingMode, 1);
  EXPECT_EQ(box->BoundsRect(), (RECT{10, 10, 110, 80}));
  EXPECT_EQ(box->FitInnerRect, (RECT{4, 4, 96, 66}));
  EXPECT_EQ(box->FitBottomRightMark, (POINT{96, 66}));
  Paint(box);
  // Corners keep their pixels, the middles are stretched or tiled.
  EXPECT_EQ(PixelAt(box, 1, 1), BaseCoded(11, 11));
  EXPECT_EQ(PixelAt(box, 98, 68), BaseCoded(48, 38));

  TProbe* strip = Probe("strip", "strip", {10, 100, 60, 120});
  strip->SetSkinData(Skin);
  strip->SetBounds(10, 100, 120, 77);
  EXPECT_EQ(strip->SizingMode, 2);
  EXPECT_EQ(strip->Width(), 120);
  EXPECT_EQ(strip->Height(), 20);  // the skin rectangle's height, whatever was asked
  EXPECT_EQ(strip->FitInnerRect, (RECT{5, 2, 115, 18}));

  TProbe* column = Probe("column", "column", {200, 10, 260, 50});
  column->SetSkinData(Skin);
  column->SetBounds(200, 10, 60, 90);
  EXPECT_EQ(column->SizingMode, 3);
  EXPECT_EQ(column->Width(), 20);
  EXPECT_EQ(column->Height(), 90);

  TProbe* fixed = Probe("fixed", "fixed", {200, 200, 260, 260});
  fixed->SetSkinData(Skin);
  fixed->SetBounds(200, 200, 77, 55);
  EXPECT_EQ(fixed->SizingMode, 0);
  EXPECT_EQ(fixed->Width(), 20);
  EXPECT_EQ(fixed->Height(), 20);

  // An empty skin rectangle binds but draws nothing from the skin and keeps the size.
  TProbe* empty = Probe("empty", "empty", {300, 10, 340, 40});
  empty->SetSkinData(Skin);
  empty->SetBounds(300, 10, 47, 33);
  Paint(empty);
  EXPECT_NE(empty->RecordIndex(), -1);
  EXPECT_EQ(empty->SizingMode, -1);
  EXPECT_EQ(empty->Width(), 47);
  EXPECT_EQ(empty->DefaultPaints, 0);

  // A record of another kind binds without geometry: nothing from the skin either.
  TProbe* other = Probe("other", "label", {300, 60, 340, 90});
  other->SetSkinData(Skin);
  Paint(other);
  EXPECT_NE(other->RecordIndex(), -1);
  EXPECT_EQ(other->Picture, nullptr);
  EXPECT_EQ(other->Width(), 40);
}

TEST_F(SkinControlBaseTest, TheMaskShapesTheWindow) {
  LoadMiniSkin(BaseIni(), BasePictures());
  ShowForm();
  TProbe* fixed = Probe("fixed", "fixed", {50, 50, 70, 70});
  fixed->SetSkinData(Skin);
  Screen.RunUntilIdle();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(fixed->Handle(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0));  // a white corner is outside
  EXPECT_TRUE(PtInRegion(region, 10, 10));
  EXPECT_TRUE(PtInRegion(region, 3, 0));
  // Unbound again: the window is rectangular.
  fixed->SetSkinDataName("nothing");
  fixed->ApplySkinChange();
  EXPECT_EQ(GetWindowRgn(fixed->Handle(), region), ERROR);
  DeleteObject(region);
}

TEST_F(SkinControlBaseTest, NamesAndSkinChangesTakeEffectAtTheNextPaintOrNotice) {
  LoadMiniSkin(BaseIni(), BasePictures());
  ShowForm();
  TProbe* probe = Probe("probe", "box", {10, 10, 70, 50});
  probe->SetSkinData(Skin);
  Paint(probe);
  const int skinPaints = probe->SkinPaints;
  // Renaming alone repaints nothing; the next paint uses the new name.
  probe->SetSkinDataName("no such record");
  Screen.RunUntilIdle();
  EXPECT_EQ(probe->SkinPaints, skinPaints);
  EXPECT_EQ(probe->DefaultPaints, 0);
  Paint(probe);
  EXPECT_EQ(probe->RecordIndex(), -1);
  EXPECT_GT(probe->DefaultPaints, 0);
  probe->SetSkinDataName("box");

  // A reload: changing (every control drops its record), then changed.
  TProbe* second = Probe("second", "strip", {10, 100, 70, 120});
  second->SetSkinData(Skin);
  Log.clear();
  Form->Notices.clear();
  ReloadSkin();
  EXPECT_EQ(Form->Notices, (std::vector<std::string>{"changing", "changed"}));
  EXPECT_EQ(Log, (std::vector<std::string>{"probe prepare", "second prepare", "probe apply", "second apply"}));
  EXPECT_NE(probe->RecordIndex(), -1);

  // Between the two notices the control is unbound, and a paint then
  // draws the default look.
  probe->DefaultPaints = 0;
  int indexBetween = 0;
  Form->AfterNotice = [&](UINT message) {
    if (message != SKINMSG_SKIN_CHANGING) return;
    indexBetween = probe->RecordIndex();
    probe->Repaint();
  };
  ReloadSkin();
  Form->AfterNotice = nullptr;
  EXPECT_EQ(indexBetween, -1);
  EXPECT_EQ(probe->DefaultPaints, 1);
  EXPECT_NE(probe->RecordIndex(), -1);

  // Another skin's notices pass this control by.
  auto* other = new TbsSkinData(Form.get());
  Log.clear();
  RelaySkinNotice(Form.get(), SKINMSG_SKIN_CHANGING, other);
  EXPECT_TRUE(Log.empty());
}

TEST_F(SkinControlBaseTest, RemovingTheSkinDataLeavesTheDefaultLook) {
  LoadMiniSkin(BaseIni(), BasePictures());
  ShowForm();
  TProbe* probe = Probe("probe", "box", {10, 10, 70, 50});
  probe->SetSkinData(Skin);
  Paint(probe);
  EXPECT_NE(probe->RecordIndex(), -1);
  delete Skin;
  Skin = nullptr;
  EXPECT_EQ(probe->SkinData(), nullptr);
  Paint(probe);
  EXPECT_EQ(probe->RecordIndex(), -1);
  EXPECT_EQ(PixelAt(probe, 5, 5), RGB(0, 0, 255));
}

TEST_F(SkinControlBaseTest, ContainersTileTheirInteriorBetweenTheBands) {
  LoadMiniSkin(BaseIni(), BasePictures());
  ShowForm();
  TProbe* box = Probe("box", "box", {10, 10, 130, 90});
  box->ContainerPaint = true;
  box->SetSkinData(Skin);
  Paint(box);
  EXPECT_EQ(box->SkinPaints, 1);  // the top band only
  // The interior repeats the 32 x 22 client piece from (4, 4).
  EXPECT_EQ(PixelAt(box, 4, 4), BaseCoded(14, 14));
  EXPECT_EQ(PixelAt(box, 4 + 32, 4 + 22), BaseCoded(14, 14));
  EXPECT_EQ(PixelAt(box, 1, 1), BaseCoded(11, 11));     // top band corner
  EXPECT_EQ(PixelAt(box, 118, 78), BaseCoded(48, 38));  // bottom band corner
  // Erasing is swallowed: the window keeps what it painted.
  EXPECT_EQ(SendMessage(box->Handle(), WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(SkinControlBaseTest, MouseEnterAndLeaveRaiseTheirEvents) {
  ShowForm();
  TProbe* probe = Probe("probe", "box", {10, 10, 70, 50});
  std::vector<std::string> events;
  probe->OnMouseEnter = [&](TObject* sender) { events.push_back(sender == probe ? "enter" : "?"); };
  probe->OnMouseLeave = [&](TObject* sender) { events.push_back(sender == probe ? "leave" : "?"); };
  Screen.RunUntilIdle();
  Screen.MouseMove(Middle(probe));
  Screen.RunUntilIdle();
  Screen.MouseMove(At(Form.get(), 300, 300));
  Screen.RunUntilIdle();
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
}

}  // namespace
}  // namespace kora::test
