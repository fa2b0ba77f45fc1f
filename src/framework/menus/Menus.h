#pragma once
// Menus: the item tree (captions with "&" accelerators, check marks, radio
// groups, short-cuts, pictures), the main menu a form shows in its bar and
// popup menus opened at a point. How a menu looks is left to whoever shows
// it; a popup menu shows itself through the presenter installed for it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/core/Classes.h"
#include "framework/core/Components.h"
#include "framework/core/Events.h"
#include "platform/gdi/Geometry.h"
#include "platform/window/WinTypes.h"

namespace kora {

class TBitmap;
class TCustomImageList;
class TMenu;

// A key with its modifiers in one word: the virtual key in the low byte.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(uint16_t key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);
// "Ctrl+S", "Shift+Ctrl+F1", "Alt+BkSp"; empty for none or a key without a
// name.
std::string ShortCutToText(TShortCut shortCut);
// The inverse, ignoring case; 0 when the text names no short-cut.
TShortCut TextToShortCut(std::string_view text);

// A caption without its "&" marks ("&&" stands for one "&").
std::string StripHotkey(std::string_view caption);
// The upper-case accelerator letter after a single "&", 0 when none.
char32_t GetHotkey(std::string_view caption);
// Whether a character (any case) is the caption's accelerator.
bool IsAccel(char32_t key, std::string_view caption);

// The caption of a separator line.
inline constexpr std::string_view kLineCaption = "-";

class EMenuError : public Exception {
public:
  using Exception::Exception;
};

class TMenuItem : public TComponent {
  KORA_CLASS(TMenuItem, TComponent)

  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  bool Checked() const { return FChecked; }
  // Checking a radio item unchecks the radio items of its group beside it.
  void SetChecked(bool value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool value);
  uint8_t GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(uint8_t value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut value);
  bool Default() const { return FDefault; }
  // Only one default item among its siblings.
  void SetDefault(bool value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool value) { FAutoCheck = value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value) { FHint = value; }
  int32_t ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int32_t value);
  // Created on first use; empty unless a picture was given.
  TBitmap* Bitmap() const;
  void SetBitmap(TBitmap* value);
  bool HasBitmap() const;
  int32_t HelpContext() const { return FHelpContext; }
  void SetHelpContext(int32_t value) { FHelpContext = value; }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent value) { FOnClick = std::move(value); }

  // The images of the item's own level: the parent's menu's Images.
  TCustomImageList* GetImageList() const;
  // The short-cut as text, "" for none.
  std::string ShortCutText() const { return ShortCutToText(FShortCut); }
  bool IsLine() const { return FCaption == kLineCaption; }

  // ---- The tree ----
  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises EMenuError "Menu index out of range".
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return FParent; }
  int IndexOf(const TMenuItem* item) const;
  // Takes the item (which must have no parent) at the end or at index.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Gives an item up without freeing it.
  void Remove(TMenuItem* item);
  // Frees the item at index, or all children.
  void Delete(int index);
  void Clear();
  int MenuIndex() const;
  void SetMenuIndex(int value);
  // A child by caption, "&" ignored and ignoring case; nullptr when none.
  TMenuItem* Find(std::string_view caption) const;
  // The menu the tree belongs to, nullptr when loose.
  TMenu* GetParentMenu() const;
  int VisibleCount() const;

  // Runs the command: AutoCheck toggles, then OnClick. Disabled items do
  // nothing.
  virtual void Click();

  // ---- Form streaming ----
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* value) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

protected:
  // Tells the menu that something shown changed; rebuild when the tree did.
  void MenuChanged(bool rebuild);

private:
  friend class TMenu;
  void TurnSiblingsOff();

  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  uint8_t FGroupIndex = 0;
  TShortCut FShortCut = 0;
  bool FDefault = false;
  bool FAutoCheck = false;
  std::string FHint;
  int32_t FImageIndex = -1;
  int32_t FHelpContext = 0;
  mutable std::unique_ptr<TBitmap> FBitmap;
  TNotifyEvent FOnClick;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item of a menu
};

// handler(sender, source, rebuild): source is the changed item (nullptr
// for the menu itself); rebuild when items were added, removed or moved.
using TMenuChangeEvent = TEvent<TObject*, TMenuItem*, bool>;

class TMenu : public TComponent {
  KORA_CLASS(TMenu, TComponent)

  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The invisible root whose children are the menu's items.
  TMenuItem* Items() const { return FItems; }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* value);
  TMenuChangeEvent OnChange;

  // The enabled item (at any depth, through visible and enabled parents)
  // with this short-cut; nullptr when none.
  TMenuItem* FindItem(TShortCut shortCut) const;
  // Clicks the item with the key's short-cut; true when one took it.
  bool IsShortCut(uint16_t key, TShiftState shift);

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

protected:
  void Notification(TComponent* component, TOperation operation) override;
  // Something shown changed: OnChange.
  virtual void DoChange(TMenuItem* source, bool rebuild);

private:
  friend class TMenuItem;
  void Changed(TMenuItem* source, bool rebuild);

  TMenuItem* FItems;
  TCustomImageList* FImages = nullptr;
};

class TMainMenu : public TMenu {
  KORA_CLASS(TMainMenu, TMenu)
  using TMenu::TMenu;

  // The window whose menu bar shows this menu; changes redraw that bar.
  HWND WindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(HWND value) { FWindowHandle = value; }

protected:
  void DoChange(TMenuItem* source, bool rebuild) override;

private:
  HWND FWindowHandle;
};

class TPopupMenu;
// Shows a popup menu at a screen point and returns once it closed; the
// skin engine installs its own, the plain look is the default.
using TPopupPresenter = std::function<void(TPopupMenu& menu, int x, int y)>;

class TPopupMenu : public TMenu, public TContextPopup {
  KORA_CLASS(TPopupMenu, TMenu)

  explicit TPopupMenu(TComponent* owner);

  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool value) { FAutoPopup = value; }
  // The component whose context menu opened this one.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* value);
  // Where the last Popup opened, in screen coordinates.
  POINT PopupPoint() const { return FPopupPoint; }
  const TNotifyEvent& OnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent value) { FOnPopup = std::move(value); }

  // Fires OnPopup and shows the menu at a screen point.
  virtual void Popup(int x, int y);

  // nullptr puts the plain popup windows back.
  static void SetPresenter(TPopupPresenter presenter);

  // A control's context menu: opens when AutoPopup, for that control.
  bool OpensOnContextClick() const override { return FAutoPopup; }
  void OpenForContext(TComponent* control, POINT screen) override {
    SetPopupComponent(control);
    Popup(screen.X, screen.Y);
  }

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  POINT FPopupPoint{};
  TNotifyEvent FOnPopup;
};

}  // namespace kora

// The tracker every popup menu runs on.
#include "framework/menus/Menus_Tracker.h"  // IWYU pragma: export
