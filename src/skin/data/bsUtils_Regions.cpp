// Window regions from mask pictures: every horizontal run of pure black
// pixels becomes one rectangle.

#include <algorithm>
#include <cstring>

#include "platform/gdi/Region.h"
#include "skin/data/bsUtils.h"

namespace kora {

namespace {

// Pure black whatever the unused fourth byte holds.
bool IsBlack(uint32_t pixel) { return (pixel & 0xFFFFFF) == 0; }

// Where the black run from p ends: four pixels at a time while all are
// black, then one by one.
const uint32_t* RunEnd(const uint32_t* p, const uint32_t* end) {
  constexpr uint64_t kColours = 0x00FFFFFF00FFFFFFull;
  for (; end - p >= 4; p += 4) {
    uint64_t four[2];
    std::memcpy(four, p, sizeof four);
    if ((four[0] | four[1]) & kColours) break;
  }
  while (p != end && IsBlack(*p)) ++p;
  return p;
}

}  // namespace

std::vector<uint8_t> MaskRunsToRegionData(TBitmap* bitmap, int dx, int dy) {
  if (!bitmap || bitmap->Empty()) return {};
  const int w = bitmap->Width(), h = bitmap->Height();

  // The runs go straight after the header as they are found; a growing
  // block keeps every run, so detailed masks are not cut off.
  std::vector<uint8_t> block(sizeof(RGNDATAHEADER), 0);
  uint32_t count = 0;
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(bitmap->ScanLine(y));
    const uint32_t* end = row + w;
    const uint32_t* p = row;
    while ((p = std::find_if(p, end, IsBlack)) != end) {
      const uint32_t* q = RunEnd(p + 1, end);
      const RECT run{int(p - row) + dx, y + dy, int(q - row) + dx, y + dy + 1};
      const auto* bytes = reinterpret_cast<const uint8_t*>(&run);
      block.insert(block.end(), bytes, bytes + sizeof run);
      ++count;
      p = q;
    }
  }

  RGNDATAHEADER header;
  header.nCount = count;
  header.rcBound = {dx, dy, dx + w, dy + h};
  std::memcpy(block.data(), &header, sizeof header);
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
