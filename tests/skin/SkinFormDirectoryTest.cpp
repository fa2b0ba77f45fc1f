// Without a directory of its own, the skin data reaches the screen's forms.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/data/bsSkinData.h"

namespace kora {
namespace {

// Notes the skin messages its window receives.
class TListeningForm : public TForm {
public:
  using TForm::TForm;
  std::vector<UINT> Heard;

protected:
  void WndProc(TMessage& message) override {
    if (message.Msg >= SKINMSG_SKIN_CHANGING && message.Msg <= SKINMSG_STRINGS_CHANGED) Heard.push_back(message.Msg);
    TForm::WndProc(message);
  }
};

class SkinFormDirectoryTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&FScreen);
  }
  void TearDown() override {
    ResetWindowSystem();
    SetBackend(nullptr);
  }
  HeadlessBackend FScreen;
};

TEST_F(SkinFormDirectoryTest, TheScreensFormsHearTheSkinData) {
  TListeningForm owner(nullptr);
  TListeningForm other(nullptr);
  auto* data = new TbsSkinData(&owner);
  TbsResourceStrData strings(nullptr);

  // An installed directory wins; an empty one brings the screen's back.
  SetSkinFormDirectory(
      {[] { return 0; }, [](int) -> TComponent* { return nullptr; }, [](TComponent*) { return HWND(); }});
  data->SetResourceStrData(&strings);
  EXPECT_TRUE(owner.Heard.empty());
  SetSkinFormDirectory({});

  data->SetResourceStrData(nullptr);
  data->SetResourceStrData(&strings);
  // Windows are made for forms that had none yet.
  EXPECT_TRUE(other.HandleAllocated());
  EXPECT_EQ(owner.Heard, (std::vector<UINT>{SKINMSG_STRINGS_CHANGED, SKINMSG_STRINGS_CHANGED}));
  EXPECT_EQ(other.Heard, owner.Heard);
}

}  // namespace
}  // namespace kora
