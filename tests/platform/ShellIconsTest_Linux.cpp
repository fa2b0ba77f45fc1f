#include "platform/shell/ShellIcons.h"

#include <fstream>

#include "platform/FileTestSupport.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/PngFile.h"

namespace kora {
namespace {

namespace fs = std::filesystem;

constexpr ShellIconSize kSizes[] = {ShellIconSize::Small, ShellIconSize::Large};

uint32_t Alpha(uint32_t pixel) { return pixel >> 24; }
COLORREF ColorOf(uint32_t pixel) { return (pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF); }

// A memory DC on a bitmap of one colour; cleans up after itself.
class Canvas {
public:
  Canvas(int width, int height, COLORREF background)
      : Dc(CreateCompatibleDC(nullptr)), Bitmap(CreateCompatibleBitmap(nullptr, width, height)) {
    FOld = SelectObject(Dc, Bitmap);
    const RECT all{0, 0, width, height};
    const HBRUSH brush = CreateSolidBrush(background);
    FillRect(Dc, &all, brush);
    DeleteObject(brush);
  }
  ~Canvas() {
    SelectObject(Dc, FOld);
    DeleteDC(Dc);
    DeleteObject(Bitmap);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  const HDC Dc;
  const HBITMAP Bitmap;

private:
  HGDIOBJ FOld;
};

TEST(ShellIcons, EveryIconHasAClearBackgroundAndASolidBody) {
  for (const ShellIconSize size : kSizes) {
    const int side = int(size);
    for (int kind = 0; kind < SHELL_ICON_KIND_COUNT; ++kind) {
      const ShellIconImage icon = RenderShellIcon(ShellIconKind(kind), size);
      ASSERT_EQ(icon.Size, side);
      ASSERT_EQ(icon.Pixels.size(), size_t(side * side));
      const auto at = [&](int x, int y) { return icon.Pixels[size_t(y * side + x)]; };
      for (const auto& [x, y] : {std::pair{0, 0}, {side - 1, 0}, {0, side - 1}, {side - 1, side - 1}}) {
        EXPECT_EQ(at(x, y), 0u) << "kind " << kind << " size " << side << " corner " << x << "," << y;
      }
      int opaque = 0;
      for (const uint32_t p : icon.Pixels) opaque += Alpha(p) == 255;
      EXPECT_GT(opaque, side * side / 3) << "kind " << kind << " size " << side;
      EXPECT_EQ(Alpha(at(side / 2, side / 2 + side / 8)), 255u) << "kind " << kind << " size " << side;
    }
  }
}

TEST(ShellIcons, ItemsGetTheirIcons) {
  const fs::path dir = TestFolder("ShellIcons");
  fs::create_directories(dir / "sub");
  const auto index = [&](const std::string& name, bool open = false) {
    if (!fs::exists(dir / name)) std::ofstream(dir / name) << "";
    return GetShellIconIndex((dir / name).string(), open);
  };
  const auto indexOf = [](ShellIconKind k) { return GetShellIconIndex(k); };
  EXPECT_EQ(index("Game.NDS"), indexOf(ShellIconKind::Cartridge));
  EXPECT_EQ(index("romData.bin"), indexOf(ShellIconKind::BinaryFile));
  EXPECT_EQ(index("notes.txt"), indexOf(ShellIconKind::TextFile));
  EXPECT_EQ(index("1A.BMP"), indexOf(ShellIconKind::Picture));
  EXPECT_EQ(index("noext"), indexOf(ShellIconKind::Document));
  fs::permissions(dir / "noext", fs::perms::owner_exec, fs::perm_options::add);
  EXPECT_EQ(index("noext"), indexOf(ShellIconKind::Executable));
  EXPECT_EQ(index("sub"), indexOf(ShellIconKind::FolderClosed));
  EXPECT_EQ(index("sub", true), indexOf(ShellIconKind::FolderOpen));
  EXPECT_EQ(GetShellIconIndex((dir / "vanished.nds").string()), indexOf(ShellIconKind::Document));
  EXPECT_EQ(GetShellIconIndex("/"), indexOf(ShellIconKind::Drive));
  EXPECT_EQ(GetShellIconIndex(ShellDesktop()), indexOf(ShellIconKind::Desktop));
  ShellItem home;
  home.Kind = ShellItemKind::Home;
  EXPECT_EQ(GetShellIconIndex(home), indexOf(ShellIconKind::Home));
}

TEST(ShellIcons, DrawingBlendsOverTheBackground) {
  const COLORREF magenta = 0x00FF00FF;
  Canvas canvas(80, 40, magenta);
  const int folder = GetShellIconIndex(ShellIconKind::FolderClosed);
  ASSERT_TRUE(DrawShellIcon(canvas.Dc, folder, 4, 4, ShellIconSize::Large));
  ASSERT_TRUE(DrawShellIcon(canvas.Dc, folder, 50, 4, ShellIconSize::Small));

  const ShellIconImage large = RenderShellIcon(ShellIconKind::FolderClosed, ShellIconSize::Large);
  const ShellIconImage small = RenderShellIcon(ShellIconKind::FolderClosed, ShellIconSize::Small);
  int compared = 0;
  for (const auto& [icon, x0] : {std::pair{&large, 4}, {&small, 50}}) {
    for (int y = 0; y < icon->Size; ++y) {
      for (int x = 0; x < icon->Size; ++x) {
        const uint32_t p = icon->Pixels[size_t(y * icon->Size + x)];
        const COLORREF shown = GetPixel(canvas.Dc, x0 + x, 4 + y);
        if (Alpha(p) == 0) {
          EXPECT_EQ(shown, magenta) << x << "," << y;
        } else if (Alpha(p) == 255) {
          EXPECT_EQ(shown, ColorOf(p)) << x << "," << y;
          ++compared;
        }
      }
    }
  }
  EXPECT_GT(compared, 300);
  EXPECT_EQ(GetPixel(canvas.Dc, 3, 3), magenta);

  EXPECT_FALSE(DrawShellIcon(canvas.Dc, -1, 0, 0, ShellIconSize::Small));
  EXPECT_FALSE(DrawShellIcon(canvas.Dc, SHELL_ICON_KIND_COUNT, 0, 0, ShellIconSize::Small));
  EXPECT_FALSE(DrawShellIcon(HDC(), folder, 0, 0, ShellIconSize::Small));
}

// A sheet of every icon on light and dark ground, at 100% and 4x, for a
// person to look at.
// No two kinds share a picture; the sheet of them all is for a person.
TEST(ShellIcons, EveryKindLooksDifferent) {
  for (const ShellIconSize size : kSizes) {
    for (int kind = 0; kind < SHELL_ICON_KIND_COUNT; ++kind) {
      for (int other = 0; other < kind; ++other) {
        EXPECT_NE(RenderShellIcon(ShellIconKind(kind), size).Pixels, RenderShellIcon(ShellIconKind(other), size).Pixels)
            << "kinds " << kind << " and " << other << " at " << int(size);
      }
    }
  }
  const char* artifacts = std::getenv("KORA_ARTIFACTS");
  if (!artifacts || !*artifacts) return;
  const int cell = 40, width = cell * SHELL_ICON_KIND_COUNT, height = cell * 4;
  Canvas sheet(width, height, 0x00FFFFFF);
  const RECT dark{0, cell * 2, width, height};
  const HBRUSH brush = CreateSolidBrush(0x00403830);
  FillRect(sheet.Dc, &dark, brush);
  DeleteObject(brush);
  for (int i = 0; i < SHELL_ICON_KIND_COUNT; ++i) {
    for (int ground = 0; ground < 2; ++ground) {
      const int top = ground * cell * 2;
      DrawShellIcon(sheet.Dc, i, i * cell + 12, top + 12, ShellIconSize::Small);
      DrawShellIcon(sheet.Dc, i, i * cell + 4, top + cell + 4, ShellIconSize::Large);
    }
  }
  fs::create_directories(artifacts);
  SavePngFile((fs::path(artifacts) / "shell-icons.png").string(), sheet.Bitmap);

  Canvas zoom(width * 4, height * 4, 0);
  StretchBlt(zoom.Dc, 0, 0, width * 4, height * 4, sheet.Dc, 0, 0, width, height, SRCCOPY);
  SavePngFile((fs::path(artifacts) / "shell-icons-4x.png").string(), zoom.Bitmap);
}

}  // namespace
}  // namespace kora
