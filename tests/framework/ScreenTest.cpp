#include <memory>
#include <vector>

#include "FormTestSupport.h"
#include "framework/controls/StdCtrls.h"

namespace kora::test {
namespace {

// The fixture's `Screen` is the headless backend; kora::Screen is the
// forms' view of it.
class ScreenTest : public FormFixture {
protected:
  void TearDown() override {
    kora::Screen->SetCursor(crDefault);
    FormFixture::TearDown();
  }
  std::unique_ptr<TForm> MakeForm(int left) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(left, 100, 200, 150);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 150, 24);
    return form;
  }
  std::vector<TCustomForm*> Forms() const {
    std::vector<TCustomForm*> list;
    for (int i = 0; i < kora::Screen->FormCount(); ++i) list.push_back(kora::Screen->Forms(i));
    return list;
  }
};

TEST_F(ScreenTest, FormsInZOrderWithTheActiveFormAndControl) {
  const int before = kora::Screen->FormCount();
  auto a = MakeForm(50);
  auto b = MakeForm(300);
  EXPECT_EQ(kora::Screen->FormCount(), before + 2);
  int formChanges = 0;
  int controlChanges = 0;
  kora::Screen->OnActiveFormChange = [&](TObject*) { ++formChanges; };
  kora::Screen->OnActiveControlChange = [&](TObject*) { ++controlChanges; };

  a->Show();
  b->Show();
  EXPECT_EQ(kora::Screen->ActiveForm(), b.get());
  EXPECT_EQ(kora::Screen->ActiveControl(), b->Controls(0));
  EXPECT_EQ(Forms()[0], b.get());
  EXPECT_EQ(Forms()[1], a.get());

  // A click on the form behind brings it to the front of the list.
  Screen.Click(a->ClientToScreen({150, 100}));
  Screen.RunUntilIdle();
  EXPECT_EQ(kora::Screen->ActiveForm(), a.get());
  EXPECT_EQ(kora::Screen->ActiveControl(), a->Controls(0));
  EXPECT_EQ(Forms()[0], a.get());
  EXPECT_EQ(formChanges, 3);
  EXPECT_GE(controlChanges, 3);

  a.reset();
  EXPECT_EQ(kora::Screen->FormCount(), before + 1);
  EXPECT_EQ(Forms()[0], b.get());
  b.reset();
  EXPECT_EQ(kora::Screen->ActiveForm(), nullptr);
  EXPECT_EQ(kora::Screen->ActiveControl(), nullptr);
  kora::Screen->OnActiveFormChange = nullptr;
  kora::Screen->OnActiveControlChange = nullptr;
}

TEST_F(ScreenTest, ItsCursorShowsEverywhereUntilReset) {
  auto form = MakeForm(50);
  form->Show();
  const POINT overEdit = form->Controls(0)->ClientToScreen({20, 10});
  Screen.MouseMove(overEdit);
  Screen.RunUntilIdle();
  EXPECT_EQ(Screen.Cursor(), CursorShape::IBeam);

  kora::Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Screen.Cursor(), CursorShape::Wait);
  Screen.MouseMove({overEdit.X + 5, overEdit.Y});
  Screen.RunUntilIdle();
  EXPECT_EQ(Screen.Cursor(), CursorShape::Wait);

  kora::Screen->SetCursor(crDefault);
  EXPECT_EQ(Screen.Cursor(), CursorShape::IBeam);
  EXPECT_EQ(kora::Screen->Cursors(crDefault), LoadCursor(nullptr, IDC_ARROW));
  EXPECT_EQ(kora::Screen->Cursors(crHandPoint), LoadCursor(nullptr, IDC_HAND));
}

TEST_F(ScreenTest, MonitorsAndTheWorkArea) {
  Screen.SetMonitors(
      {{{0, 0, 1024, 768}, {0, 0, 1024, 728}, true}, {{1024, 0, 2304, 1024}, {1024, 30, 2304, 1024}, false}});
  EXPECT_EQ(kora::Screen->Width(), 1024);
  EXPECT_EQ(kora::Screen->Height(), 768);
  EXPECT_EQ(kora::Screen->WorkAreaRect(), (RECT{0, 0, 1024, 728}));
  EXPECT_EQ(kora::Screen->WorkAreaHeight(), 728);
  ASSERT_EQ(kora::Screen->MonitorCount(), 2);
  const TMonitor second = kora::Screen->Monitors(1);
  EXPECT_EQ(second.MonitorNum, 1);
  EXPECT_FALSE(second.Primary);
  EXPECT_EQ(second.BoundsRect, (RECT{1024, 0, 2304, 1024}));
  EXPECT_EQ(second.WorkareaRect.Top, 30);
  EXPECT_TRUE(kora::Screen->PrimaryMonitor().Primary);
  EXPECT_THROW(kora::Screen->Monitors(2), EListError);

  EXPECT_EQ(kora::Screen->MonitorFromPoint({1500, 500})->MonitorNum, 1);
  EXPECT_FALSE(kora::Screen->MonitorFromPoint({-500, -500}, mdNull).has_value());
  EXPECT_EQ(kora::Screen->MonitorFromPoint({-500, -500}, mdPrimary)->MonitorNum, 0);
  auto form = MakeForm(1500);
  form->Show();
  EXPECT_EQ(kora::Screen->MonitorFromWindow(form->Handle())->MonitorNum, 1);
}

}  // namespace
}  // namespace kora::test
