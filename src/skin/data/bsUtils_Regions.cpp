// Window regions from mask pictures: every horizontal run of pure black
// pixels becomes one rectangle.

#include <cstring>

#include "platform/gdi/Region.h"
#include "skin/data/bsUtils.h"

namespace kora {

std::vector<uint8_t> MaskRunsToRegionData(TBitmap* bitmap, int dx, int dy) {
  if (!bitmap || bitmap->Empty()) return {};
  const TbsFBitmap pixels(bitmap->Handle());
  const int w = pixels.Width(), h = pixels.Height();

  // A growing list keeps every run, so detailed masks are not cut off.
  std::vector<RECT> runs;
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = pixels.Row(y);
    int x = 0;
    while (x < w) {
      const uint8_t* p = row + std::size_t(x) * 3;
      if ((p[0] | p[1] | p[2]) != 0) {
        ++x;
        continue;
      }
      const int start = x;
      for (p += 3, ++x; x < w && (p[0] | p[1] | p[2]) == 0; p += 3) ++x;
      runs.push_back({start + dx, y + dy, x + dx, y + dy + 1});
    }
  }

  RGNDATAHEADER header;
  header.nCount = uint32_t(runs.size());
  header.rcBound = {dx, dy, dx + w, dy + h};
  std::vector<uint8_t> block(sizeof header + runs.size() * sizeof(RECT), 0);
  std::memcpy(block.data(), &header, sizeof header);
  if (!runs.empty()) std::memcpy(block.data() + sizeof header, runs.data(), runs.size() * sizeof(RECT));
  return block;
}

namespace {

HRGN RegionFromBlock(const std::vector<uint8_t>& block) {
  if (block.empty()) return HRGN();
  return ExtCreateRegion(nullptr, uint32_t(block.size()), reinterpret_cast<const RGNDATA*>(block.data()));
}

}  // namespace

HRGN RegionFromMask(TBitmap* mask) { return RegionFromBlock(MaskRunsToRegionData(mask, 0, 0)); }

HRGN BuildSkinRegion(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, TBitmap* mask, SIZE size) {
  const RECT& NewC = fit.C;
  // A target smaller than the mask's fixed parts keeps its plain shape.
  if (fit.RT.X < fit.LT.X || fit.LB.Y < fit.LT.Y || IsEmptyRect(NewC)) return HRGN();
  TBitmap top, left, right, bottom;
  ComposeMaskBands(geo, fit, mask, {&left, &top, &right, &bottom}, size);

  HRGN result = CreateRectRgnIndirect(&NewC);
  auto add = [&](TBitmap* band, int dx, int dy) {
    if (band->Empty()) return;
    HRGN part = RegionFromBlock(MaskRunsToRegionData(band, dx, dy));
    if (!part) return;
    CombineRgn(result, result, part, RGN_OR);
    DeleteObject(part);
  };
  add(&top, 0, 0);
  add(&bottom, 0, NewC.Bottom);
  add(&left, 0, NewC.Top);
  add(&right, NewC.Right, NewC.Top);
  return result;
}

}  // namespace kora
