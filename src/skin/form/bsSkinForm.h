#pragma once
// The skinned window frame: TbsSkinForm takes a form's whole non-client
// area away from the window system (caption, borders, caption buttons, hit
// tests, window region, window states, the system menu), and the active
// skin objects are the caption buttons, the caption strip and the other
// pieces of the skin it draws into that frame and routes the mouse to.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/Menus_Tracker.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsUtils.h"
#include "skin/form/bsFrameAnimator.h"
#include "skin/form/bsFrameGeometry.h"
#include "skin/form/bsFrameMenuMode.h"
#include "skin/form/bsFramePainter.h"

namespace kora {

class TbsSkinForm;

// Where a window goes when it is first shown.
enum TbsPositionInMonitor : uint8_t { bspDefault, bspScreenCenter, bspDesktopCenter };
const TTypeInfo* TypeInfoOf(TbsPositionInMonitor);

// Which caption buttons and system-menu commands a frame has. Scoped: the
// framework's own border icons share the first names.
enum class TbsBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray };
using TbsBorderIcons = TSet<TbsBorderIcon>;
const TTypeInfo* TypeInfoOf(TbsBorderIcon);
const TTypeInfo* TypeInfoOf(TbsBorderIcons);

// The frame's own window states.
enum TbsFrameWindowState : uint8_t { fwsNormal, fwsMinimized, fwsMaximized };

// Private messages of the frame and the popup menus it opens.
constexpr UINT WM_BSMENUCLOSED = WM_USER + 204;       // 1228: a popup menu the frame opened has closed
constexpr UINT WM_BSMENUCOMMAND = WM_USER + 205;      // 1229: a menu command was executed
constexpr UINT WM_BSMDICHILDSIZE = WM_USER + 206;     // 1230
constexpr UINT WM_BSMDICHILDMAX = WM_USER + 207;      // 1231
constexpr UINT WM_BSMDICHILDRESTORE = WM_USER + 208;  // 1232
constexpr UINT WM_BSPAINTFRAME = 48203;               // paint into the DC in wParam, with lParam kPaintFrameCode
constexpr LPARAM kPaintFrameCode = 16802;

// What the frame asks of the form's skinned menu bar (the menu bar class
// implements it). Keys and modes of the keyboard menu mode.
class IbsFrameMenuBar {
public:
  virtual ~IbsFrameMenuBar() = default;
  // SC_KEYMENU: select the first item without opening it.
  virtual void EnterKeyboardMenu() = 0;
  // Leaves the menu state (Esc, a command, any closing message).
  virtual void LeaveKeyboardMenu() = 0;
  // A key in keyboard menu mode (the arrows, Enter, Escape, a letter);
  // true when the bar took it.
  virtual bool MenuBarKey(WORD key) = 0;
  // The form's short-cuts reach the bar's menu.
  virtual bool MenuBarShortCut(const MSG& msg) = 0;
};

// What a menu bar's drop-down asks of the popup engine beyond a popup's.
struct TbsMenuDropOptions {
  // A mouse move outside every window of the chain (screen point); true
  // ends it (the bar switching to another of its items).
  std::function<bool(POINT)> OnMouseOutside;
  // Left on the first level and Right over an item without a submenu end
  // the chain sideways.
  bool LeaveSideways = false;
  // Every window of the chain is gone; chosen tells whether an item was
  // picked, whose command runs right after (a bar lets go of its item first).
  std::function<void(bool chosen)> OnClosed;
};

// What the frame asks of a hint component.
class IbsFrameHint {
public:
  virtual ~IbsFrameHint() = default;
  virtual void ShowObjectHint(const std::string& text) = 0;
  virtual void HideObjectHint() = 0;
  virtual bool ObjectHintShowing() const = 0;
};

// What the frame asks of a tray icon (the tray layer).
class IbsFrameTray {
public:
  virtual ~IbsFrameTray() = default;
  virtual void SetMinimizeToTrayMode(bool value) = 0;
  virtual void SetTrayIconVisible(bool value) = 0;
  // The icon gives the tray popup and the activation handler when it has none.
  virtual void SetDefaultTrayPopup(TPopupMenu* menu, TNotifyEvent onActivate) = 0;
};

// ---- Active skin objects --------------------------------------------------------

// One piece of the frame made from a [SKINOBJECTS] record: it knows its
// rectangle in the window, draws itself in its state and turns the mouse
// the frame routes to it into state changes, events and commands.
class TbsActiveSkinObject {
public:
  TbsActiveSkinObject(TbsSkinForm* parent, const TbsDataSkinObject* data);
  virtual ~TbsActiveSkinObject() = default;
  TbsActiveSkinObject(const TbsActiveSkinObject&) = delete;
  TbsActiveSkinObject& operator=(const TbsActiveSkinObject&) = delete;

  // Whether a morph step is still needed.
  virtual bool EnableMorphing();
  // Into the canvas at ObjectRect; drawNormal also draws a fixed object's
  // normal look (its pixels are part of the frame bands otherwise).
  virtual void Draw(TCanvas* canvas, bool drawNormal);
  virtual void DblClick();
  virtual void MouseDown(int x, int y, TMouseButton button);
  virtual void MouseUp(int x, int y, TMouseButton button);
  virtual void MouseMove(int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  // Whether the object looks different under the pointer.
  virtual bool HasHoverLook() const;
  // What the frame's hit test answers over the object: HTCAPTION for a
  // piece the window is dragged by (which never holds the mouse itself).
  virtual LRESULT HitCode() const { return HTOBJECT; }
  // The command of a caption button; none for every other object.
  virtual std::optional<TbsStdCommand> ButtonCommand() const { return std::nullopt; }
  // Whether the object can be painted on its own over the frame; false
  // when only a whole frame paint redraws it cleanly.
  virtual bool RepaintsAlone() const { return true; }
  // The caption buttons of a row took the space up to x on one side.
  virtual void MakeRoomForButtons(bool leftSide, int x);
  // Forgets hover and press looks (the window's activation changed).
  virtual void ResetHover();
  // The window's active state changed.
  virtual void SetActiveState(bool active, bool repaint);
  // One 25 ms tick of the frame's animation timer; true when it still runs.
  virtual bool AnimationStep() { return false; }
  // The frame's popup menu closed: true when it was this object's.
  virtual bool MenuClosed() { return false; }

  // Morphing set, a skin loaded and skin effects on.
  bool CanMorphing() const;
  // Starts the frame's morph ticker, or repaints at once without morphing.
  void ReDraw();

  TbsSkinForm* Parent;
  double MorphFactor = 0;
  bool MouseIn = false;
  // Not owned. ActivePicture is null without an active picture.
  TBitmap* Picture = nullptr;
  TBitmap* ActivePicture = nullptr;
  TbsSkinData* SkinData = nullptr;
  std::string IDName;
  std::string Hint;
  RECT SkinRect, ActiveSkinRect, InActiveSkinRect;
  // Window coordinates.
  RECT ObjectRect;
  bool Active = false;
  bool Morphing = false;
  TbsMorphKind MorphKind = mkDefault;
  bool Enabled = true;
  bool Visible = true;
  // The normal look lies in the active picture and the frame places the
  // object; otherwise it is part of the main picture where it stands.
  bool SkinRectInAPicture = false;

protected:
  // A piece of a picture at the object's size at (x, y) of the canvas.
  void DrawPiece(TCanvas* canvas, TBitmap* picture, const RECT& source) const;
  // The morph of two pieces of the active picture at MorphFactor.
  void DrawMorph(TCanvas* canvas, TBitmap* normalPicture, const RECT& normal, const RECT& active) const;
  // The normal look's picture: the active one for in-picture objects.
  TBitmap* NormalPicture() const { return SkinRectInAPicture ? ActivePicture : Picture; }
  bool MorphInProgress() const;
};

// Painted by the application through OnPaintEvent.
class TbsUserObject : public TbsActiveSkinObject {
public:
  using TbsActiveSkinObject::TbsActiveSkinObject;
  void Draw(TCanvas* canvas, bool drawNormal) override;
};

// Pressable; may drop a menu under itself.
class TbsSkinButtonObject : public TbsActiveSkinObject {
public:
  TbsSkinButtonObject(TbsSkinForm* parent, const TbsDataSkinObject* data);

  bool EnableMorphing() override;
  void Draw(TCanvas* canvas, bool drawNormal) override;
  void MouseDown(int x, int y, TMouseButton button) override;
  void MouseUp(int x, int y, TMouseButton button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  bool Down() const { return FDown; }
  void SetDown(bool value);
  bool MenuClosed() override;

  RECT DownRect, DisableSkinRect;
  // A menu whose items drop down from the button; null for none.
  TMenuItem* MenuItem = nullptr;
  bool PopupUp = false;

protected:
  // Opens the button's menu under it; how the menu ended (Closed without one).
  TMenuTrackEnd DropMenu();
  bool FDown = false;
  bool FMenuDown = false;
};

// A caption button with a command.
class TbsSkinStdButtonObject : public TbsSkinButtonObject {
public:
  TbsSkinStdButtonObject(TbsSkinForm* parent, const TbsDataSkinObject* data);

  bool EnableMorphing() override;
  void Draw(TCanvas* canvas, bool drawNormal) override;
  void DblClick() override;
  void MouseDown(int x, int y, TMouseButton button) override;
  void MouseUp(int x, int y, TMouseButton button) override;
  bool HasHoverLook() const override;
  std::optional<TbsStdCommand> ButtonCommand() const override { return Command; }

  // cmmaximize while maximized, cmminimize while minimized, cmrollup while rolled up.
  bool RestoreState() const;
  void DoCommand();

  TbsStdCommand Command = cmDefault;
  RECT RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
  // False for the default-look buttons of a frame without a skin.
  bool SkinSupport = true;

private:
  void DrawDefaultLook(TCanvas* canvas);
};

// A strip of frames played on hover, with an optional command.
class TbsSkinAnimateObject : public TbsActiveSkinObject {
public:
  TbsSkinAnimateObject(TbsSkinForm* parent, const TbsDataSkinObject* data);

  bool EnableMorphing() override { return false; }
  void Draw(TCanvas* canvas, bool drawNormal) override;
  void MouseDown(int x, int y, TMouseButton button) override;
  void MouseUp(int x, int y, TMouseButton button) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void ResetHover() override;
  bool AnimationStep() override;
  bool MenuClosed() override;
  void DoCommand();
  bool RestoreState() const;

  int CountFrames = 1;
  bool Cycle = false;
  bool ButtonStyle = false;
  int TimerInterval = 50;
  TbsStdCommand Command = cmDefault;
  RECT DownSkinRect, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
  int Frame = 1;
  int ElapsedTime = 25;
  bool Increment = true;
  bool Pressed = false;
  bool MenuOpen = false;
  TMenuItem* MenuItem = nullptr;

private:
  RECT FrameRect(int frame) const;
  void DropMenu(TMenuItem* items);
};

// The caption strip: the form's caption in the record's font and colours.
class TbsSkinCaptionObject : public TbsActiveSkinObject {
public:
  TbsSkinCaptionObject(TbsSkinForm* parent, const TbsDataSkinObject* data);

  void Draw(TCanvas* canvas, bool drawNormal) override;
  void MouseDown(int x, int y, TMouseButton button) override;
  void MouseUp(int x, int y, TMouseButton button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  LRESULT HitCode() const override { return HTCAPTION; }
  // The caption is drawn over the band.
  bool RepaintsAlone() const override { return false; }
  void MakeRoomForButtons(bool leftSide, int x) override;
  // The caption keeps its own look across hover resets.
  void ResetHover() override {}
  void SetActiveState(bool active, bool repaint) override;
  bool AnimationStep() override;
  bool CanAnimate() const;

  std::string FontName;
  TFontStyles FontStyle;
  int FontHeight = 0;
  TColor FontColor = 0, ActiveFontColor = 0;
  TAlignment Alignment = taLeftJustify;
  RECT TextRect;
  bool Light = false;
  TColor LightColor = 0, ActiveLightColor = 0;
  bool Shadow = false;
  TColor ShadowColor = 0, ActiveShadowColor = 0;
  RECT FrameRect, ActiveFrameRect, FrameTextRect;
  int FrameLeftOffset = 0, FrameRightOffset = 0;
  bool StretchEffect = false;
  RECT AnimateSkinRect;
  int FrameCount = 0;
  int AnimateInterval = 25;
  bool InActiveAnimation = false;
  bool FullFrame = false;
  int AnimateFrame = 0;
  int ElapsedTime = 0;

private:
  // The object-sized image of a source rectangle.
  void StripImage(TBitmap& target, TBitmap* picture, const RECT& source) const;
  RECT AnimationFrameRect(int frame) const;
  void DrawText(TCanvas* canvas, int originX, int originY);
};

// ---- The frame ----------------------------------------------------------------------

// handler(idName, objectVisible)
using TbsActivateCustomObjectEvent = TEvent<const std::string&, bool&>;
using TbsMouseEnterEvent = TEvent<const std::string&>;
// handler(idName, x, y, objectRect, button)
using TbsMouseUpDownEvent = TEvent<const std::string&, int, int, const RECT&, TMouseButton>;
using TbsMouseMoveEvent = TEvent<const std::string&, int, int, const RECT&>;
using TbsPaintEvent = TEvent<const std::string&, TCanvas*, const RECT&>;

class TbsSkinForm : public TComponent {
  KORA_CLASS(TbsSkinForm, TComponent)

  // The owner must be a form; outside design time the frame is taken over at once.
  explicit TbsSkinForm(TComponent* owner);
  ~TbsSkinForm() override;

  // ---- Published properties ----
  TbsPositionInMonitor PositionInMonitor = bspDefault;
  TWinControl* StatusBar() const { return FStatusBar; }
  void SetStatusBar(TWinControl* value);
  bool UseFormCursorInNCArea = false;
  int32_t MaxMenuItemsInWindow() const { return FMaxMenuItemsInWindow; }
  void SetMaxMenuItemsInWindow(int32_t value);
  int32_t ClientWidth = 0;
  int32_t ClientHeight = 0;
  bool HideCaptionButtons() const { return FHideCaptionButtons; }
  void SetHideCaptionButtons(bool value);
  bool AlwaysShowInTray = false;
  TBitmap* LogoBitMap() const { return FLogoBitMap.get(); }
  void SetLogoBitMap(const TBitmap* value);
  bool LogoBitMapTransparent = false;
  bool AlwaysMinimizeToTray = false;
  bool UseSkinFontInMenu = true;
  bool ShowIcon() const { return FShowIcon; }
  void SetShowIcon(bool value);
  bool MaximizeOnFullScreen = false;
  bool AlphaBlend = false;
  bool AlphaBlendAnimation = false;
  uint8_t AlphaBlendValue = 200;
  TComponent* SkinHint() const { return FSkinHint; }
  void SetSkinHint(TComponent* value);
  bool ShowObjectHint = false;
  bool UseDefaultObjectHint = true;
  bool MenusAlphaBlend = false;
  bool MenusAlphaBlendAnimation = false;
  uint8_t MenusAlphaBlendValue = 200;
  TFont* DefCaptionFont() const { return FDefCaptionFont.get(); }
  void SetDefCaptionFont(const TFont* value);
  TFont* DefInActiveCaptionFont() const { return FDefInActiveCaptionFont.get(); }
  void SetDefInActiveCaptionFont(const TFont* value);
  int32_t DefMenuItemHeight() const { return FDefMenuItemHeight; }
  void SetDefMenuItemHeight(int32_t value);
  TFont* DefMenuItemFont() const { return FDefMenuItemFont.get(); }
  void SetDefMenuItemFont(const TFont* value);
  TComponent* TrayIcon() const { return FTrayIcon; }
  void SetTrayIcon(TComponent* value);
  bool UseDefaultSysMenu = true;
  // The form's skinned menu bar; the frame drives it through IbsFrameMenuBar.
  TWinControl* MainMenuBar() const { return FMainMenuBar; }
  void SetMainMenuBar(TWinControl* value);
  TComponent* MDITabsBar() const { return FMDITabsBar; }
  void SetMDITabsBar(TComponent* value);
  TPopupMenu* SystemMenu() const { return FSystemMenu; }
  void SetSystemMenu(TPopupMenu* value);
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);
  TbsSkinData* MenusSkinData() const { return FMenusSkinData; }
  void SetMenusSkinData(TbsSkinData* value);
  int32_t MinHeight = 0, MinWidth = 0, MaxHeight = 0, MaxWidth = 0;
  bool Magnetic = false;
  uint8_t MagneticSize = 5;
  TbsBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TbsBorderIcons value);

  // ---- Events ----
  TShortCutEvent OnShortCut;
  TNotifyEvent OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData;
  TNotifyEvent OnActivate, OnDeActivate, OnChangeRollUpState;
  TNotifyEvent OnMinimizeToTray, OnRestoreFromTray;
  TbsActivateCustomObjectEvent OnActivateCustomObject;
  TNotifyEvent OnMinimize, OnRestore, OnMaximize;
  TNotifyEvent OnSkinMenuOpen, OnSkinMenuClose, OnMainMenuEnter, OnMainMenuExit;
  TbsMouseEnterEvent OnMouseEnterEvent, OnMouseLeaveEvent;
  TbsMouseUpDownEvent OnMouseDownEvent, OnMouseUpEvent;
  TbsMouseMoveEvent OnMouseMoveEvent;
  TbsPaintEvent OnPaintEvent;

  // ---- State ----
  TCustomForm* Form() const { return FForm; }
  TbsFrameWindowState FrameWindowState() const { return FWindowState; }
  bool RolledUp() const { return FRolledUp; }
  bool SkinActive() const { return FSkinActive; }
  // Forced, else the NC-active flag for MDI windows, else the form's.
  bool GetFormActive() const;
  bool NCActive() const { return FNCActive; }
  bool MenuOpen() const { return FMenuMode->MenuOpen(); }
  bool KeyboardMenuMode() const { return FMenuMode->KeyboardMode(); }
  bool InSizeMove() const { return FInSizeMove; }
  int HotIndex() const { return FHotIndex; }
  int CapturedIndex() const { return FCapturedIndex; }
  int ObjectCount() const { return int(FObjects.size()); }
  TbsActiveSkinObject* Objects(int index) const { return FObjects[size_t(index)].get(); }
  // The first object of that IDName, null when none.
  TbsActiveSkinObject* FindObject(const std::string& idName) const;
  const RECT& FitInnerRect() const { return FGeometry.Inner; }
  const RECT& FitCaptionRect() const { return FGeometry.Caption; }
  // Every rectangle of the frame for the size it was last laid out at.
  const TbsFrameGeometry& Geometry() const { return FGeometry; }
  RECT SavedBounds() const { return FSavedBounds; }
  TPopupMenu* TrayPopupMenu() const { return FTrayMenu.get(); }
  TTimer* HotTrackTimer() const { return FHotTrackTimer.get(); }
  TTimer* MorphTicker() const { return FAnimator->MorphTimer(); }
  TTimer* CaptionAnimateTimer() const { return FAnimator->AnimationTimer(); }

  // ---- Sizes ----
  int GetMinWidth() const;
  int GetMinHeight() const;
  int GetMaxWidth() const;
  int GetMaxHeight() const;
  // The client of a window of w x h in the current look.
  RECT ClientRectFor(int w, int h) const;

  // ---- Operations ----
  void MinimizeAll();
  void Maximize();
  void Restore();
  void SetFrameWindowState(TbsFrameWindowState value);
  void RollUp(bool value);
  void ToggleRollUp() { RollUp(!FRolledUp); }
  void MinimizeToTray();
  void RestoreFromTray();
  // The system menu's items, rebuilt (or the application's SystemMenu
  // with the standard commands on top).
  TMenuItem* SystemMenuItems() { return FMenuMode->SystemMenuItems(); }
  // Drops a menu's items at a screen point; the one place the frame shows
  // a popup (the skinned popup engine takes it over).
  TMenuTrackEnd OpenFramePopup(TMenuItem* items, POINT at, const RECT* under);
  // The same under (popupUp: over) an anchor rectangle, with a skin of the
  // menu's own and the control that asked (it hears 1228 and 1229).
  // Drop-downs of a menu bar show the items from index first and end as the
  // options say; returns how the chain ended.
  TMenuTrackEnd OpenFramePopup(TMenuItem* items, const RECT& anchor, bool popupUp, TbsSkinData* skin,
                               TControl* popupControl, int first = 0, const TbsMenuDropOptions* drop = nullptr);
  void EnterKeyboardMenuMode(bool announce = true) { FMenuMode->EnterKeyboardMode(announce); }
  void LeaveKeyboardMenuMode() { FMenuMode->LeaveKeyboardMode(); }
  void CloseForm();
  void UpdateSkinCaptionButtons();
  // Paints one object straight into the window.
  void RepaintObject(TbsActiveSkinObject* object);
  void StartMorphTicker() { FAnimator->StartMorph(); }
  void StartCaptionAnimation() { FAnimator->StartAnimation(); }
  // Repaints the whole frame now.
  void PaintNCNow();
  void SetBorderIconsVisibility();

  // Geometry for the current size; false below the minimum.
  bool CalcRects();
  void CalcObjectRects();
  void UpdateRegion(bool sizeChanged);
  // The frame into a window DC (window coordinates) or any DC.
  void PaintNC(HDC dc);
  LRESULT HitTest(POINT p);
  LRESULT SkinHitTest(POINT p);
  LRESULT DefaultHitTest(POINT p);
  void HotTracking(POINT p, bool allowHot = true);
  void ResetHotState();
  void UpdateCaptionActiveState(bool repaint, bool animate);
  void ApplySkin();

protected:
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

private:
  friend class TbsActiveSkinObject;
  void NewWndProc(TMessage& message);
  void CallOldWndProc(TMessage& message);
  bool PreFilter(const TMessage& message);
  void HandleNCMouse(TMessage& message, LRESULT hit);
  void BeforeSkinChange();
  void HotTrackTick();
  void FadeTick();
  void ShowWindowMessage(TMessage& message);
  void MagneticMove(RECT& proposed);
  void PlaceOnFirstShow();
  RECT MonitorArea(bool workArea) const;
  void CreateDefaultObjects();
  void SyncObjectsFromSkin();
  void ForceSizeMessage();
  POINT WindowPoint(LPARAM screenPoint) const;
  bool Sizeable() const;
  bool ToolWindow() const;
  bool IsMainForm() const;
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  int WindowWidth() const;
  int WindowHeight() const;

  TCustomForm* FForm = nullptr;
  TWndMethod FOldWndProc;
  std::vector<std::unique_ptr<TbsActiveSkinObject>> FObjects;
  bool FSkinActive = false;
  bool FChangingSkin = false;
  TbsFrameWindowState FWindowState = fwsNormal;
  bool FRolledUp = false;
  bool FRolledUpWhileMaximized = false;
  bool FRollUpBeforeMaximize = false;
  RECT FSavedBounds;
  int FSavedHeight = 0;
  bool FFirstShowPending = true;
  int FWidth = 0, FHeight = 0;
  TbsFrameGeometry FGeometry;
  TbsFramePainter FPainter{this};
  // Mask bands at the size they were last made for.
  TBitmap FMaskTop, FMaskBottom, FMaskLeft, FMaskRight;
  SIZE FRegionSize;
  HRGN FRegion;
  int FHotIndex = -1, FPrevHotIndex = -1, FCapturedIndex = -1;
  bool FInSizeMove = false;
  bool FFullDragWindows = true;
  bool FNCActive = false;
  // Each edge of the work area (left, top, right, bottom) while moving
  // with Magnetic: free, holding the window, or left after holding it (the
  // window then keeps its place relative to the cursor, and snaps again
  // only when brought back to the edge).
  enum class TEdgeSnap : uint8_t { Free, Snapped, Leaving };
  std::array<TEdgeSnap, 4> FSnapped{};
  POINT FSnapCursor;  // where the cursor was when the window snapped
  bool FFading = false;
  int FFadeAlpha = 0;
  int FFadeTarget = 255;
  std::unique_ptr<TTimer> FHotTrackTimer;
  std::unique_ptr<TbsFrameAnimator> FAnimator;
  // The form's own short-cut handler from before the frame: it still runs first.
  TShortCutEvent FFormShortCut;
  std::unique_ptr<TPopupMenu> FTrayMenu;
  std::unique_ptr<TbsFrameMenuMode> FMenuMode;
  std::unique_ptr<TBitmap> FLogoBitMap;
  std::unique_ptr<TFont> FDefCaptionFont, FDefInActiveCaptionFont, FDefMenuItemFont;
  TWinControl* FStatusBar = nullptr;
  TComponent* FSkinHint = nullptr;
  TComponent* FTrayIcon = nullptr;
  TWinControl* FMainMenuBar = nullptr;
  TComponent* FMDITabsBar = nullptr;
  TPopupMenu* FSystemMenu = nullptr;
  TbsSkinData* FSkinData = nullptr;
  TbsSkinData* FMenusSkinData = nullptr;
  TbsBorderIcons FBorderIcons{TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize,
                              TbsBorderIcon::biRollUp};
  int32_t FMaxMenuItemsInWindow = 0;
  int32_t FDefMenuItemHeight = 20;
  bool FHideCaptionButtons = false;
  bool FShowIcon = false;
};

// Registers the frame's classes by name for form descriptions.
void RegisterSkinFormClasses();

// Skin texts of the frame: the skin's resource string under key, else the
// built-in Chinese text of the string resource id.
std::string FrameResourceString(const TbsSkinData* skin, const char* key, int resourceId);

}  // namespace kora
