#include "platform/gdi/Geometry.h"

namespace kora {

bool SetRect(RECT* r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (!r) return false;
  *r = {left, top, right, bottom};
  return true;
}

bool OffsetRect(RECT* r, int32_t dx, int32_t dy) {
  if (!r) return false;
  r->Offset(dx, dy);
  return true;
}

bool InflateRect(RECT* r, int32_t dx, int32_t dy) {
  if (!r) return false;
  r->Inflate(dx, dy);
  return true;
}

bool IntersectRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return false;
  *dst = a->Intersect(*b);
  return !dst->IsEmpty();
}

bool UnionRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return false;
  *dst = a->Union(*b);
  return !dst->IsEmpty();
}

bool SubtractRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return false;
  RECT out = *a;
  const RECT cut = a->Intersect(*b);
  if (!cut.IsEmpty()) {
    const bool fullWidth = cut.Left == a->Left && cut.Right == a->Right;
    const bool fullHeight = cut.Top == a->Top && cut.Bottom == a->Bottom;
    if (fullWidth && fullHeight)
      out = {};
    else if (fullWidth && cut.Top == a->Top)
      out.Top = cut.Bottom;
    else if (fullWidth && cut.Bottom == a->Bottom)
      out.Bottom = cut.Top;
    else if (fullHeight && cut.Left == a->Left)
      out.Left = cut.Right;
    else if (fullHeight && cut.Right == a->Right)
      out.Right = cut.Left;
  }
  *dst = out.IsEmpty() ? RECT{} : out;
  return !dst->IsEmpty();
}

bool PtInRect(const RECT* r, POINT p) { return r && r->Contains(p); }

bool IsRectEmpty(const RECT* r) { return !r || r->IsEmpty(); }

}  // namespace kora
