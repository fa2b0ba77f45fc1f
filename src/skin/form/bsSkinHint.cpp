// The skinned hint window and the hint component: the application's hint
// window class while a hint component exists, its size, place, shape and
// opacity for a text, its painting, and the frame's object hints.

#include "skin/form/bsSkinHint.h"

#include <algorithm>
#include <vector>

#include "framework/core/ClassBuilder.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"
#include "skin/controls/bsSkinCtrls_Control.h"

namespace kora {

namespace {

std::vector<TbsSkinHint*>& Instances() {
  static std::vector<TbsSkinHint*> instances;
  return instances;
}

TbsSkinGeometry HintGeometry(const TbsDataSkinHintWindow& hint) {
  return {hint.LeftTopPoint, hint.RightTopPoint, hint.LeftBottomPoint, hint.RightBottomPoint, hint.ClientRect};
}

TBitmap* HintPicture(const TbsSkinData* skin) {
  return skin ? skin->FindActivePicture(skin->HintWindow().WindowPictureIndex) : nullptr;
}

constexpr UINT kTextFormat = DT_LEFT | DT_NOPREFIX;
// Between the plain look's one-pixel frame and its text: a glyph's ink
// starts at its cell's left edge, so the sides get a pixel more than the
// top and bottom to look as wide.
constexpr SIZE kPlainInset{3, 2};

// The application's show-hint notification goes to the current hint component.
void RelayShowHint(std::string& hint, bool& canShow, THintInfo& info) {
  if (TbsSkinHint* current = TbsSkinHint::Current()) current->OnShowHint(hint, canShow, info);
}

}  // namespace

// ---- TbsSkinHintWindow ----------------------------------------------------------------

TClass TbsSkinHintWindow::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsSkinHintWindow>("TbsSkinHintWindow"));
  return &info;
}

TbsSkinHintWindow::TbsSkinHintWindow(TComponent* owner) : THintWindow(owner) {}

TbsSkinHintWindow::~TbsSkinHintWindow() = default;

void TbsSkinHintWindow::CreateParams(TCreateParams& params) {
  THintWindow::CreateParams(params);
  params.Style &= ~WS_BORDER;
  if (IsXpOrLater()) params.ClassStyle |= CS_DROPSHADOW;
}

TbsSkinHint* TbsSkinHintWindow::Source() const { return FHint ? FHint : TbsSkinHint::Current(); }

SIZE TbsSkinHintWindow::Prepare(const std::string& hint) {
  TbsSkinHint* source = Source();
  TbsSkinData* data = source ? source->SkinData() : nullptr;
  FSkin = data && !data->Empty() && HintPicture(data) ? data : nullptr;
  const TFont* fallback = source ? source->DefaultFont() : Font();
  // The window's own font, which its canvas takes whenever it paints.
  TFont* font = Font();
  if (FSkin && source->UseSkinFont) {
    const TbsDataSkinHintWindow& section = FSkin->HintWindow();
    font->SetName(section.FontName);
    font->SetHeight(section.FontHeight);
    font->SetStyle(section.FontStyle);
  } else {
    font->SetName(fallback->Name());
    font->SetHeight(fallback->Height());
    font->SetStyle(fallback->Style());
  }
  font->SetCharset(SkinTextCharset(FSkin, fallback));
  font->SetColor(FSkin ? FSkin->HintWindow().FontColor : TColor(clInfoText));

  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->Font()->Assign(font);
  RECT r{0, 0, 0, 0};
  DrawText(measure.Canvas()->Handle(), hint, &r, DT_CALCRECT | kTextFormat);
  FTextSize = {WidthOf(r), HeightOf(r)};
  if (!FSkin) {
    FitInnerRect = RECT::FromSize(kPlainInset.cx, kPlainInset.cy, FTextSize.cx, FTextSize.cy);
    return {FTextSize.cx + 2 * kPlainInset.cx, FTextSize.cy + 2 * kPlainInset.cy};
  }
  const TbsDataSkinHintWindow& section = FSkin->HintWindow();
  const TBitmap* picture = HintPicture(FSkin);
  const int picW = picture->Width();
  const int picH = picture->Height();
  const RECT& c = section.ClientRect;
  const SIZE size{std::max(FTextSize.cx + c.Left + picW - c.Right, picW),
                  std::max(FTextSize.cy + c.Top + picH - c.Bottom, picH)};
  const TbsSkinGeometry fit = HintGeometry(section).Moved({0, 0, picW, picH}, size.cx, size.cy);
  FitTopLeftMark = fit.LT;
  FitTopRightMark = fit.RT;
  FitBottomLeftMark = fit.LB;
  FitBottomRightMark = fit.RB;
  FitInnerRect = fit.C;
  return size;
}

RECT TbsSkinHintWindow::CalcHintRect(int, const std::string& hint, void*) {
  const SIZE size = Prepare(hint);
  return {0, 0, size.cx, size.cy};
}

void TbsSkinHintWindow::ApplyShape(SIZE size) {
  HRGN region{};
  if (FSkin) {
    const TbsDataSkinHintWindow& section = FSkin->HintWindow();
    if (TBitmap* mask = FSkin->FindActivePicture(section.MaskPictureIndex)) {
      const TBitmap* picture = HintPicture(FSkin);
      const TbsSkinGeometry geo = HintGeometry(section);
      region =
          BuildSkinRegion(geo, geo.Moved({0, 0, picture->Width(), picture->Height()}, size.cx, size.cy), mask, size);
    }
  }
  SetWindowRgn(Handle(), region, false);
}

void TbsSkinHintWindow::ActivateHintData(RECT rect, const std::string& hint, void*) {
  SetCaption(hint);
  const SIZE size = Prepare(hint);
  int left = rect.Left;
  int top = rect.Top;
  if (left + size.cx > GetSystemMetrics(SM_CXSCREEN)) left -= size.cx + 2;
  if (top + size.cy > GetSystemMetrics(SM_CYSCREEN)) top -= size.cy + 2;
  SetBounds(left, top, size.cx, size.cy);
  const HWND window = Handle();
  if (HasLayeredWindows()) {
    const TbsSkinHint* source = Source();
    AlphaApplied = source && source->AlphaBlend;
    AlphaValue = AlphaApplied ? source->AlphaBlendValue : 255;
    const LONG_PTR ex = GetWindowLong(window, GWL_EXSTYLE);
    SetWindowLong(window, GWL_EXSTYLE, AlphaApplied ? ex | WS_EX_LAYERED : ex & ~LONG_PTR(WS_EX_LAYERED));
    if (AlphaApplied) ApplyWindowAlpha(window, AlphaValue);
  }
  ApplyShape(size);
  SetWindowPos(window, HWND_TOPMOST, left, top, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  SetVisible(true);
  Invalidate();
}

void TbsSkinHintWindow::Paint() {
  const RECT client = ClientRect();
  const SIZE size{WidthOf(client), HeightOf(client)};
  if (size.cx <= 0 || size.cy <= 0) return;
  TBitmap buffer;
  TCanvas* c = nullptr;
  RECT text = FitInnerRect;
  if (FSkin) {
    const TbsDataSkinHintWindow& section = FSkin->HintWindow();
    TBitmap* picture = HintPicture(FSkin);
    const RECT r{0, 0, picture->Width(), picture->Height()};
    const TbsSkinGeometry geo = HintGeometry(section);
    ComposeNinePartTiled(geo, geo.Moved(r, size.cx, size.cy), &buffer, picture, r, size, true,
                         {section.LeftStretch, section.TopStretch, section.RightStretch, section.BottomStretch});
    c = buffer.Canvas();
    // Centred in the inner rectangle.
    const int x = FitInnerRect.Left + WidthOf(FitInnerRect) / 2 - FTextSize.cx / 2;
    const int y = FitInnerRect.Top + HeightOf(FitInnerRect) / 2 - FTextSize.cy / 2;
    text = RECT::FromSize(x, y, FTextSize.cx, FTextSize.cy);
  } else {
    buffer.SetSize(size.cx, size.cy);
    c = buffer.Canvas();
    c->Brush()->SetColor(Color());
    c->FillRect(client);
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(client);
    text = {kPlainInset.cx, kPlainInset.cy, size.cx - kPlainInset.cx, size.cy - kPlainInset.cy};
  }
  c->Font()->Assign(Font());
  HDC dc = c->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToColorRef(Font()->Color()));
  DrawText(dc, Caption(), &text, kTextFormat);
  BitBlt(Canvas()->Handle(), 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
}

// ---- TbsSkinHint ------------------------------------------------------------------------

TClass TbsSkinHint::StaticClass() {
  using C = TbsSkinHint;
  static const TClassInfo info(TClassBuilder<C>("TbsSkinHint")
                                   .Property("SkinData", &C::SkinData, &C::SetSkinData)
                                   .Property("Active", &C::Active, &C::SetActive)
                                   .Default(true)
                                   .Property("AlphaBlend", &C::AlphaBlend)
                                   .Default(false)
                                   .Property("AlphaBlendValue", &C::AlphaBlendValue)
                                   .Default(200)
                                   .Property("DefaultFont", &C::DefaultFont, &C::SetDefaultFont)
                                   .Property("UseSkinFont", &C::UseSkinFont)
                                   .Default(false)
                                   .Property("OnShowHint", &C::OnShowHint));
  return &info;
}

TbsSkinHint::TbsSkinHint(TComponent* owner) : TComponent(owner), FDefaultFont(std::make_unique<TFont>()) {
  FDefaultFont->SetName(bsDefaultFontName);
  FDefaultFont->SetCharset(bsDefaultFontCharset);
  FDefaultFont->SetHeight(-12);
  FDefaultFont->SetColor(clInfoText);
  FTimer = std::make_unique<TTimer>(nullptr);
  FTimer->SetEnabled(false);
  FTimer->SetOnTimer([this](TObject*) { HintTimer(); });
  Instances().push_back(this);
  if (!ComponentState().Contains(csDesigning)) InstallHintClass();
}

TbsSkinHint::~TbsSkinHint() {
  Destroying();
  FTimer.reset();
  std::erase(Instances(), this);
  // The application's hint window may show our looks: it falls back to
  // another hint component, or the default look.
  if (Application && Application->HintWindow() && Application->HintWindow()->IsHintShown()) Application->CancelHint();
}

void TbsSkinHint::InstallHintClass() {
  if (!Application) return;
  Application->SetHintWindowClass(TbsSkinHintWindow::StaticClass());
  if (Application->ShowHint()) {
    // A new hint window of the new class.
    Application->SetShowHint(false);
    Application->SetShowHint(true);
  }
  Application->OnShowHint = &RelayShowHint;
}

void TbsSkinHint::Loaded() {
  TComponent::Loaded();
  if (FActive) SetActive(true);
}

void TbsSkinHint::SetSkinData(TbsSkinData* value) {
  if (FSkinData == value) return;
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = value;
  if (FSkinData) FSkinData->FreeNotification(this);
}

void TbsSkinHint::SetActive(bool value) {
  FActive = value;
  if (!value || ComponentState().Contains(csLoading)) return;
  // Only one hint component is active on the main form.
  const TComponent* form = Application ? Application->MainForm() : nullptr;
  for (TbsSkinHint* other : Instances()) {
    if (other == this || (form && other->Owner() != form)) continue;
    other->FActive = false;
  }
}

void TbsSkinHint::SetDefaultFont(const TFont* value) { FDefaultFont->Assign(value); }

void TbsSkinHint::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FSkinData) FSkinData = nullptr;
  if (component == FHintWindow) FHintWindow = nullptr;
}

TbsSkinHint* TbsSkinHint::Current() {
  const TComponent* form = Application ? Application->MainForm() : nullptr;
  for (TbsSkinHint* hint : Instances())
    if (hint->FActive && form && hint->Owner() == form) return hint;
  for (TbsSkinHint* hint : Instances())
    if (hint->FActive) return hint;
  return nullptr;
}

void TbsSkinHint::ActivateHint(POINT at, const std::string& text) {
  if (!FHintWindow) {
    FHintWindow = new TbsSkinHintWindow(this);
    FHintWindow->SetHintComponent(this);
  }
  FHintWindow->ActivateHintData({at.X, at.Y, at.X, at.Y}, text, nullptr);
}

void TbsSkinHint::ShowObjectHint(const std::string& text) {
  FTimer->SetEnabled(false);
  FPendingText = text;
  FShowPending = true;
  FTimer->SetInterval(uint32_t(std::max(Application ? Application->HintPause() : 500, 1)));
  FTimer->SetEnabled(true);
}

void TbsSkinHint::HintTimer() {
  FTimer->SetEnabled(false);
  if (!FShowPending) {
    HideObjectHint();
    return;
  }
  FShowPending = false;
  POINT cursor;
  GetCursorPos(&cursor);
  ActivateHint({cursor.X, cursor.Y + GetCursorHeightMargin()}, FPendingText);
  const int hide = Application ? Application->HintHidePause() : 2500;
  if (hide > 0) {
    FTimer->SetInterval(uint32_t(hide));
    FTimer->SetEnabled(true);
  }
}

void TbsSkinHint::HideObjectHint() {
  FTimer->SetEnabled(false);
  FShowPending = false;
  if (FHintWindow && FHintWindow->HandleAllocated())
    SetWindowPos(FHintWindow->Handle(), HWND{}, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  if (FHintWindow) FHintWindow->SetVisible(false);
}

bool TbsSkinHint::ObjectHintShowing() const { return FHintWindow && FHintWindow->IsHintShown(); }

void RegisterSkinHintClasses() {
  static const bool registered = [] {
    RegisterClasses({TbsSkinHint::StaticClass(), TbsSkinHintWindow::StaticClass()});
    return true;
  }();
  (void)registered;
}

}  // namespace kora
