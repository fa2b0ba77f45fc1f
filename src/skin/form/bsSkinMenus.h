#pragma once
// The skinned popup menus: one engine (TbsSkinMenu) per frame opens every
// menu the skinned window shows (the menu bar's drop-downs, the system
// menu, the tray menu, context menus) as a chain of skinned popup windows
// on the framework's menu tracker. The windows take their picture from the
// skin's [POPUPWINDOW] section and their items from its first menu-item
// record; without a skin they draw a default look.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/forms/Forms.h"
#include "framework/menus/Menus.h"
#include "framework/menus/Menus_Tracker.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsUtils.h"
#include "skin/form/bsSkinForm.h"

namespace kora {

class TbsSkinForm;
class TbsSkinMenu;
class TbsSkinPopupWindow;

// One item of a skinned popup window: its place, its state as the tracker
// leaves it, its morph and animation, and how it is drawn.
class TbsSkinMenuItem {
public:
  TbsSkinMenuItem(TbsSkinPopupWindow* parent, TMenuItem* item, int index);

  bool IsSeparator() const { return MenuItem->IsLine(); }
  // The item's height in its window.
  int Height() const;
  // The item into the window's canvas at ItemRect.
  void Draw(TCanvas* canvas);
  // One 20 ms morph tick; true while it still runs.
  bool MorphStep();
  // One tick of the frame animation; true while it still runs.
  bool AnimationStep();
  bool CanMorph() const;

  TbsSkinPopupWindow* Parent;
  TMenuItem* MenuItem;
  int Index;
  // The record's active picture; null without a skin or when its index is
  // out of range (the skin rectangles are then empty).
  TBitmap* ActivePicture = nullptr;
  RECT SkinRect, ActiveSkinRect;
  // 0 normal .. 1 active.
  double MorphKf = 0;
  // Window coordinates.
  RECT ItemRect;
  bool Active = false;
  bool SubMenuOpen = false;
  bool Visible = false;
  bool KeyboardArmed = false;
  int AnimateFrame = 0;
  bool AnimateForward = true;

private:
  void DrawSkinned(TCanvas* canvas);
  void DrawDefault(TCanvas* canvas);
  // The normal, active or animation-frame image of a skinned item.
  void StateImage(TBitmap& image, int width) const;
  // Caption, short-cut, arrow, image or glyph into an item-sized canvas.
  void DrawContent(TCanvas* canvas, const RECT& textRect, int glyphLeft, int captionGap, int rightGap, TColor color);
};

// One open window of a skinned chain: a borderless topmost tool window
// that never takes the activation.
class TbsSkinPopupWindow : public TMenuPopup {
public:
  TbsSkinPopupWindow(TbsSkinMenu& engine, TMenuTracker& tracker, TMenuItem* parent, int level, int first);
  ~TbsSkinPopupWindow() override;

  void Measure() override;
  void LayoutItems() override;
  POINT Place(const TMenuAnchor& anchor) const override;
  void Paint(TCanvas& canvas) override;
  const char* ClassName() const override { return "TbsSkinPopupWindow"; }
  UINT ClassStyle() const override;
  void Prepare() override;
  void Shown() override;
  void ItemChanged(int index) override;
  bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  RECT UpMarker() const override;
  RECT DownMarker() const override;

  TbsSkinMenu& Engine;
  // Null without a skin.
  const TbsDataSkinMenuItem* ItemData = nullptr;
  TbsSkinData* Skin = nullptr;
  TBitmap* WindowPicture = nullptr;
  TBitmap* MaskPicture = nullptr;
  // Scrolling because of the engine's item limit rather than the screen.
  bool Limited = false;
  POINT FitTopLeftMark, FitTopRightMark, FitBottomLeftMark, FitBottomRightMark;
  RECT NewItemsRect;
  TCustomImageList* ImageList = nullptr;
  int GlyphWidth = 19;
  std::vector<std::unique_ptr<TbsSkinMenuItem>> ItemList;
  // The hint of the highlighted item.
  std::string ActiveItemHint;
  int Alpha = 255;

  bool Skinned() const { return ItemData != nullptr; }
  // The font items are drawn in.
  void SelectItemFont(TCanvas* canvas) const;

private:
  void MorphTick();
  void AnimationTick();
  void FadeTick();
  void UpdateRegion();
  void PaintWindow(TCanvas* canvas);
  void PaintMarkers(TCanvas* canvas);
  int ItemHeight(const TMenuItem* item) const;

  int FFirst;
  bool FFading = false;
};

// The popup-menu engine of a frame: opens a chain for a menu item's
// children at an anchor and returns once the chain closed.
class TbsSkinMenu : public TComponent, public TMenuLook {
  KORA_CLASS(TbsSkinMenu, TComponent)

  explicit TbsSkinMenu(TComponent* owner);
  ~TbsSkinMenu() override;

  // Items use the skin record's font.
  bool UseSkinFont = false;
  int DefaultMenuItemHeight() const { return FDefaultMenuItemHeight; }
  // Values of 0 and less are ignored.
  void SetDefaultMenuItemHeight(int value);
  TFont* DefaultMenuItemFont() const { return FDefaultMenuItemFont.get(); }
  void SetDefaultMenuItemFont(const TFont* value);
  bool AlphaBlend = false;
  uint8_t AlphaBlendValue = 150;
  bool AlphaBlendAnimation = false;
  // Items a window shows before it scrolls; 0 for no limit, below 0 ignored.
  int MaxMenuItemsInWindow() const { return FMaxMenuItemsInWindow; }
  void SetMaxMenuItemsInWindow(int value);

  // Shows the visible children of item from child index first at the
  // anchor (screen coordinates; a point is an empty rectangle) with a skin
  // (null or empty for the default look), and returns once the chain
  // closed. popupControl receives 1228 when it closes and 1229 after an
  // item's command ran.
  // A menu bar's drop-down passes its options. Returns how the chain ended.
  TMenuTrackEnd Popup(TControl* popupControl, TbsSkinData* skin, bool popupUp, TMenuItem* item, const RECT& anchor,
                      int first = 0, const TbsMenuDropOptions* drop = nullptr);
  // Closes an open chain.
  void CloseAll();

  // A chain is open.
  bool Visible() const { return FVisible; }
  // The first window of an opening is being shown.
  bool First() const { return FFirst; }
  TbsSkinData* Skin() const { return FSkin; }
  const RECT& WorkArea() const { return FWorkArea; }
  TControl* CommandControl() const { return FCommandControl; }
  // The form that hears 1228: the frame's form, or a form owning the engine.
  TCustomForm* OwnerForm() const;
  int PopupCount() const;
  TbsSkinPopupWindow* PopupWindow(int level) const;
  // Fires once when the chain closes, then is cleared.
  void SetCloseEvent(TNotifyEvent value) { FOnClose = std::move(value); }
  // The frame's menu settings (MaxMenuItemsInWindow, DefMenuItemHeight and
  // font, UseSkinFontInMenu, the menus' alpha blending).
  void TakeFrameSettings(const TbsSkinForm& frame);

  // Milliseconds of the submenu wait, the mouse poll, a scroll step and a morph tick.
  static constexpr int kWaitInterval = 500;
  static constexpr int kMouseInterval = 50;
  static constexpr int kScrollInterval = 100;
  static constexpr int kMorphInterval = 20;

  // TMenuLook
  std::unique_ptr<TMenuPopup> CreatePopup(TMenuTracker& tracker, TMenuItem* parent, int level, int first) override;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TbsSkinPopupWindow;
  void ChainClosed();
  void SetPopupControl(TControl* value);
  void SetCommandControl(TControl* value);

  int FDefaultMenuItemHeight = 20;
  std::unique_ptr<TFont> FDefaultMenuItemFont;
  int FMaxMenuItemsInWindow = 0;
  bool FFirst = false;
  bool FVisible = false;
  TbsSkinData* FSkin = nullptr;
  RECT FWorkArea;
  TControl* FPopupControl = nullptr;
  TControl* FCommandControl = nullptr;
  TNotifyEvent FOnClose;
  TMenuTracker* FTracker = nullptr;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// A popup menu that shows itself through the skinned engine of the frame
// of its form.
class TbsSkinPopupMenu : public TPopupMenu {
  KORA_CLASS(TbsSkinPopupMenu, TPopupMenu)

  explicit TbsSkinPopupMenu(TComponent* owner);

  // Null takes the frame's MenusSkinData (else its SkinData).
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);
  const TNotifyEvent& OnMenuClose() const { return FOnMenuClose; }
  void SetOnMenuClose(TNotifyEvent value) { FOnMenuClose = std::move(value); }
  // The form whose frame opens the menu when it is not the owner's (the
  // frame sets it for its tray menu).
  TCustomForm* PopupForm() const { return FPopupForm; }
  void SetPopupForm(TCustomForm* value);
  // Where the last opening was asked for; (-1, -1) before the first.
  POINT LastPopupPoint() const { return FLastPopupPoint; }

  // At a screen point; nothing without a frame.
  void Popup(int x, int y) override;
  // On behalf of an edit control; refused without a skin.
  void PopupFromEdit(TControl* edit, int x, int y);

  // The frame that opens the menu: on the popup form, the owner, or the
  // owner's owner when that is a form; null when there is none.
  TbsSkinForm* FindFrame() const;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void Open(TControl* control, const RECT& anchor, bool popupUp, bool needSkin);

  TbsSkinData* FSkinData = nullptr;
  TNotifyEvent FOnMenuClose;
  TCustomForm* FPopupForm = nullptr;
  POINT FLastPopupPoint{-1, -1};
};

// The frame's popup-menu engine, made (owned by the frame) on first use.
TbsSkinMenu* SkinMenuOf(TbsSkinForm* frame);
// Opens any popup menu at a screen point through a frame's engine with the
// frame's skin for menus (OnPopup fires first).
void PopupThroughFrame(TbsSkinForm* frame, TPopupMenu* menu, POINT at);
// The first frame on a form; null when it has none.
TbsSkinForm* FindSkinForm(const TComponent* form);

// The small glyphs of menu items, in a colour.
void DrawMenuCheck(TCanvas* canvas, int x, int y, TColor color);
void DrawMenuSubArrow(TCanvas* canvas, int x, int y, TColor color);
void DrawMenuRadio(TCanvas* canvas, int x, int y, TColor color);

// Registers the menu classes by name for form descriptions.
void RegisterSkinMenuClasses();

}  // namespace kora
