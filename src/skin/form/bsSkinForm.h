#pragma once
// The skinned window frame: TbsSkinForm takes a form's whole non-client
// area away from the window system (caption, borders, caption buttons, hit
// tests, window region, window states, the system menu), and the active
// skin objects are the caption buttons, the caption strip and the other
// pieces of the skin it draws into that frame and routes the mouse to.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/forms/Forms.h"
#include "framework/menus/Menus.h"
#include "framework/menus/Menus_Tracker.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsUtils.h"
#include "skin/form/bsFrameAnimator.h"
#include "skin/form/bsFrameGeometry.h"
#include "skin/form/bsFrameHover.h"
#include "skin/form/bsFrameMenuMode.h"
#include "skin/form/bsFrameObjects.h"
#include "skin/form/bsFramePainter.h"
#include "skin/form/bsFrameRegion.h"
#include "skin/form/bsFrameWindowStates.h"
#include "skin/form/bsSkinFormProperties.h"

namespace kora {

class TbsSkinForm;

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
  // Whether the button's menu is showing.
  bool MenuDown() const { return FMenuDown; }
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

// The frame of a form. Its published properties live in the stored face
// (TbsSkinFormProperties); the frame owns one part for each of its jobs and
// its window procedure hands the messages to them.
class TbsSkinForm : public TbsSkinFormProperties {
  // The class table is the frame's: the stored face has none of its own, so
  // the frame's parent class there stays TComponent.
  KORA_CLASS(TbsSkinForm, TbsSkinFormProperties)

  // The owner must be a form; outside design time the frame is taken over at once.
  explicit TbsSkinForm(TComponent* owner);
  ~TbsSkinForm() override;

  // ---- State ----
  TCustomForm* Form() const { return FForm; }
  bool SkinActive() const { return FSkinActive; }
  // Forced, else the NC-active flag for MDI windows, else the form's.
  bool GetFormActive() const;
  bool NCActive() const { return FNCActive; }
  TPopupMenu* TrayPopupMenu() const { return FTrayMenu.get(); }

  // ---- Parts ----
  // Every rectangle of the frame for the size it was last laid out at.
  const TbsFrameGeometry& Geometry() const { return FGeometry; }
  TbsFrameWindowStates& States() const { return *FStates; }
  TbsFrameHover& Hover() const { return *FHover; }
  TbsFrameObjects& FrameObjects() const { return *FObjects; }
  TbsFrameRegion& Region() const { return *FRegion; }
  TbsFrameMenuMode& MenuMode() const { return *FMenuMode; }
  TbsFrameAnimator& Animator() const { return *FAnimator; }

  // ---- Operations ----
  void MinimizeAll();
  void Maximize();
  void Restore();
  void SetFrameWindowState(TbsFrameWindowState value);
  void RollUp(bool value);
  void MinimizeToTray();
  void RestoreFromTray();
  void CloseForm();

  // ---- Layout and painting ----
  // The frame into a window DC (window coordinates) or any DC.
  void PaintNC(HDC dc);
  // Repaints the whole frame now.
  void PaintNCNow();
  // Geometry for the current size; false below the minimum.
  bool CalcRects();
  void ApplySkin();
  // The window's size now becomes the frame's size.
  void MeasureWindow();
  SIZE FrameSize() const { return FSize; }
  // The default look's geometry for the window's size now (fromWindow) or
  // the frame's size.
  void FitDefaultGeometry(bool fromWindow = true);
  // A screen point of a message in window coordinates.
  POINT WindowPoint(LPARAM screenPoint) const;
  bool Sizeable() const;
  bool ToolWindow() const;

protected:
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;
  void PropertyChanged(TChange change) override;

private:
  void NewWndProc(TMessage& message);
  void CallOldWndProc(TMessage& message);
  bool PreFilter(const TMessage& message);
  void BeforeSkinChange();
  void ShowWindowMessage(TMessage& message);
  SIZE WindowSize() const;
  bool Designing() const { return ComponentState().Contains(csDesigning); }

  TCustomForm* FForm = nullptr;
  TWndMethod FOldWndProc;
  bool FSkinActive = false;
  bool FChangingSkin = false;
  SIZE FSize{};
  TbsFrameGeometry FGeometry;
  TbsFramePainter FPainter{this};
  bool FNCActive = false;
  // The form's own short-cut handler from before the frame: it still runs first.
  TShortCutEvent FFormShortCut;
  std::unique_ptr<TPopupMenu> FTrayMenu;
  std::unique_ptr<TbsFrameWindowStates> FStates;
  std::unique_ptr<TbsFrameHover> FHover;
  std::unique_ptr<TbsFrameObjects> FObjects;
  std::unique_ptr<TbsFrameRegion> FRegion;
  std::unique_ptr<TbsFrameAnimator> FAnimator;
  std::unique_ptr<TbsFrameMenuMode> FMenuMode;
};

// Registers the frame's classes by name for form descriptions.
void RegisterSkinFormClasses();

// Skin texts of the frame: the skin's resource string under key, else the
// built-in Chinese text of the string resource id.
std::string FrameResourceString(const TbsSkinData* skin, const char* key, int resourceId);

}  // namespace kora
