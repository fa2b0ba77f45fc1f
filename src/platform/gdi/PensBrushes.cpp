#include <array>

#include "platform/gdi/GdiObjects.h"

namespace kora {

namespace {

HPEN NewPen(int style, int width, COLORREF color) {
  auto pen = std::make_unique<PenObject>();
  pen->Style = style;
  pen->Width = width < 1 ? 1 : width;
  pen->Color = color;
  return HPEN(RegisterGdiObject(std::move(pen)));
}

HBRUSH NewBrush(uint32_t style, COLORREF color) {
  auto brush = std::make_unique<BrushObject>();
  brush->Style = style;
  brush->Color = color;
  return HBRUSH(RegisterGdiObject(std::move(brush)));
}

template <class H>
H MakeStock(H handle) {
  for (GdiKind kind : {GdiKind::Pen, GdiKind::Brush})
    if (GdiObject* o = LookupGdiObject(handle.Value(), kind)) o->SetStock(true);
  return handle;
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
  static const std::array<HGDIOBJ, NULL_PEN + 1> stock = {
      MakeStock(NewBrush(BS_SOLID, RGB(255, 255, 255))),
      MakeStock(NewBrush(BS_SOLID, RGB(192, 192, 192))),
      MakeStock(NewBrush(BS_SOLID, RGB(128, 128, 128))),
      MakeStock(NewBrush(BS_SOLID, RGB(64, 64, 64))),
      MakeStock(NewBrush(BS_SOLID, RGB(0, 0, 0))),
      MakeStock(NewBrush(BS_NULL, 0)),
      MakeStock(NewPen(PS_SOLID, 1, RGB(255, 255, 255))),
      MakeStock(NewPen(PS_SOLID, 1, RGB(0, 0, 0))),
      MakeStock(NewPen(PS_NULL, 1, 0)),
  };
  if (index >= 0 && index <= NULL_PEN) return stock[index];
  return StockObjectOverride(index);
}

HPEN CreatePen(int style, int width, COLORREF color) {
  switch (style & PS_STYLE_MASK) {
    case PS_SOLID:
    case PS_DASH:
    case PS_DOT:
    case PS_NULL:
    case PS_INSIDEFRAME: return NewPen(style & PS_STYLE_MASK, width, color);
    default: return HPEN();
  }
}

HBRUSH CreateSolidBrush(COLORREF color) { return NewBrush(BS_SOLID, color); }

HBRUSH GetSysColorBrush(int index) {
  static std::array<HBRUSH, SYS_COLOR_COUNT> brushes{};
  if (index < 0 || index >= SYS_COLOR_COUNT) return HBRUSH();
  if (!brushes[index]) brushes[index] = MakeStock(NewBrush(BS_SOLID, GetSysColor(index)));
  return brushes[index];
}

int GetObject(HPEN pen, LOGPEN* out) {
  const auto* p = LookupGdiObject<PenObject>(pen);
  if (!p || !out) return 0;
  out->lopnStyle = uint32_t(p->Style);
  out->lopnWidth = {p->Width, 0};
  out->lopnColor = p->Color;
  return int(sizeof(LOGPEN));
}

int GetObject(HBRUSH brush, LOGBRUSH* out) {
  const auto* b = LookupGdiObject<BrushObject>(brush);
  if (!b || !out) return 0;
  *out = {b->Style, b->Color, 0};
  return int(sizeof(LOGBRUSH));
}

bool BrushColor(HBRUSH brush, COLORREF* color) {
  const uint64_t value = brush.Value();
  if (value >= 1 && value <= uint64_t(SYS_COLOR_COUNT)) {
    *color = GetSysColor(int(value - 1));
    return true;
  }
  const auto* b = LookupGdiObject<BrushObject>(brush);
  if (!b || b->Style != BS_SOLID) return false;
  *color = b->Color;
  return true;
}

}  // namespace kora
