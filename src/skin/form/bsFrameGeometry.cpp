// The frame's rectangles for a size, with or without a skin.

#include "skin/form/bsFrameGeometry.h"

#include "skin/form/bsSkinForm.h"

namespace kora {

namespace {

constexpr int kDefaultBorder = 3;
// The default look's sizing zones are the border's outer pixels.
constexpr int kDefaultSizingEdge = 2;

}  // namespace

void TbsFrameGeometry::FitSkin(const TbsSkinData* skin, int w, int h) {
  FSkin = skin;
  Skinned = true;
  Width = w;
  Height = h;
  const TbsSkinFormInfo& info = skin->FormInfo();
  const int picW = skin->Picture()->Width(), picH = skin->Picture()->Height();
  const int dx = w - picW, dy = h - picH;
  TopLeft = info.LeftTopPoint;
  TopRight = info.RightTopPoint.Offsetted(dx, 0);
  BottomLeft = info.LeftBottomPoint.Offsetted(0, dy);
  BottomRight = info.RightBottomPoint.Offsetted(dx, dy);
  Inner = ClientRect(skin, w, h, false);
  Caption = info.CaptionRect;
  if (!IsEmptyRect(Caption)) Caption.Right += dx;
  Buttons = info.ButtonsRect;
  if (!IsEmptyRect(Buttons) && Buttons.Left > picW / 2) Buttons.Offset(dx, 0);
  HitTopLeft = info.HitTestLeftTopPoint;
  HitTopRight = info.HitTestRightTopPoint.Offsetted(dx, 0);
  HitBottomLeft = info.HitTestLeftBottomPoint.Offsetted(0, dy);
  HitBottomRight = info.HitTestRightBottomPoint.Offsetted(dx, dy);
  SizingInner = Inner;
  const RECT& m = info.MaskRectArea;
  MaskArea = {m.Left, m.Top, m.Right + dx, m.Bottom + dy};
  ButtonsOffset = info.ButtonsOffset;
  ButtonsInLeft = info.ButtonsInLeft;
}

void TbsFrameGeometry::FitDefault(int w, int h, bool toolWindow) {
  FSkin = nullptr;
  Skinned = false;
  Width = w;
  Height = h;
  Caption = {kDefaultBorder, kDefaultBorder, w - kDefaultBorder, kDefaultBorder + DefaultCaptionHeight(toolWindow)};
  Inner = ClientRect(nullptr, w, h, toolWindow);
  Buttons = {};
  MaskArea = {};
  TopLeft = TopRight = BottomLeft = BottomRight = {};
  constexpr int e = kDefaultSizingEdge;
  HitTopLeft = {e, e};
  HitTopRight = {w - e, e};
  HitBottomLeft = {e, h - e};
  HitBottomRight = {w - e, h - e};
  SizingInner = {e + 1, e + 1, w - e, h - e};
  ButtonsOffset = 0;
  ButtonsInLeft = false;
}

RECT TbsFrameGeometry::ClientRect(const TbsSkinData* skin, int w, int h, bool toolWindow) {
  if (!skin)
    return {kDefaultBorder, kDefaultBorder + DefaultCaptionHeight(toolWindow), w - kDefaultBorder, h - kDefaultBorder};
  const RECT& c = skin->FormInfo().ClientRect;
  const int dx = w - skin->Picture()->Width(), dy = h - skin->Picture()->Height();
  return {c.Left, c.Top, c.Right + dx, c.Bottom + dy};
}

LRESULT TbsFrameGeometry::SizingZone(POINT p) const {
  const POINT lt = HitTopLeft, rt = HitTopRight, lb = HitBottomLeft, rb = HitBottomRight;
  if (p.X <= lt.X && p.Y <= lt.Y) return HTTOPLEFT;
  if (p.X >= rt.X && p.Y <= rt.Y) return HTTOPRIGHT;
  if (p.X <= lb.X && p.Y >= lb.Y) return HTBOTTOMLEFT;
  if (p.X >= rb.X && p.Y >= rb.Y) return HTBOTTOMRIGHT;
  if (RECT{lt.X, 0, rt.X, SizingInner.Top}.Contains(p)) return HTTOP;
  if (RECT{lb.X, SizingInner.Bottom, rb.X, Height}.Contains(p)) return HTBOTTOM;
  if (RECT{0, lt.Y, SizingInner.Left, lb.Y}.Contains(p)) return HTLEFT;
  if (RECT{SizingInner.Right, rt.Y, Width, rb.Y}.Contains(p)) return HTRIGHT;
  return HTNOWHERE;
}

void TbsFrameGeometry::PlaceDefaultButtons(const std::vector<std::unique_ptr<TbsActiveSkinObject>>& objects) const {
  // Square buttons a pixel inside the caption row, from its right; the
  // system menu button at its left.
  const int size = HeightOf(Caption) - 2, top = Caption.Top + 1;
  int x = Caption.Right;
  for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray}) {
    for (const auto& object : objects) {
      if (object->ButtonCommand() != command || !object->Visible) continue;
      object->ObjectRect = {x - size, top, x, top + size};
      x -= size;
    }
  }
  for (const auto& object : objects)
    if (object->ButtonCommand() == cmSysMenu) object->ObjectRect = RECT::FromSize(Caption.Left + 1, top, size, size);
}

void TbsFrameGeometry::PlaceObjects(const std::vector<std::unique_ptr<TbsActiveSkinObject>>& objects,
                                    bool systemIcon) const {
  if (!Skinned) {
    PlaceDefaultButtons(objects);
    return;
  }
  const TbsSkinFormInfo& info = FSkin->FormInfo();
  const int picW = FSkin->Picture()->Width(), picH = FSkin->Picture()->Height();
  const int dx = Width - picW, dy = Height - picH;
  // Objects in place: by the corner areas of the main picture they lie in
  // (right and bottom edges excluded).
  const RECT tl{0, 0, info.LeftTopPoint.X, info.LeftTopPoint.Y};
  const RECT tr{info.RightTopPoint.X, 0, picW, info.RightTopPoint.Y};
  const RECT bl{0, info.LeftBottomPoint.Y, info.LeftBottomPoint.X, picH};
  const RECT br{info.RightBottomPoint.X, info.RightBottomPoint.Y, picW, picH};
  for (const auto& object : objects) {
    if (object->ButtonCommand() && object->SkinRectInAPicture) continue;
    RECT r = object->SkinRect;
    const POINT t = r.TopLeft(), b = r.BottomRight();
    if (RectInsideRect(r, tl)) {
    } else if (RectInsideRect(r, tr)) {
      r.Offset(dx, 0);
    } else if (RectInsideRect(r, bl)) {
      r.Offset(0, dy);
    } else if (RectInsideRect(r, br)) {
      r.Offset(dx, dy);
    } else if (tl.Contains(t) && br.Contains(b)) {
      r.Right += dx;
      r.Bottom += dy;
    } else if (tl.Contains(t) && tr.Contains(b)) {
      r.Right += dx;
    } else if (bl.Contains(t) && br.Contains(b)) {
      r.Right += dx;
      r.Offset(0, dy);
    } else if (tl.Contains(t) && bl.Contains(b)) {
      r.Bottom += dy;
    } else if (tr.Contains(t) && br.Contains(b)) {
      r.Offset(dx, 0);
      r.Bottom += dy;
    }
    object->ObjectRect = r;
  }
  // The caption buttons along their row.
  const bool inButtonsRect = !IsEmptyRect(Buttons);
  const RECT row = inButtonsRect ? Buttons : Caption;
  if (IsEmptyRect(row)) return;
  const auto placedButton = [](const TbsActiveSkinObject* object) {
    return object->SkinRectInAPicture && object->Visible;
  };
  std::vector<TbsActiveSkinObject*> order;
  for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray, cmDefault}) {
    for (const auto& object : objects)
      if (object->ButtonCommand() == command && placedButton(object.get())) order.push_back(object.get());
  }
  TbsActiveSkinObject* sysMenu = nullptr;
  for (const auto& object : objects) {
    if (object->ButtonCommand() == cmSysMenu && placedButton(object.get())) {
      sysMenu = object.get();
      break;
    }
  }
  const auto sizeOf = [&](const TbsActiveSkinObject* object) {
    if (object->Parent && object->ButtonCommand() == cmSysMenu && systemIcon)
      return SIZE{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
    return SIZE{WidthOf(object->SkinRect), HeightOf(object->SkinRect)};
  };
  const auto makeRoom = [&](bool leftSide, int x) {
    for (const auto& object : objects) object->MakeRoomForButtons(leftSide, x);
  };
  if (!ButtonsInLeft) {
    int x = row.Right;
    for (TbsActiveSkinObject* object : order) {
      const SIZE s = sizeOf(object);
      object->ObjectRect = {x - s.cx, row.Top, x, row.Top + s.cy};
      x -= s.cx + ButtonsOffset;
    }
    if (!inButtonsRect) makeRoom(false, x + ButtonsOffset);
    if (sysMenu && !IsEmptyRect(Caption)) {
      const SIZE s = sizeOf(sysMenu);
      const int top = Caption.Top + HeightOf(Caption) / 2 - s.cy / 2;
      sysMenu->ObjectRect = RECT::FromSize(Caption.Left, top, s.cx, s.cy);
      makeRoom(true, sysMenu->ObjectRect.Right);
    }
  } else {
    int x = row.Left;
    if (sysMenu) order.push_back(sysMenu);
    for (TbsActiveSkinObject* object : order) {
      const SIZE s = sizeOf(object);
      object->ObjectRect = {x, row.Top, x + s.cx, row.Top + s.cy};
      x += s.cx + ButtonsOffset;
    }
    if (!inButtonsRect) makeRoom(true, x + ButtonsOffset);
  }
}

}  // namespace kora
