// The tool bar's pictures, as pixel maps: one character a pixel.

#include <array>
#include <cstring>

#include "skin/dialogs/bsSkinShellCtrls.h"

namespace kora {

namespace {

constexpr int kSize = 16;
// The key colour: the bottom-left pixel of every glyph is one.
constexpr TColor kKey = RGB(255, 0, 255);

using TPixelMap = std::array<const char*, kSize>;

// '.' the key, 'k' outline, 'y'/'o' folder light and dark, 'g'/'G' arrow
// light and dark, 'w' white, 'b' blue, 's' grey, '*' a spark.
TColor PixelColor(char c) {
  switch (c) {
    case 'k': return RGB(72, 72, 72);
    case 'y': return RGB(255, 216, 96);
    case 'o': return RGB(222, 166, 48);
    case 'g': return RGB(84, 190, 84);
    case 'G': return RGB(24, 118, 36);
    case 'w': return RGB(255, 255, 255);
    case 'b': return RGB(52, 96, 196);
    case 's': return RGB(150, 150, 150);
    case '*': return RGB(255, 236, 64);
    default: return kKey;
  }
}

constexpr TPixelMap kBack = {"................", "................", "......G.........", ".....GG.........",
                             "....GgG.........", "...GggGGGGGGGG..", "..Gggggggggggg..", ".Ggggggggggggg..",
                             "..Gggggggggggg..", "...GggGGGGGGGG..", "....GgG.........", ".....GG.........",
                             "......G.........", "................", "................", "................"};

constexpr TPixelMap kUp = {"................", "..........G.....", ".........GgG....", "........GgggG...",
                           ".kkkk..GgggggG..", "kyyyyk...ggg....", "kyyyyykk.ggg.kk.", "kywwwwww.ggg.wok",
                           "kyyyyyyy.ggg.yok", "kyyyyyyy.ggg.yok", "kyyyyyyyyGGGyyok", "kyyyyyyyyyyyyyok",
                           "kyyyyyyyyyyyyyok", "kooooooooooooook", "kkkkkkkkkkkkkkkk", "................"};

constexpr TPixelMap kNewFolder = {"...........*....", "........*..*..*.", ".........*.*.*..", "..........***...",
                                  ".kkkk...*******.", "kyyyyk....***...", "kyyyyykkk*.*.*k.", "kywwwwww*.w*ww*k",
                                  "kyyyyyyyyyyyyyok", "kyyyyyyyyyyyyyok", "kyyyyyyyyyyyyyok", "kyyyyyyyyyyyyyok",
                                  "kyyyyyyyyyyyyyok", "kooooooooooooook", "kkkkkkkkkkkkkkkk", "................"};

constexpr TPixelMap kListStyle = {"................", ".kkk............", ".kbk.ssssssss...", ".kkk............",
                                  "................", ".kkk............", ".kbk.ssssssss...", ".kkk............",
                                  "................", ".kkk............", ".kbk.ssssssss...", ".kkk............",
                                  "................", ".kkk............", ".kbk.ssssssss...", ".kkk............"};

}  // namespace

void LoadShellDialogGlyph(TBitmap* bitmap, const std::string& name) {
  const TPixelMap* map = name == "BS_BACK"        ? &kBack
                         : name == "BS_UP"        ? &kUp
                         : name == "BS_NEWFOLDER" ? &kNewFolder
                         : name == "BS_LVSTYLE"   ? &kListStyle
                                                  : nullptr;
  if (!map) {
    bitmap->SetSize(0, 0);
    return;
  }
  bitmap->SetSize(kSize, kSize);
  TCanvas* canvas = bitmap->Canvas();
  for (int y = 0; y < kSize; ++y) {
    const char* row = (*map)[size_t(y)];
    for (int x = 0; x < kSize && row[x]; ++x) canvas->SetPixels(x, y, PixelColor(row[x]));
  }
}

}  // namespace kora
