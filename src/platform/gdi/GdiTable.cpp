#include <array>
#include <deque>
#include <vector>

#include "platform/gdi/GdiObjects.h"

namespace kora {

namespace {

struct Slot {
  uint32_t Generation = 0;
  std::unique_ptr<GdiObject> Object;
};

// Freed slots are reused oldest first so a stale handle meets a new
// generation rather than a fresh object in its old slot.
struct ObjectTable {
  std::vector<Slot> Slots;
  std::deque<uint32_t> Free;
};

// Never destroyed: objects may hold resources of other singletons (fonts)
// that are gone by the time statics are torn down.
ObjectTable& Table() {
  static ObjectTable& table = *new ObjectTable;
  return table;
}

std::array<HGDIOBJ, STOCK_LAST + 1>& ExtraStock() {
  static std::array<HGDIOBJ, STOCK_LAST + 1> stock{};
  return stock;
}

}  // namespace

uint64_t RegisterGdiObject(std::unique_ptr<GdiObject> object) {
  ObjectTable& t = Table();
  uint32_t index;
  if (!t.Free.empty() && t.Free.size() > 64) {
    index = t.Free.front();
    t.Free.pop_front();
  } else {
    index = uint32_t(t.Slots.size());
    t.Slots.emplace_back();
  }
  Slot& slot = t.Slots[index];
  if (++slot.Generation == 0) slot.Generation = 1;
  slot.Object = std::move(object);
  return (uint64_t(slot.Generation) << 32) | index;
}

GdiObject* LookupGdiObject(uint64_t value, GdiKind kind) {
  ObjectTable& t = Table();
  const uint32_t index = uint32_t(value);
  const uint32_t generation = uint32_t(value >> 32);
  if (generation == 0 || index >= t.Slots.size()) return nullptr;
  Slot& slot = t.Slots[index];
  if (slot.Generation != generation || !slot.Object || slot.Object->Kind() != kind) return nullptr;
  return slot.Object.get();
}

bool UnregisterGdiObject(uint64_t value, GdiKind kind) {
  if (!LookupGdiObject(value, kind)) return false;
  ObjectTable& t = Table();
  const uint32_t index = uint32_t(value);
  // Move the object out first: its destructor may release other handles.
  std::unique_ptr<GdiObject> dying = std::move(t.Slots[index].Object);
  t.Free.push_back(index);
  return true;
}

void RegisterStockObject(int index, HGDIOBJ object) {
  if (index < 0 || index > STOCK_LAST) return;
  for (GdiKind kind : {GdiKind::Pen, GdiKind::Brush, GdiKind::Font, GdiKind::Bitmap}) {
    if (GdiObject* o = LookupGdiObject(object.Value(), kind)) {
      o->SetStock(true);
      ExtraStock()[index] = object;
    }
  }
}

HGDIOBJ StockObjectOverride(int index) { return index >= 0 && index <= STOCK_LAST ? ExtraStock()[index] : HGDIOBJ(); }

namespace {

GdiObject* FindDrawingObject(HGDIOBJ object, GdiKind* kind) {
  for (GdiKind k : {GdiKind::Pen, GdiKind::Brush, GdiKind::Font, GdiKind::Bitmap, GdiKind::Region}) {
    if (GdiObject* o = LookupGdiObject(object.Value(), k)) {
      *kind = k;
      return o;
    }
  }
  return nullptr;
}

}  // namespace

bool DeleteObject(HGDIOBJ object) {
  GdiKind kind;
  GdiObject* o = FindDrawingObject(object, &kind);
  if (!o) return false;
  if (o->IsStock()) return true;
  if (o->SelectCount() > 0) return false;
  return UnregisterGdiObject(object.Value(), kind);
}

int GetObjectType(HGDIOBJ object) {
  GdiKind kind;
  if (!FindDrawingObject(object, &kind)) return 0;
  switch (kind) {
    case GdiKind::Pen: return OBJ_PEN;
    case GdiKind::Brush: return OBJ_BRUSH;
    case GdiKind::Font: return OBJ_FONT;
    case GdiKind::Bitmap: return OBJ_BITMAP;
    case GdiKind::Region: return OBJ_REGION;
    default: return 0;
  }
}

}  // namespace kora
