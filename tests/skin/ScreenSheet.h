#pragma once
// A sheet of labelled pieces of the headless screen, saved as a PNG to the
// folder KORA_ARTIFACTS names, for a person to look at. The sheet checks
// what it holds too: every piece drawn and no two pieces alike, so a part
// that stops drawing or a state that stops changing the look fails a test.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/graphics/Graphics.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/gdi/PngFile.h"

namespace kora::test {

class TSheet {
public:
  TSheet(int width, int height, TColor background = RGB(200, 200, 200)) {
    FBitmap.SetSize(width, height);
    FBitmap.Canvas()->Brush()->SetColor(background);
    FBitmap.Canvas()->FillRect({0, 0, width, height});
    FBitmap.Canvas()->Font()->SetName("Arial");
    FBitmap.Canvas()->Font()->SetHeight(-11);
    FBitmap.Canvas()->Brush()->SetStyle(bsClear);
  }
  // Copies the screen rectangle `area` to (x, y + 14), labelled above,
  // scaled up by `zoom`.
  void Put(const HeadlessBackend& screen, const RECT& area, int x, int y, const std::string& label, int zoom = 1) {
    FBitmap.Canvas()->TextOut(x, y, label);
    const ScreenImage image = screen.Capture();
    Piece piece{label, {}};
    for (int cy = 0; cy < (area.Bottom - area.Top) * zoom; ++cy)
      for (int cx = 0; cx < (area.Right - area.Left) * zoom; ++cx) {
        const int sx = area.Left + cx / zoom, sy = area.Top + cy / zoom;
        if (sx < 0 || sy < 0 || sx >= image.Width || sy >= image.Height) continue;
        FBitmap.Canvas()->SetPixels(x + cx, y + 14 + cy, image.ColorAt(sx, sy));
        piece.Pixels.push_back(image.ColorAt(sx, sy));
      }
    FPieces.push_back(std::move(piece));
  }
  // The control as the screen shows it.
  void Put(const HeadlessBackend& screen, const TControl* control, int x, int y, const std::string& label) {
    const POINT origin = control->ClientToScreen({0, 0});
    Put(screen, RECT::FromSize(origin.X, origin.Y, control->Width(), control->Height()), x, y, label);
  }
  void Save(const std::string& name) const {
    const char* folder = std::getenv("KORA_ARTIFACTS");
    if (!folder || !*folder) return;
    std::filesystem::create_directories(folder);
    SavePngFile((std::filesystem::path(folder) / (name + ".png")).string(), FBitmap.Handle());
  }
  TBitmap& Bitmap() { return FBitmap; }

  // Every piece shows more than one colour.
  void ExpectDrawn() const {
    ASSERT_FALSE(FPieces.empty());
    for (const Piece& piece : FPieces) {
      const std::set<COLORREF> colours(piece.Pixels.begin(), piece.Pixels.end());
      EXPECT_GT(colours.size(), 1u) << piece.Label << " shows nothing";
    }
  }
  // Every piece drawn, and no two alike but the pairs of labels named.
  void ExpectDrawnAndDistinct(const std::set<std::pair<std::string, std::string>>& alike = {}) const {
    ExpectDrawn();
    for (std::size_t i = 0; i < FPieces.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) {
        if (alike.contains({FPieces[j].Label, FPieces[i].Label})) continue;
        EXPECT_NE(FPieces[i].Pixels, FPieces[j].Pixels)
            << FPieces[i].Label << " looks exactly like " << FPieces[j].Label;
      }
    }
  }

private:
  struct Piece {
    std::string Label;
    std::vector<COLORREF> Pixels;
  };
  TBitmap FBitmap;
  std::vector<Piece> FPieces;
};

}  // namespace kora::test
