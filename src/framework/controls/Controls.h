#pragma once
// Visual controls: TControl (bounds, parent, look, mouse), TWinControl (a
// window of its own, created on demand, with children, focus, keys and
// alignment), and the two painting bases TCustomControl (windowed) and
// TGraphicControl (windowless, painted by its parent).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Components.h"
#include "framework/graphics/Graphics.h"
#include "platform/window/WindowSystem.h"

namespace kora {

class TWinControl;

// An operation the control's state does not allow.
class EInvalidOperation : public Exception {
public:
  using Exception::Exception;
};

// ---- Control messages ---------------------------------------------------------
// Sent between controls, never by the window system. Numbers are the classic
// ones, which stored code and the skin engine rely on.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;     // wParam key, lParam shift bits; nonzero result: handled
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;    // wParam character (Alt+letter); nonzero: handled
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;  // lParam the newly focused TWinControl*
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_HITTEST = CM_BASE + 10;  // lParam point; nonzero: the point belongs to the control
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;  // wParam control, lParam 1 inserted / 0 removed
constexpr UINT CM_CHILDKEY = CM_BASE + 46;
constexpr UINT CM_HINTSHOW = CM_BASE + 48;
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_INVALIDATE = CM_BASE + 52;
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;  // wParam control, lParam 1 inserted / 0 removed

// WM_GETDLGCODE answers.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// A message as controls pass it around.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};
using TWndMethod = std::function<void(TMessage&)>;

// ---- Enumerations ---------------------------------------------------------------

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
const TTypeInfo* TypeInfoOf(TAlign);

enum TControlStateItem {
  csLButtonDown,
  csClicked,  // a left press began inside; the release there clicks
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,  // the control is painting itself as a child's background
  csCustomPaint,
  csDestroyingHandle,
};
using TControlState = TSet<TControlStateItem>;

enum TControlStyleItem {
  csAcceptsControls,
  csCaptureMouse,  // a press captures the mouse until the release
  csDesignInteractive,
  csClickEvents,  // press and release inside raise Click
  csFramed,
  csSetCaption,  // the caption follows the name while they are equal
  csOpaque,      // paints all its pixels: the parent need not erase under it
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,  // no OnMouseDown/Move/Up, OnKeyDown/Press/Up
};
using TControlStyle = TSet<TControlStyleItem>;

// Borders of forms; controls use the first two (TBorderStyle).
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
const TTypeInfo* TypeInfoOf(TFormBorderStyle);

enum TMouseButton { mbLeft, mbRight, mbMiddle };
const TTypeInfo* TypeInfoOf(TMouseButton);

// The shift state from mouse message flags, and from the keyboard now.
TShiftState MouseShiftState(WPARAM keys);
TShiftState KeyboardShiftState();

// Cursor numbers; the standard shapes are negative.
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crHelp = -20;
constexpr TCursor crSizeAll = -22;
// The window system's cursor for a standard number; null for crNone and unknown numbers.
HCURSOR CursorHandle(TCursor cursor);
// The one cursor shown over every control while it is set (crDefault: each
// control shows its own). The screen sets it, for example to crHourGlass.
TCursor ProgramCursor();
void SetProgramCursor(TCursor cursor);

// handler(sender, button, shift, x, y)
using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
// handler(sender, shift, x, y)
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
// handler(sender, key, shift); setting key to 0 eats it
using TKeyEvent = TEvent<TObject*, WORD&, TShiftState>;
// handler(sender, key) with a Unicode character; setting key to 0 eats it
using TKeyPressEvent = TEvent<TObject*, char32_t&>;
// handler(sender, mousePos, handled): mousePos in client coordinates, (-1, -1)
// when the keyboard asked; set handled to keep the popup menu closed.
using TContextPopupEvent = TEvent<TObject*, POINT, bool&>;

// A canvas on a control's client area (a windowless control's part of its
// parent), made on first drawing and released by FreeHandle.
class TControlCanvas : public TCanvas {
  KORA_CLASS(TControlCanvas, TCanvas)

  explicit TControlCanvas(class TControl* control = nullptr) : FControl(control) {}
  ~TControlCanvas() override;

  void FreeHandle() override;

protected:
  void CreateHandle() override;

private:
  TControl* FControl = nullptr;
  HDC FDeviceContext;
  HWND FWindow;
};

// Gives back the DCs control canvases took to draw outside a paint message,
// which brings what they drew to the screen; run once a window message has
// been handled (they take a new one when they draw again).
void FreeControlDeviceContexts();

// ---- Size constraints ----------------------------------------------------------------

// Limits on a control's size; 0 leaves a limit off. Every change of the
// control's size goes through them, and changing a limit applies it at once.
class TSizeConstraints : public TPersistent {
  KORA_CLASS(TSizeConstraints, TPersistent)

  explicit TSizeConstraints(class TControl* control = nullptr) : FControl(control) {}

  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int value) { SetLimit(FMaxHeight, value); }
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int value) { SetLimit(FMaxWidth, value); }
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int value) { SetLimit(FMinHeight, value); }
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int value) { SetLimit(FMinWidth, value); }
  // Copies the four limits of another TSizeConstraints.
  void Assign(const TPersistent* source) override;
  // The size moved inside the limits; a maximum wins over a minimum.
  void Constrain(int& width, int& height) const;

private:
  void SetLimit(int& limit, int value);

  class TControl* FControl;
  int FMaxHeight = 0;
  int FMaxWidth = 0;
  int FMinHeight = 0;
  int FMinWidth = 0;
};

// ---- TControl ---------------------------------------------------------------------

// What a control's PopupMenu is to the control: a menu that may open itself
// at a screen point on a right click or the menu key. The menus implement it.
class TContextPopup {
public:
  virtual bool OpensOnContextClick() const = 0;
  virtual void OpenForContext(TComponent* control, POINT screen) = 0;

protected:
  ~TContextPopup() = default;
};

class TControl : public TComponent {
  KORA_CLASS(TControl, TComponent)

  explicit TControl(TComponent* owner);
  ~TControl() override;

  // Messages: Perform sends one through WindowProc, which starts as WndProc;
  // a class hooks messages by overriding WndProc and passing the rest to
  // inherited::WndProc, an outsider by replacing WindowProc.
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
  TWndMethod WindowProc;
  virtual void WndProc(TMessage& message);
  // What is left when nobody handled a message.
  virtual void DefaultHandler(TMessage& message);

  // ---- Placement ----
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* value);
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  // Every change of position or size goes through here.
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  // (0, 0, width, height) of the area children and painting use.
  virtual RECT ClientRect() const;
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);
  // Screen position of the client area's top-left.
  virtual POINT ClientOrigin() const;
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  // Owned; SetBounds keeps the size inside them.
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(const TSizeConstraints* value) { FConstraints->Assign(value); }

  // ---- State ----
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible with every parent up to a window that is on screen.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool value);
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState value) { FControlState = value; }
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle value) { FControlStyle = value; }

  // ---- Look ----
  // Caption and Text are the same string; changes send CM_TEXTCHANGED.
  const std::string& Caption() const { return FText; }
  void SetCaption(const std::string& value) { SetText(value); }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* value) { FFont->Assign(value); }
  // While ParentFont is true the font follows the parent's.
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value) { FHint = value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value);
  // The menu shown on a right click; a TPopupMenu, kept as its base so
  // this layer needs no menus (it opens it through TContextPopup).
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* value);

  // ---- Painting ----
  // Asks for a paint later; Repaint paints now; Update paints what waits.
  virtual void Invalidate();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  virtual void Update();
  void BringToFront();

  // ---- Mouse ----
  // Whether the control is at the point (client coordinates); CM_HITTEST.
  bool HitTest(POINT p);
  virtual void Click();
  virtual void DblClick();
  // The control that receives all mouse input until released (windowless
  // controls get it through their parent's capture).
  static TControl* CaptureControl();
  static void SetCaptureControl(TControl* control);
  bool MouseCapture() const { return CaptureControl() == this; }
  void SetMouseCapture(bool value);
  // The control under the mouse, as CM_MOUSEENTER / CM_MOUSELEAVE announced it.
  static TControl* MouseControl();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;
  TContextPopupEvent OnContextPopup;

  // ---- Components ----
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* value) override;
  void SetName(const std::string& value) override;
  void Loaded() override;

protected:
  // Mouse dispatch, in client coordinates: the default raises the events.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // After the size changed; raises OnResize.
  virtual void Resize();
  // The caption changed (CM_TEXTCHANGED) / the font or colour did.
  virtual void TextChanged() { Invalidate(); }
  virtual void FontChanged();
  virtual void ColorChanged() { Invalidate(); }
  virtual void VisibleChanging() {}
  // The parent aligns its children anew after a change of this one.
  void RequestAlign();
  void Notification(TComponent* component, TOperation operation) override;
  // Turns a client mouse message into MouseDown/Move/Up, Click and DblClick.
  void HandleMouseMessage(TMessage& message);
  // OnContextPopup, then the PopupMenu at a screen point; true when taken.
  virtual bool DoContextPopup(POINT screen, bool byKeyboard);

private:
  friend class TWinControl;
  void FontChangedHandler(TObject* sender);
  void MouseEnterLeave(bool enter);

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  bool FParentColor = true;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TControlState FControlState;
  TControlStyle FControlStyle;
  std::string FText;
  std::string FHint;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TSizeConstraints> FConstraints;
  TColor FColor = SystemColor(COLOR_BTNFACE);
  TCursor FCursor = crDefault;
  TComponent* FPopupMenu = nullptr;
};

// ---- TWinControl --------------------------------------------------------------------

// What CreateWnd passes to the window system; CreateParams fills it in.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent;
  UINT ClassStyle = CS_DBLCLKS;
  HCURSOR ClassCursor;
  HBRUSH ClassBackground;
  std::string WinClassName;
};

class TWinControl : public TControl {
  KORA_CLASS(TWinControl, TControl)

  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // ---- The window ----
  // Made on first use, after the parent's; raises EInvalidOperation
  // "Control '%s' has no parent window" for a child without one.
  HWND Handle();
  bool HandleAllocated() const { return static_cast<bool>(FHandle); }
  void HandleNeeded() { Handle(); }
  // Destroys the window and makes a new one with the same text, bounds and
  // children (after a change CreateParams depends on).
  void RecreateWnd();
  // The control bound to a window of ours, or null.
  static TWinControl* FindControl(HWND window);

  // ---- Children ----
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // Children in z-order from the bottom (windowless ones paint first).
  TControl* Controls(int index) const;
  bool ContainsControl(const TControl* control) const;
  // The visible, enabled child at a client point; windowless children only
  // unless allowWinControls.
  TControl* ControlAtPos(POINT p, bool allowDisabled = false, bool allowWinControls = false) const;
  // Sends the message to every child until one answers nonzero.
  LRESULT Broadcast(TMessage& message);
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // What a form stream stores under this control: as the root, the owned
  // components that have no parent; then the children `root` owns.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  // ---- Alignment ----
  void DisableAlign();
  void EnableAlign();
  void Realign();
  // The area aligned children share; shrink it for borders and tab strips.
  virtual void AdjustClientRect(RECT& rect) const;

  // ---- Focus and tab order ----
  int TabOrder() const;
  void SetTabOrder(int value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  // Visible and enabled all the way up.
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  // The next focusable control after `current` among this one's descendants
  // in tab order, wrapping around; null when there is none.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
  // Descendants in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // Called on the top-level control when `control` (one of its descendants
  // or itself) receives the focus: raises CM_EXIT along the old chain and
  // CM_ENTER along the new one, then remembers it.
  virtual void SetFocusedControl(TWinControl* control);
  TWinControl* FocusedControl() const { return FFocusedControl; }

  // Paints the window's own client area (not the children) into a DC; the
  // background of windowless children and of transparent skinned controls.
  virtual void PaintWindow(HDC dc);
  // Paints the windowless children that intersect the DC's clip, from `first` on.
  void PaintControls(HDC dc, TControl* first);

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  POINT ClientOrigin() const override;
  bool Showing() const override;
  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  void SetEnabled(bool value) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

protected:
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  // Fills in what CreateWnd passes to the window system.
  virtual void CreateParams(TCreateParams& params);
  // Makes the window and then the children's windows.
  virtual void CreateHandle();
  virtual void CreateWnd();
  // Makes the window from the parameters (binding it to this control).
  virtual void CreateWindowHandle(const TCreateParams& params);
  // Destroys the children's windows, then this one's.
  virtual void DestroyHandle();
  virtual void DestroyWnd();

  // Key dispatch: the events first, then the control's own handling.
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char32_t& key);
  // Which keys the control keeps from dialog navigation (DLGC_*).
  virtual LRESULT DialogCode() { return 0; }
  virtual void DoEnter();
  virtual void DoExit();
  // Places aligned children inside `rect` (the adjusted client area).
  virtual void AlignControls(TControl* control, RECT& rect);
  // A dialog key nobody else wanted (Tab moves the focus here).
  virtual bool DialogKey(WORD key, TShiftState shift);
  // An accelerator character; the default offers it to the children.
  virtual bool DialogChar(char32_t key);
  // The control whose window procedure took the message.
  bool IsControlMouseMsg(TMessage& message);

private:
  friend class TControl;
  static LRESULT StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void PaintHandler(TMessage& message);
  void HandleKeyDown(TMessage& message);
  void HandleChar(TMessage& message);
  // WM_CONTEXTMENU: the windowless child under the point, this control, then
  // its parents, until one takes it.
  void HandleContextMenu(TMessage& message);
  void UpdateMouseControl(POINT client);
  void AlignNow(TControl* control);
  void UpdateChildFontsAndColors(UINT msg);

  HWND FHandle;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  TWinControl* FFocusedControl = nullptr;
  bool FTabStop = false;
  bool FCreatingHandle = false;
  int FAlignLevel = 0;
  bool FAligning = false;
};

// A windowed control that paints itself on its canvas.
class TCustomControl : public TWinControl {
  KORA_CLASS(TCustomControl, TWinControl)

  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;

  TCanvas* Canvas() const { return FCanvas.get(); }
  void PaintWindow(HDC dc) override;

protected:
  void DestroyWnd() override;
  // Draws the whole client area on Canvas.
  virtual void Paint();

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// A control without a window: its parent routes the mouse to it and paints
// it after its own background.
class TGraphicControl : public TControl {
  KORA_CLASS(TGraphicControl, TControl)

  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  TCanvas* Canvas() const { return FCanvas.get(); }

protected:
  void WndProc(TMessage& message) override;
  virtual void Paint() {}

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// A windowed container whose children can be scrolled together.
class TScrollingWinControl : public TWinControl {
  KORA_CLASS(TScrollingWinControl, TWinControl)

  explicit TScrollingWinControl(TComponent* owner);

  // Moves every child by (dx, dy) and repaints.
};

// The top-level control the control sits in (the form), or null.
TWinControl* GetParentForm(const TControl* control);

// Paints what the control's parent shows under the control into dc, whose
// origin is the control's top-left corner moved by -offset, so that a
// transparent control can draw over it: the parent's background and
// picture with its windowless children, or what `paint` draws there (in the
// parent's client coordinates) instead. A parent already painting itself as
// a background is not asked again.
void PaintParentImage(TControl* control, HDC dc, POINT offset = {}, const std::function<void(HDC)>& paint = {});

}  // namespace kora
