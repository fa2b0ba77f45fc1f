#pragma once
// The skinned main menu bar: a row of skinned items at the top of the
// form's client area, one per shown top-level item of a TbsSkinMainMenu,
// whose drop-downs open through the frame's popup-menu engine. The frame
// drives its keyboard mode (Alt, F10, accelerators, the arrows) through
// IbsFrameMenuBar. The system buttons of a maximized MDI child are not
// made: this program has no MDI windows.

#include <memory>
#include <string>
#include <vector>

#include "framework/Menus.h"
#include "skin/controls/bsSkinCtrls_Control.h"
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

// The base of the bar's objects.
class TbsMenuBarObject {
public:
  explicit TbsMenuBarObject(TbsSkinMainMenuBar* bar) : Bar(bar) {}
  virtual ~TbsMenuBarObject() = default;
  TbsMenuBarObject(const TbsMenuBarObject&) = delete;
  TbsMenuBarObject& operator=(const TbsMenuBarObject&) = delete;

  // Repaints the object.
  virtual void ReDraw();
  virtual void Draw(TCanvas* canvas) = 0;
  virtual void MouseDown(int x, int y, TMouseButton button);
  virtual void MouseUp(int x, int y, TMouseButton button);
  virtual void DblClick() {}
  virtual void MouseEnter();
  virtual void MouseLeave();
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
  void MouseDown(int x, int y, TMouseButton button) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // Reads the item record (null: the default look).
  void TakeRecord(const TbsDataSkinMainMenuBarItem* record, TBitmap* picture);
  // The caption's width plus the record's text margins.
  int MeasureWidth(TCanvas* canvas) const;
  // Gives up the open state: the drop-down has closed.
  void Release();

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
  // The item highlighted (active or open); -1 when none.
  int HighlightedIndex() const;
  // A drop-down was opened from the bar, or keyboard menu mode is on.
  bool InMenuState() const { return FMenuState; }
  // Some item did not fit.
  bool Overflow() const { return FOverflow; }
  // Bar coordinates of the items area.
  RECT ItemsArea() const;
  // The hint of the item under the mouse.
  const std::string& ItemHint() const { return FItemHint; }

  // ---- Operations ----
  // Builds the items again from the main menu.
  void RebuildItems();
  // Opens an item's drop-down (or runs its command) as a click would.
  void OpenItem(int index, bool byKeyboard);

  // IbsFrameMenuBar
  void EnterKeyboardMenu() override;
  void LeaveKeyboardMenu() override;
  bool MenuBarKey(WORD key) override;
  bool OpenSelectedItem() override;
  void SelectPrevItem() override;
  void SelectNextItem() override;
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
  friend class TbsMenuBarObject;
  void LayoutItems(TCanvas* canvas);
  void SelectItemFont(TCanvas* canvas) const;
  void PaintItems(TBitmap* bitmap);
  void HotTrack(POINT p);
  int ItemAt(POINT p) const;
  // The next enabled, shown item from `from` going by step, wrapping round.
  int Step(int from, int step) const;
  void MoveHighlight(int step);
  bool OverflowMarkerAt(POINT p) const;
  RECT OverflowMarker() const;
  void OpenOverflow();
  // The item under a screen point while a drop-down is open.
  bool SwitchTo(POINT screen);
  void LeaveMenuState();
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
  int FHotIndex = -1;
  bool FMenuState = false;
  // OnMainMenuEnter fired for a drop-down opened by the mouse: its
  // OnMainMenuExit is owed.
  bool FMouseMenuEntered = false;
  bool FOverflow = false;
  bool FMarkerHot = false;
  // The item whose drop-down opens next once the open one closed.
  int FPendingOpen = -1;
  bool FPendingByKeyboard = false;
  int FOpenIndex = -1;
  std::string FItemHint;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

void RegisterSkinMenuBarClasses();

}  // namespace kora
