// Icons: a colour image with an AND mask, or with per-pixel alpha.

#include <map>

#include "platform/gdi/Blit.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/SystemIcons.h"

namespace kora {

namespace {

constexpr int DEFAULT_ICON_SIZE = 32;

struct IconObject : GdiObject {
  static constexpr GdiKind kObjectKind = GdiKind::Icon;
  IconObject() : GdiObject(kObjectKind) {}
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Color;          // 0xAARRGGBB, straight alpha when HasAlpha
  std::vector<uint8_t> Mask;            // 1: the background shows through
  std::vector<uint32_t> Premultiplied;  // alpha icons, for blending
  std::vector<uint32_t> MaskPixels;     // the mask as white (background) and black pixels
  bool HasAlpha = false;
  bool IsIcon = true;
  uint32_t HotspotX = 0;
  uint32_t HotspotY = 0;
  int SystemId = 0;  // one of our standard icons, redrawn rather than scaled

  void Finish() {
    MaskPixels.resize(Mask.size());
    for (std::size_t i = 0; i < Mask.size(); ++i) MaskPixels[i] = Mask[i] ? RGB_MASK : 0;
    if (!HasAlpha) return;
    Premultiplied.resize(Color.size());
    for (std::size_t i = 0; i < Color.size(); ++i) {
      const uint32_t c = Color[i], a = c >> 24;
      const auto mul = [a](uint32_t v) { return (v * a + 127) / 255; };
      Premultiplied[i] = a << 24 | mul(c >> 16 & 0xFF) << 16 | mul(c >> 8 & 0xFF) << 8 | mul(c & 0xFF);
    }
  }
  PixelSurface Surface(std::vector<uint32_t>& pixels) { return {pixels.data(), Width, Height, Width}; }
};

IconObject* FindIcon(HICON icon) { return LookupGdiObject<IconObject>(icon); }

HICON Register(std::unique_ptr<IconObject> icon) {
  icon->Finish();
  return HICON(RegisterGdiObject(std::move(icon)));
}

std::unique_ptr<IconObject> SystemIcon(int id, int size) {
  auto icon = std::make_unique<IconObject>();
  icon->Width = icon->Height = size;
  icon->Color = RenderSystemIcon(id, size);
  icon->Mask.resize(icon->Color.size());
  for (std::size_t i = 0; i < icon->Color.size(); ++i) icon->Mask[i] = (icon->Color[i] >> 24) == 0;
  icon->HasAlpha = true;
  icon->SystemId = id;
  icon->HotspotX = icon->HotspotY = uint32_t(size / 2);
  return icon;
}

// Nearest-neighbour resampling of a pixel array.
template <class T>
std::vector<T> Resample(const std::vector<T>& src, int w, int h, int cx, int cy) {
  std::vector<T> out(std::size_t(cx) * std::size_t(cy));
  for (int y = 0; y < cy; ++y) {
    const int sy = int((int64_t(2 * y + 1) * h) / (2 * int64_t(cy)));
    for (int x = 0; x < cx; ++x) {
      const int sx = int((int64_t(2 * x + 1) * w) / (2 * int64_t(cx)));
      out[std::size_t(y) * std::size_t(cx) + std::size_t(x)] = src[std::size_t(sy) * std::size_t(w) + std::size_t(sx)];
    }
  }
  return out;
}

HBITMAP BitmapOf(int w, int h, const std::vector<uint32_t>& pixels) {
  auto b = std::make_unique<BitmapObject>(w, h);
  b->Pixels = pixels;
  return RegisterBitmap(std::move(b));
}

}  // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
  if (!info) return HICON();
  const BitmapObject* mask = FindBitmap(info->hbmMask);
  const BitmapObject* color = FindBitmap(info->hbmColor);
  auto icon = std::make_unique<IconObject>();
  icon->IsIcon = info->fIcon;
  icon->HotspotX = info->xHotspot;
  icon->HotspotY = info->yHotspot;
  if (color) {
    icon->Width = color->Width;
    icon->Height = color->Height;
    icon->Color = color->Pixels;
    for (uint32_t p : icon->Color) icon->HasAlpha |= (p >> 24) != 0;
    if (mask && (mask->Width < icon->Width || mask->Height < icon->Height)) return HICON();
    if (!mask && !icon->HasAlpha) return HICON();
  } else {
    // A monochrome icon: the AND mask above the XOR image in one bitmap.
    if (!mask || mask->Height < 2 || mask->Height % 2) return HICON();
    icon->Width = mask->Width;
    icon->Height = mask->Height / 2;
    const std::size_t half = std::size_t(icon->Width) * std::size_t(icon->Height);
    icon->Color.assign(mask->Pixels.begin() + std::ptrdiff_t(half), mask->Pixels.end());
  }
  icon->Mask.resize(std::size_t(icon->Width) * std::size_t(icon->Height));
  for (int y = 0; y < icon->Height; ++y)
    for (int x = 0; x < icon->Width; ++x) {
      const std::size_t i = std::size_t(y) * std::size_t(icon->Width) + std::size_t(x);
      icon->Mask[i] = mask ? (mask->Pixels[std::size_t(y) * std::size_t(mask->Width) + std::size_t(x)] & RGB_MASK) != 0
                           : (icon->Color[i] >> 24) == 0;
    }
  return Register(std::move(icon));
}

bool GetIconInfo(HICON icon, ICONINFO* info) {
  IconObject* i = FindIcon(icon);
  if (!i || !info) return false;
  info->fIcon = i->IsIcon;
  info->xHotspot = i->HotspotX;
  info->yHotspot = i->HotspotY;
  info->hbmColor = BitmapOf(i->Width, i->Height, i->Color);
  info->hbmMask = BitmapOf(i->Width, i->Height, i->MaskPixels);
  return true;
}

bool DestroyIcon(HICON icon) {
  IconObject* i = FindIcon(icon);
  if (!i) return false;
  if (i->IsStock()) return true;
  return UnregisterGdiObject(icon.Value(), GdiKind::Icon);
}

HICON LoadIcon(const void* instance, int id) {
  static std::map<int, HICON> shared;
  if (instance || !IsSystemIconId(id)) return HICON();
  HICON& slot = shared[id];
  if (!FindIcon(slot)) {
    auto icon = SystemIcon(id, DEFAULT_ICON_SIZE);
    icon->SetStock(true);
    slot = Register(std::move(icon));
  }
  return slot;
}

HICON LoadSystemIcon(int id, int size) {
  if (!IsSystemIconId(id) || size < 8 || size > 256) return HICON();
  return Register(SystemIcon(id, size));
}

HandleValue CopyImage(HandleValue image, uint32_t type, int cx, int cy, uint32_t flags) {
  if (cx < 0 || cy < 0) return HandleValue();
  if (type == IMAGE_BITMAP) {
    const BitmapObject* b = FindBitmap(HBITMAP(image));
    if (!b) return HandleValue();
    const int w = cx ? cx : b->Width, h = cy ? cy : b->Height;
    if (int64_t(w) * h > MAX_BITMAP_PIXELS) return HandleValue();
    const HBITMAP copy = BitmapOf(w, h, Resample(b->Pixels, b->Width, b->Height, w, h));
    if (flags & LR_COPYDELETEORG) DeleteObject(HBITMAP(image));
    return copy;
  }
  if (type != IMAGE_ICON) return HandleValue();
  IconObject* i = FindIcon(HICON(image));
  if (!i) return HandleValue();
  const int fallback = (flags & LR_DEFAULTSIZE) ? DEFAULT_ICON_SIZE : 0;
  const int w = cx ? cx : (fallback ? fallback : i->Width), h = cy ? cy : (fallback ? fallback : i->Height);
  if (int64_t(w) * h > MAX_BITMAP_PIXELS) return HandleValue();
  std::unique_ptr<IconObject> copy;
  if (i->SystemId && w == h && w >= 8 && w <= 256) {
    copy = SystemIcon(i->SystemId, w);
  } else {
    copy = std::make_unique<IconObject>();
    copy->Width = w;
    copy->Height = h;
    copy->Color = Resample(i->Color, i->Width, i->Height, w, h);
    copy->Mask = Resample(i->Mask, i->Width, i->Height, w, h);
    copy->HasAlpha = i->HasAlpha;
    copy->IsIcon = i->IsIcon;
    copy->HotspotX = uint32_t(int64_t(i->HotspotX) * w / i->Width);
    copy->HotspotY = uint32_t(int64_t(i->HotspotY) * h / i->Height);
  }
  if (flags & LR_COPYDELETEORG) DestroyIcon(HICON(image));
  return Register(std::move(copy));
}

bool DrawIcon(HDC dc, int x, int y, HICON icon) {
  return DrawIconEx(dc, x, y, icon, 0, 0, 0, HBRUSH(), DI_NORMAL | DI_DEFAULTSIZE);
}

bool DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, uint32_t, HBRUSH flickerFreeBrush, uint32_t flags) {
  DrawTarget t;
  IconObject* i = FindIcon(icon);
  if (!i || !AcquireTarget(dc, t) || cx < 0 || cy < 0) return false;
  const int w = cx ? cx : ((flags & DI_DEFAULTSIZE) ? DEFAULT_ICON_SIZE : i->Width);
  const int h = cy ? cy : ((flags & DI_DEFAULTSIZE) ? DEFAULT_ICON_SIZE : i->Height);
  const int64_t sx = int64_t(x) + t.Dx, sy = int64_t(y) + t.Dy;
  COLORREF background;
  if (flickerFreeBrush && BrushColor(flickerFreeBrush, &background))
    FillSurfaceRect(t, SpanRect(sx, sy, w, h), ToPixel(background));
  BlitParams params;
  if ((flags & DI_IMAGE) && i->HasAlpha) {
    params.Mode = BlitParams::Alpha;
    params.Blend.AlphaFormat = AC_SRC_ALPHA;
    BlitSurface(t, sx, sy, w, h, i->Surface(i->Premultiplied), 0, 0, i->Width, i->Height, params);
    return true;
  }
  if (flags & DI_MASK) {
    params.Code = RopCode(SRCAND);
    BlitSurface(t, sx, sy, w, h, i->Surface(i->MaskPixels), 0, 0, i->Width, i->Height, params);
  }
  if (flags & DI_IMAGE) {
    params.Code = RopCode((flags & DI_MASK) ? SRCINVERT : SRCCOPY);
    BlitSurface(t, sx, sy, w, h, i->Surface(i->Color), 0, 0, i->Width, i->Height, params);
  }
  return true;
}

}  // namespace kora
