// TbsSkinCustomTabSheet and TbsSkinTabSheet: pages that paint their own
// background, for the transparent controls on them.

#include "framework/core/ClassBuilder.h"
#include "skin/controls/bsSkinTabs.h"

namespace kora {

TClass TbsSkinCustomTabSheet::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinCustomTabSheet>("TbsSkinCustomTabSheet")
          .Property("WallPaper", &TbsSkinCustomTabSheet::WallPaper, &TbsSkinCustomTabSheet::SetWallPaper));
  return &info;
}

TClass TbsSkinTabSheet::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsSkinTabSheet>("TbsSkinTabSheet"));
  return &info;
}

TbsSkinCustomTabSheet::TbsSkinCustomTabSheet(TComponent* owner)
    : TTabSheet(owner), FWallPaper(std::make_unique<TBitmap>()) {}

TbsSkinCustomTabSheet::~TbsSkinCustomTabSheet() {
  // Out of the page control before the wallpaper goes.
  SetParent(nullptr);
}

void TbsSkinCustomTabSheet::SetWallPaper(const TBitmap* value) {
  FWallPaper->Assign(value);
  Invalidate();
}

void TbsSkinCustomTabSheet::PaintSkinBackground(HDC dc) {
  const int width = Width(), height = Height();
  if (width <= 0 || height <= 0) return;
  if (!FWallPaper->Empty()) {
    const int pw = FWallPaper->Width(), ph = FWallPaper->Height();
    const HDC source = FWallPaper->Canvas()->Handle();
    for (int i = 0; i <= width / pw; ++i)
      for (int j = 0; j <= height / ph; ++j) BitBlt(dc, i * pw, j * ph, pw, ph, source, 0, 0, SRCCOPY);
    return;
  }
  if (auto* pages = dynamic_cast<TbsSkinPageControl*>(PageControl())) {
    pages->PaintSheetBackground(dc, width, height);
    return;
  }
  const RECT area{0, 0, width, height};
  HBRUSH brush = CreateSolidBrush(ColorToColorRef(clBtnFace));
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void TbsSkinCustomTabSheet::SkinNotice(UINT message, TbsSkinData* sender) {
  if (message != SKINMSG_SKIN_CHANGED) return;
  auto* pages = dynamic_cast<TbsSkinPageControl*>(PageControl());
  if (!sender || (pages && pages->SkinData() == sender)) Invalidate();
}

void TbsSkinCustomTabSheet::WndProc(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND) {
    PaintSkinBackground(HDC(uint64_t(message.WParam)));
    message.Result = 1;
    return;
  }
  TTabSheet::WndProc(message);
}

void TbsSkinCustomTabSheet::Resize() {
  TTabSheet::Resize();
  Invalidate();
}

}  // namespace kora
