#include "platform/gdi/Blit.h"

#include <cstring>
#include <vector>

#include "platform/gdi/Raster.h"

namespace kora {

namespace {

// For each destination pixel of [from, to) (relative to the destination
// start) the source index, or -1 outside the source surface. Samples at
// pixel centres, so a mirrored copy is the exact mirror image.
void MapAxis(int from, int to, int destLength, int srcStart, int srcLength, bool mirror, int srcLimit,
             std::vector<int>& out) {
  out.resize(std::size_t(to - from));
  for (int i = from; i < to; ++i) {
    int64_t j = (int64_t(2 * i + 1) * srcLength) / (2 * int64_t(destLength));
    if (mirror) j = srcLength - 1 - j;
    const int64_t s = srcStart + j;
    out[std::size_t(i - from)] = s >= 0 && s < srcLimit ? int(s) : -1;
  }
}

template <class Op>
void ScaledLoop(const DrawTarget& t, const RECT& dest, bool mirrorX, bool mirrorY, const PixelSurface& src,
                const RECT& srcRect, Op op) {
  const RECT work = dest.Intersect(t.Clip->Bounds());
  if (work.IsEmpty()) return;
  std::vector<int> xs, ys;
  MapAxis(work.Left - dest.Left, work.Right - dest.Left, dest.Width(), srcRect.Left, srcRect.Width(), mirrorX,
          src.Width, xs);
  MapAxis(work.Top - dest.Top, work.Bottom - dest.Top, dest.Height(), srcRect.Top, srcRect.Height(), mirrorY,
          src.Height, ys);
  t.Clip->ForEachRectIn(work, [&](const RECT& piece) {
    for (int y = piece.Top; y < piece.Bottom; ++y) {
      const int sy = ys[std::size_t(y - work.Top)];
      if (sy < 0) continue;
      const uint32_t* srow = src.Bits + std::ptrdiff_t(sy) * src.Stride;
      uint32_t* drow = t.Row(y);
      const int* map = xs.data() - work.Left;
      for (int x = piece.Left; x < piece.Right; ++x) {
        const int sx = map[x];
        if (sx >= 0) op(srow[sx], drow[x]);
      }
    }
  });
}

// Unscaled, unmirrored: straight row loops, plain copies as memmove.
template <class Op>
void UnscaledLoop(const DrawTarget& t, const RECT& dest, const PixelSurface& src, POINT srcOrigin, bool plainCopy,
                  Op op) {
  const int dx = srcOrigin.X - dest.Left, dy = srcOrigin.Y - dest.Top;
  const RECT reachable = RECT{0, 0, src.Width, src.Height}.Offsetted(-dx, -dy);
  const RECT work = dest.Intersect(reachable).Intersect(t.Clip->Bounds());
  if (work.IsEmpty()) return;
  t.Clip->ForEachRectIn(work, [&](const RECT& piece) {
    for (int y = piece.Top; y < piece.Bottom; ++y) {
      const uint32_t* srow = src.Bits + std::ptrdiff_t(y + dy) * src.Stride + dx;
      uint32_t* drow = t.Row(y);
      if (plainCopy) {
        std::memmove(drow + piece.Left, srow + piece.Left, std::size_t(piece.Width()) * 4);
        continue;
      }
      for (int x = piece.Left; x < piece.Right; ++x) op(srow[x], drow[x]);
    }
  });
}

uint32_t BlendChannel(uint32_t s, uint32_t d, uint32_t a) { return (s * a + d * (255 - a) + 127) / 255; }

template <class Op>
void Dispatch(const DrawTarget& t, const RECT& dest, bool mirrorX, bool mirrorY, const PixelSurface& src,
              const RECT& srcRect, bool plainCopy, Op op) {
  if (!mirrorX && !mirrorY && dest.Width() == srcRect.Width() && dest.Height() == srcRect.Height())
    UnscaledLoop(t, dest, src, srcRect.TopLeft(), plainCopy, op);
  else
    ScaledLoop(t, dest, mirrorX, mirrorY, src, srcRect, op);
}

}  // namespace

void BlitSurface(const DrawTarget& t, int64_t x, int64_t y, int w, int h, const PixelSurface& source, int64_t sx,
                 int64_t sy, int sw, int sh, const BlitParams& params) {
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return;
  const RECT dest = SpanRect(x, y, w, h);
  RECT srcRect = SpanRect(sx, sy, sw, sh);
  const bool mirrorX = (w < 0) != (sw < 0), mirrorY = (h < 0) != (sh < 0);

  // Copying within one surface reads from a snapshot, so overlapping
  // areas come out as if copied at once.
  PixelSurface src = source;
  std::vector<uint32_t> snapshot;
  if (source.Bits == t.Surface.Bits) {
    const RECT keep = srcRect.Intersect({0, 0, source.Width, source.Height});
    if (keep.IsEmpty()) return;
    snapshot.resize(std::size_t(keep.Width()) * std::size_t(keep.Height()));
    for (int row = 0; row < keep.Height(); ++row)
      std::memcpy(snapshot.data() + std::size_t(row) * std::size_t(keep.Width()),
                  source.Bits + std::ptrdiff_t(keep.Top + row) * source.Stride + keep.Left,
                  std::size_t(keep.Width()) * 4);
    src = {snapshot.data(), keep.Width(), keep.Height(), keep.Width()};
    srcRect.Offset(-keep.Left, -keep.Top);
  }

  switch (params.Mode) {
    case BlitParams::Transparent: {
      const uint32_t key = params.Key & RGB_MASK;
      Dispatch(t, dest, mirrorX, mirrorY, src, srcRect, false, [key](uint32_t s, uint32_t& d) {
        if ((s & RGB_MASK) != key) d = s & RGB_MASK;
      });
      return;
    }
    case BlitParams::Alpha: {
      const uint32_t constant = params.Blend.SourceConstantAlpha;
      if (params.Blend.AlphaFormat & AC_SRC_ALPHA) {
        // Premultiplied source: d = s * ca + d * (1 - sa * ca).
        Dispatch(t, dest, mirrorX, mirrorY, src, srcRect, false, [constant](uint32_t s, uint32_t& d) {
          const uint32_t sa = ((s >> 24) * constant + 127) / 255;
          uint32_t out = 0;
          for (int shift = 0; shift < 24; shift += 8) {
            const uint32_t c =
                ((s >> shift & 0xFF) * constant + 127) / 255 + ((d >> shift & 0xFF) * (255 - sa) + 127) / 255;
            out |= std::min<uint32_t>(c, 255) << shift;
          }
          d = out;
        });
      } else {
        Dispatch(t, dest, mirrorX, mirrorY, src, srcRect, false, [constant](uint32_t s, uint32_t& d) {
          d = BlendChannel(s >> 16 & 0xFF, d >> 16 & 0xFF, constant) << 16 |
              BlendChannel(s >> 8 & 0xFF, d >> 8 & 0xFF, constant) << 8 | BlendChannel(s & 0xFF, d & 0xFF, constant);
        });
      }
      return;
    }
    case BlitParams::Rop: break;
  }
  const uint8_t code = params.Code;
  const uint32_t p = params.Pattern;
  switch (code) {
    case 0xCC: Dispatch(t, dest, mirrorX, mirrorY, src, srcRect, true, [](uint32_t s, uint32_t& d) { d = s; }); break;
    case 0x88:
      Dispatch(t, dest, mirrorX, mirrorY, src, srcRect, false, [](uint32_t s, uint32_t& d) { d = d & s & RGB_MASK; });
      break;
    case 0xEE:
      Dispatch(t, dest, mirrorX, mirrorY, src, srcRect, false, [](uint32_t s, uint32_t& d) { d = (d | s) & RGB_MASK; });
      break;
    case 0x66:
      Dispatch(t, dest, mirrorX, mirrorY, src, srcRect, false, [](uint32_t s, uint32_t& d) { d = (d ^ s) & RGB_MASK; });
      break;
    case 0x33:
      Dispatch(t, dest, mirrorX, mirrorY, src, srcRect, false, [](uint32_t s, uint32_t& d) { d = ~s & RGB_MASK; });
      break;
    default:
      Dispatch(t, dest, mirrorX, mirrorY, src, srcRect, false,
               [code, p](uint32_t s, uint32_t& d) { d = Rop3(code, p, s, d); });
  }
}

namespace {

// Resolves the two DCs of a transfer; the destination rectangle goes to
// surface coordinates, the source rectangle to the source's surface.
bool Prepare(HDC dst, HDC src, DrawTarget& t, BlitSource& s) { return AcquireTarget(dst, t) && AcquireSource(src, s); }

}  // namespace

bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                DWORD rop) {
  const uint8_t code = RopCode(rop);
  if (!RopUsesSource(code)) return PatBlt(dst, x, y, width, height, rop);
  DrawTarget t;
  BlitSource s;
  if (!Prepare(dst, src, t, s)) return false;
  BlitParams params;
  params.Code = code;
  if (RopUsesPattern(code)) {
    COLORREF c;
    if (!BrushColor(t.Dc->State.Brush, &c)) return true;
    params.Pattern = ToPixel(c);
  }
  BlitSurface(t, int64_t(x) + t.Dx, int64_t(y) + t.Dy, width, height, s.Surface, int64_t(xSrc) + s.Dx,
              int64_t(ySrc) + s.Dy, srcWidth, srcHeight, params);
  return true;
}

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop) {
  return StretchBlt(dst, x, y, width, height, src, xSrc, ySrc, width, height, rop);
}

bool TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, COLORREF transparent) {
  if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0) return false;
  DrawTarget t;
  BlitSource s;
  if (!Prepare(dst, src, t, s)) return false;
  BlitParams params;
  params.Mode = BlitParams::Transparent;
  params.Key = ToPixel(transparent);
  BlitSurface(t, int64_t(x) + t.Dx, int64_t(y) + t.Dy, width, height, s.Surface, int64_t(xSrc) + s.Dx,
              int64_t(ySrc) + s.Dy, srcWidth, srcHeight, params);
  return true;
}

bool AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                BLENDFUNCTION blend) {
  if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0 || blend.BlendOp != AC_SRC_OVER) return false;
  DrawTarget t;
  BlitSource s;
  if (!Prepare(dst, src, t, s)) return false;
  BlitParams params;
  params.Mode = BlitParams::Alpha;
  params.Blend = blend;
  BlitSurface(t, int64_t(x) + t.Dx, int64_t(y) + t.Dy, width, height, s.Surface, int64_t(xSrc) + s.Dx,
              int64_t(ySrc) + s.Dy, srcWidth, srcHeight, params);
  return true;
}

}  // namespace kora
