// The artwork of the shell's icons. Each picture is laid out on a 16-unit
// grid and scaled by k (1 for small, 2 for large), while outlines and
// highlights stay one pixel wide so both sizes look crisp. Light comes from
// the top left: fills run from light at the top to darker at the bottom.

#include <stdexcept>

#include "platform/gdi/IconPainter.h"
#include "platform/shell/ShellIcons.h"

namespace kora {

namespace {

// Grid helpers over a painter.
class Art {
public:
  Art(IconPainter& painter, double k) : P(painter), K(k) {}

  IconShape Rect(double l, double t, double r, double b) const { return IconShape::Rect(l * K, t * K, r * K, b * K); }
  IconShape Round(double l, double t, double r, double b, double radius) const {
    return IconShape::RoundRect(l * K, t * K, r * K, b * K, radius * K);
  }
  IconShape Poly(std::initializer_list<IconPoint> points) const {
    std::vector<IconPoint> scaled;
    for (const IconPoint& p : points) scaled.push_back({p.X * K, p.Y * K});
    return IconShape(std::move(scaled));
  }
  IconPaint Down(double t, uint32_t top, double b, uint32_t bottom) const {
    return VerticalGradient(t * K, top, b * K, bottom);
  }
  IconPaint Across(double l, double t, uint32_t from, double r, double b, uint32_t to) const {
    return DiagonalGradient(l * K, t * K, from, r * K, b * K, to);
  }
  // Filled and outlined.
  void Shape(const IconShape& s, const IconPaint& fill, uint32_t outline) const {
    P.Fill(s, fill);
    P.Border(s, outline);
  }
  // A one-pixel row or column in grid units, whatever the scale.
  void HRule(double l, double r, double y, uint32_t color) const {
    P.Fill(IconShape::Rect(l * K, y * K, r * K, y * K + 1), color);
  }
  bool Large() const { return K > 1; }

  IconPainter& P;
  const double K;
};

// ---- Folders ---------------------------------------------------------------

constexpr uint32_t kFolderBack = 0xFFE1A63A;
constexpr uint32_t kFolderBackDark = 0xFFCB8A22;
constexpr uint32_t kFolderOutline = 0xFF9A6510;
constexpr uint32_t kFolderFrontTop = 0xFFFFE89E;
constexpr uint32_t kFolderFrontBottom = 0xFFF3BC4A;
constexpr uint32_t kFolderHighlight = 0xFFFFF8DC;

void DrawFolderBack(const Art& a) {
  a.Shape(a.Round(1, 2, 7, 6, 1), SolidPaint(kFolderBack), kFolderOutline);  // the tab
  a.Shape(a.Rect(1, 3, 15, 14), a.Down(3, kFolderBack, 14, kFolderBackDark), kFolderOutline);
}

void DrawFolderClosed(const Art& a) {
  DrawFolderBack(a);
  a.Shape(a.Rect(1, 5, 15, 14), a.Down(5, kFolderFrontTop, 14, kFolderFrontBottom), kFolderOutline);
  a.P.Fill(IconShape::Rect(a.K + 1, 5 * a.K + 1, 15 * a.K - 1, 5 * a.K + 2), kFolderHighlight);
}

void DrawFolderOpen(const Art& a) {
  DrawFolderBack(a);
  // A sheet of paper standing in the folder.
  a.Shape(a.Rect(3, 4, 13, 11), a.Down(4, 0xFFFFFFFF, 11, 0xFFE4E8EE), 0xFF9AA3B0);
  if (a.Large()) {
    for (double y = 6; y < 10; y += 1.5) a.HRule(4.5, 11.5, y, 0xFFB8C4D4);
  }
  // The front flap, tipped forward.
  const IconShape front = a.Poly({{1, 14}, {3.5, 7}, {16, 7}, {13.5, 14}});
  a.Shape(front, a.Down(7, kFolderFrontTop, 14, kFolderFrontBottom), kFolderOutline);
  a.P.Fill(IconShape::Rect(3.5 * a.K + 1, 7 * a.K + 1, 16 * a.K - 2, 7 * a.K + 2), kFolderHighlight);
}

// ---- Documents -------------------------------------------------------------

constexpr uint32_t kPageOutline = 0xFF7A8597;

// The page with its folded corner; the writing area is x 4..12, y 6..14.
void DrawPage(const Art& a) {
  const IconShape page = a.Poly({{2, 1}, {10, 1}, {14, 5}, {14, 15}, {2, 15}});
  a.Shape(page, a.Across(2, 1, 0xFFFFFFFF, 14, 15, 0xFFDCE2EA), kPageOutline);
  const IconShape fold = a.Poly({{10, 1}, {10, 5}, {14, 5}});
  a.Shape(fold, a.Across(10, 1, 0xFFF7F9FB, 14, 5, 0xFFC9D1DC), kPageOutline);
}

void DrawTextFile(const Art& a) {
  DrawPage(a);
  const uint32_t ink = 0xFF6F89AE;
  if (a.Large()) {
    const double ends[] = {11.5, 11, 11.5, 9, 11.5, 10};
    for (int i = 0; i < 6; ++i) a.HRule(4.5, ends[i], 6 + i * 1.5, ink);
  } else {
    const double ends[] = {12, 10, 12, 9};
    for (int i = 0; i < 4; ++i) a.HRule(4, ends[i], 6 + i * 2, ink);
  }
}

// Pixel digits, 3 x 5, '#' set.
void DrawDigit(IconPainter& p, int x, int y, char digit, uint32_t color) {
  static const char* const kZero[5] = {"###", "#.#", "#.#", "#.#", "###"};
  static const char* const kOne[5] = {".#.", "##.", ".#.", ".#.", "###"};
  const char* const* rows = digit == '0' ? kZero : kOne;
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 3; ++c) {
      if (rows[r][c] == '#') p.Fill(IconShape::Rect(x + c, y + r, x + c + 1, y + r + 1), color);
    }
  }
}

void DrawBinaryFile(const Art& a) {
  DrawPage(a);
  const uint32_t ink = 0xFF2F5EA6;
  if (a.Large()) {
    const char* const lines[3] = {"0110", "1001", "0101"};
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 4; ++c) DrawDigit(a.P, 9 + c * 4, 11 + r * 6, lines[r][c], ink);
    }
  } else {
    DrawDigit(a.P, 4, 7, '0', ink);
    DrawDigit(a.P, 8, 7, '1', ink);
  }
}

// A framed photograph: sky, sun and green hills on a white mat.
void DrawPicture(const Art& a) {
  a.Shape(a.Rect(1, 3, 15, 13), a.Down(3, 0xFFFFFFFF, 13, 0xFFE2E6EC), 0xFF6A7484);
  const double l = 3, t = 5, r = 13, b = 11;
  a.P.Fill(a.Rect(l, t, r, b), a.Down(t, 0xFF5FAEEB, b, 0xFFCFEAFB));
  const IconShape sun = IconShape::Ellipse(9 * a.K, 5.5 * a.K, 11.5 * a.K, 8 * a.K);
  a.P.Fill(sun, a.Across(9, 5.5, 0xFFFFF3A0, 11.5, 8, 0xFFF6B800));
  const IconShape farHill = a.Poly({{l, b}, {l, 9}, {5.5, 7.5}, {8.5, 9.5}, {r, 8}, {r, b}});
  a.P.Fill(farHill, a.Down(7.5, 0xFF8ACB6A, b, 0xFF4E9C3E));
  const IconShape nearHill = a.Poly({{l, b}, {l, 10}, {7, 9}, {r, 10.5}, {r, b}});
  a.P.Fill(nearHill, a.Down(9, 0xFF4DAA3C, b, 0xFF2D7A2A));
}

// A game card: a dark shell with a cut corner, a bright label with a star
// and grip ridges.
void DrawCartridge(const Art& a) {
  const IconShape body = a.Poly({{2, 1}, {11, 1}, {14, 4}, {14, 15}, {2, 15}});
  a.Shape(body, a.Across(2, 1, 0xFF6E7480, 14, 15, 0xFF353941), 0xFF1E2127);
  a.Shape(a.Rect(4, 3, 12, 11), a.Across(4, 3, 0xFF8FD0FF, 12, 11, 0xFF2667C9), 0xFF17396F);
  const double cx = 8, cy = 7;
  const IconShape star = a.Poly({{cx, cy - 2.6},
                                 {cx + 0.75, cy - 0.8},
                                 {cx + 2.5, cy - 0.8},
                                 {cx + 1.1, cy + 0.4},
                                 {cx + 1.6, cy + 2.3},
                                 {cx, cy + 1.2},
                                 {cx - 1.6, cy + 2.3},
                                 {cx - 1.1, cy + 0.4},
                                 {cx - 2.5, cy - 0.8},
                                 {cx - 0.75, cy - 0.8}});
  a.P.Fill(star, 0xFFFFF2B0);
  const double step = a.Large() ? 1 : 2;
  for (double x = 4; x < 12; x += step) a.P.Fill(a.Rect(x, 12, x + 0.5 * step, 14), 0xFF8E95A1);
}

// An application window: blue title bar over a light client area.
void DrawExecutable(const Art& a) {
  a.Shape(a.Rect(1, 2, 15, 14), SolidPaint(0xFFF2F5F9), 0xFF27446F);
  a.P.Fill(IconShape::Rect(a.K + 1, 2 * a.K + 1, 15 * a.K - 1, 5 * a.K), a.Down(2, 0xFF6AA6F0, 5, 0xFF2A5FBE));
  a.P.Fill(IconShape::Rect(a.K + 1, 5 * a.K, 15 * a.K - 1, 14 * a.K - 1), a.Down(5, 0xFFFFFFFF, 14, 0xFFD5DCE6));
  // Caption buttons, and at the large size a picture and lines of text.
  const double bw = a.Large() ? 1.5 : 1;
  a.P.Fill(a.Rect(13 - bw, 3, 13, 4), 0xFFFFFFFF);
  if (a.Large()) {
    a.P.Fill(a.Rect(10, 3, 11.5, 4), 0xFFDDE8F8);
    a.HRule(2, 14, 7, 0xFFB5C0CF);
    a.P.Fill(a.Rect(3, 8.5, 6.5, 12.5), a.Down(8.5, 0xFFBCD5F5, 12.5, 0xFF7FA6DA));
    for (double y = 9; y < 12.5; y += 1.5) a.HRule(7.5, 13, y, 0xFFAAB6C6);
  }
}

// A hard-disk drive seen slightly from above, with its activity light.
void DrawDrive(const Art& a) {
  a.Shape(a.Poly({{3, 4}, {13, 4}, {15, 7.5}, {1, 7.5}}), a.Down(4, 0xFFFBFCFD, 7, 0xFFD9DEE5), 0xFF5A626E);
  a.Shape(a.Round(1, 7, 15, 13, 0.5), a.Down(7, 0xFFD2D8E0, 13, 0xFF98A1AE), 0xFF4A515C);
  a.P.Fill(IconShape::Rect(a.K + 1, 7 * a.K + 1, 15 * a.K - 1, 7 * a.K + 2), 0xFFF3F5F8);  // lit edge
  a.P.Fill(IconShape::Rect(3 * a.K, 10 * a.K, 9 * a.K, 10 * a.K + 1), 0xFF5F6773);         // the slot
  a.P.Fill(IconShape::Rect(3 * a.K, 10 * a.K + 1, 9 * a.K, 10 * a.K + 2), 0xFFEEF1F4);
  a.P.Fill(a.Rect(11, 9.5, 13, 10.5), a.Down(9.5, 0xFF9CF58C, 10.5, 0xFF23B33A));
}

// A monitor with a blue screen on a stand.
void DrawDesktop(const Art& a) {
  a.Shape(a.Rect(6, 11, 10, 14), a.Down(11, 0xFF9AA2AE, 14, 0xFF6D7582), 0xFF434955);
  a.Shape(a.Round(3, 13, 13, 15, 0.5), a.Down(13, 0xFFC4CAD3, 15, 0xFF8A929F), 0xFF434955);
  a.Shape(a.Round(1, 1, 15, 12, 1), a.Down(1, 0xFF59606D, 12, 0xFF2B3038), 0xFF1B1E24);
  const double inset = a.Large() ? 0.5 : 0;  // the bezel shows around the glass when there is room
  a.P.Fill(a.Rect(2 + inset, 2 + inset, 14 - inset, 10), a.Across(2, 2, 0xFF8CCBFF, 14, 10, 0xFF1F5CB8));
  // A soft reflection over the top-left half of the glass.
  a.P.Fill(a.Poly({{2 + inset, 2 + inset}, {10, 2 + inset}, {2 + inset, 8}}), 0x30FFFFFF);
}

// A house: walls, door and window under a red roof with a chimney.
void DrawHome(const Art& a) {
  a.Shape(a.Rect(10, 2, 12, 6), a.Down(2, 0xFFB7553C, 6, 0xFF8C3A27), 0xFF5C2214);
  a.Shape(a.Rect(3, 8, 13, 15), a.Down(8, 0xFFFFF6E2, 15, 0xFFE4CFA4), 0xFF87663A);
  a.Shape(a.Rect(7, 10, 10, 15), a.Down(10, 0xFFB36B36, 15, 0xFF7D4420), 0xFF53290F);
  const IconShape window = a.Rect(4, 10, 6, 12);
  if (a.Large()) {
    a.Shape(window, a.Down(10, 0xFFC6E7FF, 12, 0xFF5FA5DE), 0xFF3F6485);
  } else {
    a.P.Fill(window, 0xFF5FA5DE);
  }
  const IconShape roof = a.Poly({{8, 1}, {16, 9}, {0, 9}});
  a.Shape(roof, a.Down(1, 0xFFF27B57, 9, 0xFFB8341F), 0xFF74190D);
}

}  // namespace

ShellIconImage RenderShellIcon(ShellIconKind kind, ShellIconSize size) {
  const int side = int(size);
  IconPainter painter(side);
  const Art art(painter, side / 16.0);
  switch (kind) {
    case ShellIconKind::FolderClosed: DrawFolderClosed(art); break;
    case ShellIconKind::FolderOpen: DrawFolderOpen(art); break;
    case ShellIconKind::Document: DrawPage(art); break;
    case ShellIconKind::TextFile: DrawTextFile(art); break;
    case ShellIconKind::BinaryFile: DrawBinaryFile(art); break;
    case ShellIconKind::Picture: DrawPicture(art); break;
    case ShellIconKind::Cartridge: DrawCartridge(art); break;
    case ShellIconKind::Executable: DrawExecutable(art); break;
    case ShellIconKind::Drive: DrawDrive(art); break;
    case ShellIconKind::Desktop: DrawDesktop(art); break;
    case ShellIconKind::Home: DrawHome(art); break;
    default: throw std::invalid_argument("Unknown shell icon");
  }
  return {side, painter.Pixels()};
}

}  // namespace kora
