// The frame's geometry for any size, the caption-button layout, painting
// in four bands, the window region, the client background, hit tests and
// hot tracking, and applying a skin.

#include <algorithm>

#include "platform/gdi/Region.h"
#include "skin/form/bsSkinForm.h"

namespace kora {

namespace {

bool IsBlackPixel(TBitmap& band, int x, int y) {
  if (band.Empty() || x < 0 || y < 0 || x >= band.Width() || y >= band.Height()) return false;
  const uint8_t* p = band.ScanLine(y) + size_t(x) * 4;
  return p[0] == 0 && p[1] == 0 && p[2] == 0;
}

}  // namespace

int TbsSkinForm::WindowWidth() const {
  RECT r;
  if (FForm->HandleAllocated() && GetWindowRect(FForm->Handle(), &r)) return r.Width();
  return FForm->Width();
}

int TbsSkinForm::WindowHeight() const {
  RECT r;
  if (FForm->HandleAllocated() && GetWindowRect(FForm->Handle(), &r)) return r.Height();
  return FForm->Height();
}

bool TbsSkinForm::Sizeable() const {
  return FForm->BorderStyle() == bsSizeable || FForm->BorderStyle() == bsSizeToolWin;
}

bool TbsSkinForm::GetFormActive() const {
  if (FForm->FormStyle() == fsMDIChild || FForm->FormStyle() == fsMDIForm) return FNCActive;
  return FForm->Active();
}

bool TbsSkinForm::ToolWindow() const {
  return FForm->BorderStyle() == bsToolWindow || FForm->BorderStyle() == bsSizeToolWin;
}

RECT TbsSkinForm::ClientRectFor(int w, int h) const {
  return TbsFrameGeometry::ClientRect(FSkinActive ? FSkinData : nullptr, w, h, ToolWindow());
}

// ---- Geometry ----------------------------------------------------------------------

bool TbsSkinForm::CalcRects() {
  if (!FSkinActive) return false;
  if (FWidth < GetMinWidth() || FHeight < GetMinHeight()) return false;
  FGeometry.FitSkin(FSkinData, FWidth, FHeight);
  return true;
}

void TbsSkinForm::CalcObjectRects() {
  // A skin's geometry was fitted by CalcRects; the default look's is fixed.
  if (!FSkinActive) FGeometry.FitDefault(FWidth, FHeight, ToolWindow());
  FGeometry.PlaceObjects(FObjects, FShowIcon);
}

void TbsSkinForm::SetBorderIconsVisibility() {
  for (const auto& object : FObjects) {
    const std::optional<TbsStdCommand> command = object->ButtonCommand();
    if (!command) continue;
    if (FHideCaptionButtons) {
      object->Enabled = false;
      if (object->SkinRectInAPicture) object->Visible = false;
      continue;
    }
    const auto follow = [&](TbsBorderIcon icon) {
      const bool on = FBorderIcons.Contains(icon);
      object->Enabled = on;
      object->Visible = object->SkinRectInAPicture ? on : true;
    };
    switch (*command) {
      case cmClose: object->Enabled = object->Visible = true; break;
      case cmMaximize: follow(TbsBorderIcon::biMaximize); break;
      case cmMinimize: follow(TbsBorderIcon::biMinimize); break;
      case cmSysMenu: follow(TbsBorderIcon::biSystemMenu); break;
      case cmRollUp: follow(TbsBorderIcon::biRollUp); break;
      case cmMinimizeToTray: follow(TbsBorderIcon::biMinimizeToTray); break;
      case cmDefault: {
        bool visible = false;
        OnActivateCustomObject(object->IDName, visible);
        object->Visible = visible;
        break;
      }
    }
  }
  UpdateSkinCaptionButtons();
}

void TbsSkinForm::UpdateSkinCaptionButtons() {
  if (!UseDefaultObjectHint || !FSkinActive) return;
  for (const auto& object : FObjects) {
    switch (object->ButtonCommand().value_or(cmDefault)) {
      case cmClose: object->Hint = FrameResourceString(FSkinData, "CLOSEBUTTON_HINT", 65240); break;
      case cmMaximize: object->Hint = FrameResourceString(FSkinData, "MAXBUTTON_HINT", 65239); break;
      case cmMinimize: object->Hint = FrameResourceString(FSkinData, "MINBUTTON_HINT", 65238); break;
      case cmSysMenu: object->Hint = FrameResourceString(FSkinData, "MENUBUTTON_HINT", 65243); break;
      case cmRollUp: object->Hint = FrameResourceString(FSkinData, "ROLLUPBUTTON_HINT", 65242); break;
      case cmMinimizeToTray: object->Hint = FrameResourceString(FSkinData, "TRAYBUTTON_HINT", 65241); break;
      default: break;
    }
  }
}

// ---- Painting ----------------------------------------------------------------------

void TbsSkinForm::PaintNC(HDC dc) {
  if (FForm->BorderStyle() == bsNone) return;
  FWidth = WindowWidth();
  FHeight = WindowHeight();
  if (FSkinActive) {
    if (!CalcRects()) return;
    CalcObjectRects();
    FPainter.PaintSkin(dc);
  } else if (!FChangingSkin && FWidth > 0 && FHeight > 0) {
    CalcObjectRects();
    FPainter.PaintDefault(dc);
  }
}

void TbsSkinForm::PaintNCNow() {
  if (!FForm->HandleAllocated() || !IsWindowVisible(FForm->Handle())) return;
  SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
}

void TbsSkinForm::RepaintObject(TbsActiveSkinObject* object) {
  if (!object || !FForm->HandleAllocated() || !IsWindowVisible(FForm->Handle())) return;
  if (FSkinActive && !CalcRects()) return;
  if (!object->RepaintsAlone() || !object->Visible) {
    // The caption is drawn over the band: only a whole frame paint redraws it cleanly.
    if (object->Visible) PaintNCNow();
    return;
  }
  const HDC dc = GetWindowDC(FForm->Handle());
  if (!dc) return;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    object->Draw(&canvas, true);
    canvas.SetHandle(HDC());
  }
  ReleaseDC(FForm->Handle(), dc);
}

// ---- Region ------------------------------------------------------------------------

void TbsSkinForm::UpdateRegion(bool sizeChanged) {
  if (!FForm->HandleAllocated() || FForm->BorderStyle() == bsNone) return;
  TBitmap* mask = FSkinActive ? FSkinData->MaskPicture() : nullptr;
  if (!mask || mask->Empty()) {
    if (FRegion) {
      SetWindowRgn(FForm->Handle(), HRGN(), true);
      DeleteObject(FRegion);
      FRegion = HRGN();
    }
    for (TBitmap* band : {&FMaskTop, &FMaskBottom, &FMaskLeft, &FMaskRight}) band->SetSize(0, 0);
    FRegionSize = {};
    SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
    return;
  }
  if (!CalcRects()) return;
  const SIZE size{FWidth, FHeight};
  if (FRegion && !sizeChanged && size == FRegionSize) return;
  const TbsSkinFormInfo& info = FSkinData->FormInfo();
  const TbsSkinGeometry geo{info.LeftTopPoint, info.RightTopPoint, info.LeftBottomPoint, info.RightBottomPoint,
                            info.MaskRectArea};
  const TbsFrameGeometry& g = FGeometry;
  const TbsSkinGeometry fit{g.TopLeft, g.TopRight, g.BottomLeft, g.BottomRight, g.MaskArea};
  // The bands serve the edge hit tests as well.
  ComposeMaskBands(geo, fit, mask, {&FMaskLeft, &FMaskTop, &FMaskRight, &FMaskBottom}, size);
  HRGN region;
  if (FWidth == mask->Width() && FHeight == mask->Height()) {
    region = RegionFromMask(mask);
  } else {
    region = CreateRectRgnIndirect(&g.MaskArea);
    const auto add = [&](TBitmap& band, int dx, int dy) {
      if (band.Empty()) return;
      const std::vector<uint8_t> data = MaskRunsToRegionData(&band, dx, dy);
      HRGN part = ExtCreateRegion(nullptr, uint32_t(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
      if (!part) return;
      CombineRgn(region, region, part, RGN_OR);
      DeleteObject(part);
    };
    add(FMaskTop, 0, 0);
    add(FMaskBottom, 0, g.MaskArea.Bottom);
    add(FMaskLeft, 0, g.MaskArea.Top);
    add(FMaskRight, g.MaskArea.Right, g.MaskArea.Top);
  }
  if (FRegion) DeleteObject(FRegion);
  FRegion = region;
  FRegionSize = size;
  // The window takes the region it is given; ours stays for the hit tests.
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(copy, FRegion, HRGN(), RGN_COPY);
  SetWindowRgn(FForm->Handle(), copy, true);
}

// ---- Hit tests ---------------------------------------------------------------------

LRESULT TbsSkinForm::HitTest(POINT p) { return FSkinActive ? SkinHitTest(p) : DefaultHitTest(p); }

LRESULT TbsSkinForm::SkinHitTest(POINT p) {
  const auto inCaption = [&] {
    for (const auto& object : FObjects)
      if (object->Visible && object->HitCode() == HTCAPTION && object->ObjectRect.Contains(p)) return true;
    return false;
  };
  FWidth = WindowWidth();
  FHeight = WindowHeight();
  if (!CalcRects()) return HTOBJECT;
  CalcObjectRects();
  if (FRolledUp || FWindowState == fwsMinimized) return inCaption() ? HTCAPTION : HTOBJECT;
  const TbsFrameGeometry& g = FGeometry;
  if (FHotIndex != -1 && !inCaption() && !g.Inner.Contains(p) && !FInSizeMove) return HTOBJECT;
  if (FWindowState != fwsMaximized && Sizeable()) {
    const int b = FSkinData->FormInfo().BorderWidth;
    const RECT window{0, 0, FWidth, FHeight};
    TBitmap* mask = FSkinData->MaskPicture();
    const bool hasMask = mask && !mask->Empty() && !FMaskTop.Empty();
    const auto inside = [&](POINT q) {
      if (!window.Contains(q)) return false;
      if (!hasMask) return true;
      const RECT& m = g.MaskArea;
      if (m.Contains(q)) return true;
      if (q.Y < m.Top) return IsBlackPixel(FMaskTop, q.X, q.Y);
      if (q.Y >= m.Bottom) return IsBlackPixel(FMaskBottom, q.X, q.Y - m.Bottom);
      if (q.X < m.Left) return IsBlackPixel(FMaskLeft, q.X, q.Y - m.Top);
      return IsBlackPixel(FMaskRight, q.X - m.Right, q.Y - m.Top);
    };
    const POINT probes[] = {{p.X - b, p.Y}, {p.X, p.Y - b}, {p.X + b, p.Y}, {p.X, p.Y + b}};
    bool near = false;
    if (!hasMask || !g.MaskArea.Contains(p)) {
      for (POINT q : probes) near = near || !inside(q);
    }
    if (const LRESULT zone = near ? g.SizingZone(p) : HTNOWHERE; zone != HTNOWHERE) return zone;
  }
  if (g.Inner.Contains(p)) return HTCLIENT;
  if (inCaption()) return HTCAPTION;
  return HTOBJECT;
}

LRESULT TbsSkinForm::DefaultHitTest(POINT p) {
  FGeometry.FitDefault(WindowWidth(), WindowHeight(), ToolWindow());
  const TbsFrameGeometry& g = FGeometry;
  if (FWindowState != fwsMaximized && !FRolledUp && Sizeable() && FWindowState != fwsMinimized) {
    if (FHotIndex != -1) return HTOBJECT;
    if (const LRESULT zone = g.SizingZone(p); zone != HTNOWHERE) return zone;
  }
  for (const auto& object : FObjects)
    if (object->Visible && object->Enabled && object->ObjectRect.Contains(p)) return HTOBJECT;
  if (g.Caption.Contains(p)) return HTCAPTION;
  if (g.Inner.Contains(p)) return HTCLIENT;
  return HTOBJECT;
}

// ---- Hot tracking ------------------------------------------------------------------

void TbsSkinForm::HotTracking(POINT p, bool allowHot) {
  if (FObjects.empty() || !GetFormActive()) return;
  FPrevHotIndex = FHotIndex;
  int hot = -1;
  if (allowHot) {
    for (int i = 0; i < ObjectCount(); ++i) {
      const TbsActiveSkinObject* object = Objects(i);
      if (object->Enabled && object->Visible && object->ObjectRect.Contains(p)) {
        hot = i;
        break;
      }
    }
  }
  if (FCapturedIndex != -1 && hot != FCapturedIndex) hot = -1;
  if (hot == FHotIndex) return;
  const int previous = FHotIndex;
  FHotIndex = hot;
  auto* hint = dynamic_cast<IbsFrameHint*>(FSkinHint);
  if (previous != -1 && previous < ObjectCount()) {
    Objects(previous)->MouseLeave();
    if (ShowObjectHint && hint) hint->HideObjectHint();
  }
  if (hot != -1 && hot < ObjectCount()) {
    Objects(hot)->MouseEnter();
    if (ShowObjectHint && hint && !Objects(hot)->Hint.empty()) hint->ShowObjectHint(Objects(hot)->Hint);
  }
}

void TbsSkinForm::HotTrackTick() {
  if (!FForm->HandleAllocated() || FInSizeMove || !GetFormActive()) {
    FHotTrackTimer->SetEnabled(false);
    return;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  RECT window;
  GetWindowRect(FForm->Handle(), &window);
  const POINT p = cursor - window.TopLeft();
  const bool inClient =
      FSkinActive ? FGeometry.Inner.Contains(p) : ClientRectFor(window.Width(), window.Height()).Contains(p);
  HotTracking(p, !inClient);
  if (FHotIndex == -1 && FCapturedIndex == -1) FHotTrackTimer->SetEnabled(false);
}

void TbsSkinForm::ResetHotState() {
  for (const auto& object : FObjects) object->ResetHover();
}

void TbsSkinForm::UpdateCaptionActiveState(bool repaint, bool animate) {
  const bool active = GetFormActive();
  for (const auto& object : FObjects) object->SetActiveState(active, repaint && animate);
  if (repaint) PaintNCNow();
  if (active)
    OnActivate(this);
  else
    OnDeActivate(this);
}

// ---- Skins -------------------------------------------------------------------------

void TbsSkinForm::CreateDefaultObjects() {
  for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray, cmSysMenu}) {
    auto button = std::make_unique<TbsSkinStdButtonObject>(this, nullptr);
    button->Command = command;
    button->SkinSupport = false;
    button->SkinRectInAPicture = true;
    FObjects.push_back(std::move(button));
  }
}

void TbsSkinForm::SyncObjectsFromSkin() {
  FObjects.clear();
  FHotIndex = FPrevHotIndex = FCapturedIndex = -1;
  if (!FSkinActive) {
    CreateDefaultObjects();
    return;
  }
  for (int i = 0; i < FSkinData->ObjectRecordCount(); ++i) {
    const TbsDataSkinObject* record = FSkinData->ObjectRecord(i);
    if (dynamic_cast<const TbsDataSkinMenuItem*>(record) || dynamic_cast<const TbsDataSkinMainMenuItem*>(record) ||
        dynamic_cast<const TbsDataSkinMainMenuBarButton*>(record))
      continue;
    std::unique_ptr<TbsActiveSkinObject> object;
    if (dynamic_cast<const TbsDataSkinStdButton*>(record))
      object = std::make_unique<TbsSkinStdButtonObject>(this, record);
    else if (dynamic_cast<const TbsDataSkinButton*>(record))
      object = std::make_unique<TbsSkinButtonObject>(this, record);
    else if (dynamic_cast<const TbsDataSkinCaption*>(record))
      object = std::make_unique<TbsSkinCaptionObject>(this, record);
    else if (dynamic_cast<const TbsDataSkinAnimate*>(record))
      object = std::make_unique<TbsSkinAnimateObject>(this, record);
    else if (dynamic_cast<const TbsDataUserObject*>(record))
      object = std::make_unique<TbsUserObject>(this, record);
    if (object) FObjects.push_back(std::move(object));
  }
}

void TbsSkinForm::ApplySkin() {
  FSkinActive = FSkinData && !FSkinData->Empty() && !FSkinData->Picture()->Empty();
  SyncObjectsFromSkin();
  SetBorderIconsVisibility();
  if (!FSkinActive) UpdateRegion(true);
  if (FForm->HandleAllocated() && !Designing()) {
    const HWND h = FForm->Handle();
    RECT r;
    GetWindowRect(h, &r);
    int w = r.Width(), hh = r.Height();
    const int minW = GetMinWidth(), minH = GetMinHeight();
    if (FRolledUp || FWindowState == fwsMinimized) hh = minH;
    if (FWindowState == fwsMinimized) w = minW;
    w = std::max(w, minW);
    hh = std::max(hh, minH);
    if (w != r.Width() || hh != r.Height())
      SetWindowPos(h, HWND(), 0, 0, w, hh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The client area follows the skin's frame.
    SetWindowPos(h, HWND(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    FWidth = WindowWidth();
    FHeight = WindowHeight();
    if (FSkinActive) {
      CalcRects();
      UpdateRegion(true);
    }
    PaintNCNow();
    UpdateCaptionActiveState(false, false);
    if (GetFormActive()) FHotTrackTimer->SetEnabled(true);
  }
  OnChangeSkinData(this);
  if (!FRolledUp && FForm->HandleAllocated()) {
    if (ClientWidth > 0) FForm->SetClientWidth(ClientWidth);
    if (ClientHeight > 0) FForm->SetClientHeight(ClientHeight);
  }
}

}  // namespace kora
