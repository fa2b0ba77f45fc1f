#pragma once
// A miniature skin for the button tests: each state of the "button" record
// is a solid colour with a darker one-pixel border, so a pixel tells which
// state rectangle a look was drawn from.

#include <string>
#include <utility>
#include <vector>

#include "SkinControlTestSupport.h"

namespace kora::test {

constexpr COLORREF kNormalFill = RGB(200, 200, 200);
constexpr COLORREF kHotFill = RGB(120, 200, 120);
constexpr COLORREF kDownFill = RGB(90, 90, 200);
constexpr COLORREF kDisabledFill = RGB(160, 160, 160);
constexpr COLORREF kFixedFill = RGB(250, 220, 0);
// Frame k (1..4) of the animation strip.
inline COLORREF FrameFill(int k) { return RGB(255, 60 * k, 0); }
constexpr COLORREF kMagenta = RGB(255, 0, 255);

inline COLORREF Darker(COLORREF c) { return RGB(GetRValue(c) / 2, GetGValue(c) / 2, GetBValue(c) / 2); }

// The picture: states in a row at y 0..20, 40 wide each; the animation's
// four frames below them; the fixed-size button at (0, 40).
inline COLORREF ButtonPicture(int x, int y) {
  const auto cell = [](int x, int y, int left, int top, int w, int h, COLORREF fill) {
    const bool border = x == left || y == top || x == left + w - 1 || y == top + h - 1;
    return border ? Darker(fill) : fill;
  };
  if (y < 20) {
    const COLORREF fills[] = {kNormalFill, kHotFill, kDownFill, kDisabledFill};
    if (x < 160) return cell(x, y, x / 40 * 40, 0, 40, 20, fills[x / 40]);
  } else if (y < 40) {
    if (x < 160) return cell(x, y, x / 40 * 40, 20, 40, 20, FrameFill(x / 40 + 1));
  } else if (y < 60 && x < 30) {
    return cell(x, y, 0, 40, 30, 20, kFixedFill);
  }
  return RGB(0, 0, 0);
}

inline std::string ButtonKeys(const std::string& extra) {
  return "pictureindex=0\nskinrect=0,0,40,20\nlefttoppoint=4,4\nrighttoppoint=36,4\nleftbottompoint=4,16\n"
         "rightbottompoint=36,16\nclientrect=4,4,36,16\nleftstretch=1\ntopstretch=1\nrightstretch=1\n"
         "bottomstretch=1\nstretcheffect=1\n"
         "fontcolor=0\nactivefontcolor=255\ndownfontcolor=16711680\ndisabledfontcolor=8421504\n"
         "activeskinrect=40,0,80,20\ndownskinrect=80,0,120,20\n" +
         extra;
}

inline std::string ButtonIni() {
  return "[VERSION]\nver=3\n"
         "[PICTURES]\npicture=\ninactivepicture=\nmask=\nactivepicturescount=2\n0=controls.bmp\n1=mask.bmp\n"
         "[FORMINFO]\nborderwidth=4\n[SKINOBJECTS]\ncount=0\n"
         "[SKINCONTROLS]\ncount=5\n"
         "0=button:button\n1=fixed:button\n2=animated:button\n3=still:button\n4=panel:panel\n"
         "[button]\n" +
         ButtonKeys("disabledskinrect=120,0,160,20\nmorphing=1\nmorphkind=mkdefault\n") +
         // Fixed size with white mask corners.
         "[fixed]\npictureindex=0\nmaskpictureindex=1\nskinrect=0,40,30,60\nclientrect=2,2,28,18\n"
         "activeskinrect=0,40,30,60\n"
         // Four frames side by side, 10 ms apart; no cross-fade.
         "[animated]\n" +
         ButtonKeys("animateskinrect=0,20,160,40\nframecount=4\nanimateinterval=10\nshowfocus=1\n") +
         // No state rectangles of its own and no effects.
         "[still]\n" +
         "pictureindex=0\nskinrect=0,0,40,20\nlefttoppoint=4,4\nrighttoppoint=36,4\nleftbottompoint=4,16\n"
         "rightbottompoint=36,16\nclientrect=4,4,36,16\n"
         "[panel]\npictureindex=0\nskinrect=0,0,40,20\n";
}

inline std::vector<std::pair<std::string, std::string>> ButtonPictures() {
  return {{"controls.bmp", BmpOf(200, 60, ButtonPicture)}, {"mask.bmp", BmpOf(30, 20, [](int x, int y) {
                                                              const bool corner =
                                                                  (x < 3 || x > 26) && (y < 3 || y > 16);
                                                              return corner ? RGB(255, 255, 255) : RGB(0, 0, 0);
                                                            })}};
}

// A glyph strip of four 8 x 8 frames: red, grey, blue, green, each with a
// magenta bottom row (the transparent colour).
inline void MakeGlyph(TBitmap& glyph, int frames = 4) {
  const COLORREF colors[] = {RGB(255, 0, 0), RGB(128, 128, 128), RGB(0, 0, 255), RGB(0, 160, 0)};
  glyph.SetSize(8 * frames, 8);
  for (int x = 0; x < 8 * frames; ++x)
    for (int y = 0; y < 8; ++y) glyph.Canvas()->SetPixels(x, y, y == 7 ? kMagenta : colors[x / 8]);
}

}  // namespace kora::test
