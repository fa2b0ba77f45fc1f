#pragma once
// The skinned main menu bar: a row of skinned items at the top of the
// form's client area, one per shown top-level item of a TbsSkinMainMenu,
// whose drop-downs open through the frame's popup-menu engine. The menu
// bar core drives it (the frame hands it Alt, F10 and the keys through
// IbsFrameMenuBar); the bar is the items' places and their look. The
// system buttons of a maximized MDI child are not made: this program has
// no MDI windows.

#include <memory>
#include <string>
#include <vector>

#include "framework/menus/Menus.h"
#include "framework/menus/Menus_BarTracker.h"
#include "skin/controls/bsSkinCtrls_Control.h"
#include "skin/form/bsMenuBarLayout.h"
#include "skin/form/bsMenuBarTracking.h"
#include "skin/form/bsSkinForm.h"

namespace kora {

class TbsSkinMainMenuBar;

// handler(sender, item): the mouse entered or left a bar item.
using TbsItemEnterEvent = TEvent<TObject*, TMenuItem*>;
using TbsItemLeaveEvent = TEvent<TObject*, TMenuItem*>;

// The main menu a skinned bar shows; never attached to the form as a
// platform menu.
class TbsSkinMainMenu : public TMainMenu {
  KORA_CLASS(TbsSkinMainMenu, TMainMenu)

  explicit TbsSkinMainMenu(TComponent* owner);
  ~TbsSkinMainMenu() override;

  // The skin of its drop-downs; null takes the bar's.
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);

protected:
  void DoChange(TMenuItem* source, bool rebuild) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TbsSkinMainMenuBar;
  TbsSkinData* FSkinData = nullptr;
  TbsSkinMainMenuBar* FBar = nullptr;
};

// The base of the bar's objects: their place, their state as the menu bar
// core leaves it, and their pictures.
class TbsMenuBarObject {
public:
  explicit TbsMenuBarObject(TbsSkinMainMenuBar* bar) : Bar(bar) {}
  virtual ~TbsMenuBarObject() = default;
  TbsMenuBarObject(const TbsMenuBarObject&) = delete;
  TbsMenuBarObject& operator=(const TbsMenuBarObject&) = delete;

  // Repaints the object.
  virtual void ReDraw();
  virtual void Draw(TCanvas* canvas) = 0;
  virtual bool EnableMorphing() const { return Morphing && !IsEmptyRect(ActiveSkinRect); }

  TbsSkinMainMenuBar* Bar;
  std::string IDName;
  bool MouseIn = false, Active = false, Down = false, Enabled = true, Visible = true;
  // 0 normal .. 1 active.
  double MorphKf = 0;
  bool Morphing = false;
  TbsMorphKind MorphKind = mkDefault;
  RECT SkinRect, ActiveSkinRect, DownRect;
  // Bar coordinates.
  RECT ObjectRect;
  TBitmap* Picture = nullptr;
};

// One top-level item of the main menu.
class TbsSkinMainMenuBarItem : public TbsMenuBarObject {
public:
  TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* bar, TMenuItem* item);

  void Draw(TCanvas* canvas) override;
  // Reads the item record (null: the default look).
  void TakeRecord(const TbsDataSkinMainMenuBarItem* record, TBitmap* picture);
  // The caption's width plus the record's text margins.
  int MeasureWidth(TCanvas* canvas) const;

  TMenuItem* MenuItem;
  const TbsDataSkinMainMenuBarItem* Record = nullptr;
  // Hidden because it did not fit, with its enabled state saved meanwhile.
  bool Shown = true;
  bool SavedEnabled = true;

private:
  void DrawSkinned(TCanvas* canvas);
  void DrawDefault(TCanvas* canvas);
};

class TbsSkinMainMenuBar : public TbsSkinControl, public IbsFrameMenuBar {
  KORA_CLASS(TbsSkinMainMenuBar, TbsSkinControl)

  explicit TbsSkinMainMenuBar(TComponent* owner);
  ~TbsSkinMainMenuBar() override;

  TbsSkinMainMenu* MainMenu() const { return FMainMenu; }
  void SetMainMenu(TbsSkinMainMenu* value);
  TbsSkinForm* SkinForm() const { return FSkinForm; }
  void SetSkinForm(TbsSkinForm* value);
  bool ScrollMenu() const { return FScrollMenu; }
  void SetScrollMenu(bool value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value);
  TFont* DefItemFont() const { return FDefItemFont.get(); }
  void SetDefItemFont(const TFont* value);
  int32_t DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int32_t value);
  int32_t DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int32_t value);
  bool PopupToUp() const { return FPopupToUp; }
  void SetPopupToUp(bool value) { FPopupToUp = value; }

  TbsItemEnterEvent OnItemMouseEnter;
  TbsItemLeaveEvent OnItemMouseLeave;

  // ---- Reading ----
  int ItemCount() const { return int(FItems.size()); }
  TbsSkinMainMenuBarItem* Item(int index) const { return FItems[size_t(index)].get(); }
  // The item highlighted (hot, lit or open); -1 when none.
  int HighlightedIndex() const { return FTracker.Highlighted(); }
  // A drop-down was opened from the bar, or keyboard menu mode is on.
  bool InMenuState() const { return FTracker.Mode() != TMenuBarMode::Rest; }
  const TMenuBarTracker& Tracker() const { return FTracker; }
  // The items' places, the overflow and the item font.
  const TbsMenuBarLayout& Layout() const { return FLayout; }

  // ---- Operations ----
  // Builds the items again from the main menu.
  void RebuildItems();

  // IbsFrameMenuBar
  void EnterKeyboardMenu() override { FTracker.EnterKeys(); }
  void LeaveKeyboardMenu() override { FTracker.Leave(); }
  bool MenuBarKey(WORD key) override;
  bool MenuBarShortCut(const MSG& msg) override;

  void ResolveSkinRecord() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;
  void SetBounds(int left, int top, int width, int height) override;

protected:
  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

private:
  friend class TbsSkinMainMenu;
  friend class TbsSkinMainMenuBarItem;
  friend class TbsMenuBarLayout;
  friend class TbsMenuBarTracking;
  void OpenOverflow();
  TbsSkinData* DropSkin() const;

  TbsSkinMainMenu* FMainMenu = nullptr;
  TbsSkinForm* FSkinForm = nullptr;
  bool FScrollMenu = true;
  bool FUseSkinFont = false;
  std::unique_ptr<TFont> FDefItemFont;
  int32_t FDefaultWidth = 0;
  int32_t FDefaultHeight = 22;
  bool FPopupToUp = false;
  std::vector<std::unique_ptr<TbsSkinMainMenuBarItem>> FItems;
  const TbsDataSkinMainMenuBar* FRecord = nullptr;
  TbsMenuBarLayout FLayout{this};
  TbsMenuBarTracking FTracking{this};
  TMenuBarTracker FTracker{FTracking};
};

void RegisterSkinMenuBarClasses();

}  // namespace kora
