// The frame's rectangles: the default look's border zones (three pixels in
// from the left and top, two from the right and bottom), its caption and
// buttons for tool windows, and a skin's client that the non-client size
// calculation and the painting share.

#include "SkinFormTestSupport.h"
#include "skin/form/bsFrameGeometry.h"

namespace kora::test {
namespace {

TEST(FrameGeometryTest, TheDefaultLooksSizingZonesFollowItsBorder) {
  TbsFrameGeometry g;
  g.FitDefault(200, 100, false);
  EXPECT_EQ(g.Caption, (RECT{3, 3, 197, 22}));
  EXPECT_EQ(g.Inner, (RECT{3, 22, 197, 97}));
  const struct {
    POINT p;
    LRESULT zone;
  } cases[] = {
      {{0, 0}, HTTOPLEFT},     {{2, 2}, HTTOPLEFT},        {{3, 2}, HTTOP},        {{199, 0}, HTTOPRIGHT},
      {{198, 2}, HTTOPRIGHT},  {{197, 2}, HTTOP},          {{2, 50}, HTLEFT},      {{3, 50}, HTNOWHERE},
      {{198, 50}, HTRIGHT},    {{197, 50}, HTNOWHERE},     {{100, 98}, HTBOTTOM},  {{100, 97}, HTNOWHERE},
      {{2, 98}, HTBOTTOMLEFT}, {{198, 99}, HTBOTTOMRIGHT}, {{100, 10}, HTNOWHERE},
  };
  for (const auto& c : cases) EXPECT_EQ(g.SizingZone(c.p), c.zone) << c.p.X << "," << c.p.Y;
}

class FrameGeometrySkinTest : public SkinFormTest {};

TEST_F(FrameGeometrySkinTest, AToolWindowsSmallerCaptionShrinksItsButtonsAndMovesItsClient) {
  TbsFrameGeometry g;
  g.FitDefault(120, 80, true);
  EXPECT_EQ(g.Caption, (RECT{3, 3, 117, 18}));
  EXPECT_EQ(TbsFrameGeometry::ClientRect(nullptr, 120, 80, true), (RECT{3, 18, 117, 77}));
  std::vector<std::unique_ptr<TbsActiveSkinObject>> objects;
  for (TbsStdCommand command : {cmClose, cmMinimize, cmSysMenu}) {
    auto button = std::make_unique<TbsSkinStdButtonObject>(Frame, nullptr);
    button->Command = command;
    objects.push_back(std::move(button));
  }
  objects[1]->Visible = false;
  g.PlaceObjects(objects, false);
  EXPECT_EQ(objects[0]->ObjectRect, (RECT{104, 4, 117, 17}));
  EXPECT_EQ(objects[2]->ObjectRect, (RECT{4, 4, 17, 17}));
}

TEST_F(FrameGeometrySkinTest, TheClientTheWindowIsGivenIsTheOneThePaintingLeavesOut) {
  LoadProgramSkin();
  ShowForm();
  const RECT window = WindowRect();
  EXPECT_EQ(TbsFrameGeometry::ClientRect(Skin, WidthOf(window), HeightOf(window), false), Frame->Geometry().Inner);
  EXPECT_EQ(Frame->Geometry().Width, WidthOf(window));
  EXPECT_EQ(Frame->Geometry().SizingInner, Frame->Geometry().Inner);
}

}  // namespace
}  // namespace kora::test
