#pragma once
// The plain look of menus, shared by the popup windows and the menu bar:
// item sizes and drawing in the system's menu colours.

#include <string_view>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/menus/Menus.h"

namespace kora {

// The visible children of an item placed one under the other.
struct TPlainMenuLayout {
  std::vector<TMenuItem*> Items;
  std::vector<RECT> Rects;  // client coordinates of the popup window
  SIZE Size{};              // the whole window, frame included
  int GlyphWidth = 0;       // the column for check marks and pictures
  int ShortCutWidth = 0;
};

constexpr int kPlainMenuFrame = 3;

TPlainMenuLayout LayoutPlainMenu(const TMenuItem* parent);
// The whole popup window: frame, items, the hot one highlighted.
void PaintPlainMenu(TCanvas& canvas, const TPlainMenuLayout& layout, int hot);
// Whether keys and the mouse may pick the item.
bool IsSelectableItem(const TMenuItem* item);
// Sets the canvas font for an item's caption (bold for the default item).
void SelectMenuFont(TCanvas& canvas, const TMenuItem* item);
// Menu text ("&" underlines the accelerator unless DT_NOPREFIX): greyed
// and etched when disabled, highlight colours when hot.
void DrawMenuText(TCanvas& canvas, std::string_view text, RECT r, UINT format, bool enabled, bool hot);

}  // namespace kora
