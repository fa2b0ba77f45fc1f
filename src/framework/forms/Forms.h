#pragma once
// The application object: the message loop and its hook, the default
// error report, hint timing, minimize/restore and help requests.

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/controls/ModalLoop.h"
#include "framework/core/Components.h"
#include "framework/core/Events.h"
#include "platform/gdi/Geometry.h"
#include "platform/window/WinTypes.h"

namespace kora {

class TCustomForm;
class TMainMenu;
class TMenuBarTracker;

// Posted to a form that frees itself once the current message is done.
constexpr UINT CM_RELEASE = CM_BASE + 33;

// Modal results; mrNone keeps a modal form open.
using TModalResult = int32_t;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

// handler(msg, handled): set handled to keep the message from its window.
using TMessageEvent = TEvent<MSG&, bool&>;
// handler(sender, error)
using TExceptionEvent = TEvent<TObject*, const std::exception&>;
// handler(command, data, callHelp) -> whether help was shown
using THelpEvent = std::function<bool(uint16_t command, int32_t data, bool& callHelp)>;
// handler(done): set done to false to be called again before waiting
using TIdleEvent = TEvent<TObject*, bool&>;

// ---- Hints ---------------------------------------------------------------------

// The small window that shows a control's short hint: no border, topmost,
// shown without taking the activation or the focus. The skin engine
// replaces it through TApplication::SetHintWindowClass.
class THintWindow : public TCustomControl {
  KORA_CLASS(THintWindow, TCustomControl)

  explicit THintWindow(TComponent* owner);

  // Shows the hint with rect's top-left at its place (screen coordinates),
  // moved left or up where it would leave the screen.
  virtual void ActivateHint(RECT rect, const std::string& hint);
  virtual void ActivateHintData(RECT rect, const std::string& hint, void* data);
  // The window size for the text broken into lines of at most maxWidth
  // pixels, as a rectangle at (0, 0).
  virtual RECT CalcHintRect(int maxWidth, const std::string& hint, void* data);
  // Hides the window and lets its handle go.
  void ReleaseHandle();
  // Whether the window is on screen now.
  bool IsHintShown() const;

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void Paint() override;
};

// A class reference that makes the application's hint window.
using THintWindowClass = TClass;

// What is about to be shown, for OnShowHint and CM_HINTSHOW (lParam) to change.
struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;
  POINT HintPos{};  // screen coordinates of the window's top-left
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  RECT CursorRect{};      // client coordinates of HintControl; leaving it hides the hint
  POINT CursorPos{};      // client coordinates of HintControl
  int ReshowTimeout = 0;  // nonzero: ask again after this many ms
  int HideTimeout = 0;
  std::string HintStr;
  void* HintData = nullptr;
};
// handler(hintStr, canShow, hintInfo)
using TShowHintEvent = TEvent<std::string&, bool&, THintInfo&>;

// The parts of "short|long"; a hint without "|" is both.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
// How far the current cursor reaches below its hot spot, so a hint shown
// under the cursor is not covered by it.
int GetCursorHeightMargin();

class TTimer;

// ---- The plain menu bar (Menus_MenuBar.cpp) ----------------------------------------

// A form's window procedure offers every message here first: while the form
// has a Menu, its frame shows the bar (room made in WM_NCCALCSIZE, drawn
// with the frame, HTMENU, clicks, Alt, F10 and Alt+letter). True when the
// bar took the message.
bool PlainMenuBarMessage(TCustomForm& form, TMessage& message);
// After the form's Menu changed: the frame makes room for the bar or gives it back.
void PlainMenuBarChanged(TCustomForm& form);
// The screen rectangle of the bar's index-th visible item; empty when none.
RECT PlainMenuBarItemRect(TCustomForm& form, int index);
// The core driving the form's bar; null while the form has no Menu.
const TMenuBarTracker* PlainMenuBarTracker(TCustomForm& form);

class TApplication : public TComponent, public TModalHost {
  KORA_CLASS(TApplication, TComponent)

  // The first application made becomes the global Application.
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value) { FTitle = value; }
  // The first form created through CreateForm, or set by hand; closing it
  // ends Run.
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* value);

  // ---- The loop ----
  // Shows the main form and handles messages until Terminate or WM_QUIT.
  void Run();
  // Ends Run (and every modal loop) once the current message is handled.
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles every message waiting now, then returns.
  void ProcessMessages();
  // Handles one message, waiting for one when the queue is empty.
  void HandleMessage();
  // Runs HandleMessage until `done` says so or the application ends: the
  // loop of modal forms and message windows.
  void ModalLoop(const std::function<bool()>& done) override;
  int ModalLevel() const { return FModalLevel; }
  // Every retrieved message passes here first (the message hook).
  TMessageEvent OnMessage;
  TIdleEvent OnIdle;

  // ---- Errors ----
  // The default error report for an exception that escaped an event: the
  // OnException handler when set, else ShowException. Never throws.
  void HandleException(TObject* sender, const std::exception& error);
  void HandleException(TObject* sender);  // the exception being handled now
  // A modal message window captioned with Title, the message and "OK": the
  // ExceptionReporter's when it shows one, else the plain message window.
  void ShowException(const std::exception& error);
  TExceptionEvent OnException;
  // Another look for ShowException's window (the skin layer installs its
  // message box here). It answers false to leave the report to the plain
  // window, which also takes over when the reporter fails.
  using TExceptionReporter = std::function<bool(const std::string& caption, const std::string& text)>;
  const TExceptionReporter& ExceptionReporter() const { return FExceptionReporter; }
  void SetExceptionReporter(TExceptionReporter value) { FExceptionReporter = std::move(value); }

  // ---- Hints ----
  // Off destroys the hint window; on makes a new one of HintWindowClass.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  // Raises EInvalidOperation for a class that is not a THintWindow.
  void SetHintWindowClass(THintWindowClass value);
  // The current hint window; null while ShowHint is off.
  THintWindow* HintWindow() const { return FHintWindow; }
  // Shows the hint of the control under the mouse now, as if the pause
  // had passed with the cursor at `cursorPos` (screen coordinates).
  void ActivateHint(POINT cursorPos);
  // Hides the hint and forgets its control until the mouse moves again.
  void CancelHint() override;
  // Routes mouse moves over a control: starts, restarts or cancels the pause.
  void HintMouseMessage(TControl* control, const MSG& msg);
  TShowHintEvent OnShowHint;
  // Milliseconds the mouse rests before a hint shows, and the hint shows.
  int HintPause() const { return FHintPause; }
  void SetHintPause(int value) { FHintPause = value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int value) { FHintHidePause = value; }
  void SetHintShortPause(int value) { FHintShortPause = value; }
  // The hint of whatever is under the mouse; changes fire OnHint.
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value);
  TNotifyEvent OnHint;

  // ---- Minimize and restore ----
  // Minimizes every visible form of the application / shows them again.
  void Minimize();
  void Restore();
  bool Minimized() const { return FMinimized; }
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

  // ---- Help ----
  // Asks OnHelp to show the topic; false when nobody showed help.
  bool HelpContext(int32_t context);
  THelpEvent OnHelp;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TMainMenu;
  friend class TCustomForm;
  // From a form's WM_SIZE: the window system minimized or restored it.
  void FormMinimized(TCustomForm* form, bool minimized);
  bool IsQuit(const MSG& msg);
  void Idle();
  bool DispatchThroughHook(MSG& msg);

  std::string FTitle;
  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FRunning = false;
  int FModalLevel = 0;
  int FHookId = 0;
  bool FHandlingException = false;
  TExceptionReporter FExceptionReporter;
  // Hints (Forms_Hint.cpp).
  enum class THintTimerMode { Show, Hide };
  void HintMessage(const MSG& msg);
  void StartHintTimer(int ms, THintTimerMode mode);
  void StopHintTimer();
  void HintTimerExpired();
  bool FShowHint = false;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  int FHintShortPause = 50;
  std::string FHint;
  THintWindowClass FHintWindowClass = nullptr;
  THintWindow* FHintWindow = nullptr;
  TColor FHintColor = clInfoBk;
  TControl* FHintControl = nullptr;
  RECT FHintCursorRect{};
  bool FHintActive = false;
  std::unique_ptr<TTimer> FHintTimer;
  THintTimerMode FHintTimerMode = THintTimerMode::Show;
  bool FMinimized = false;
};

extern TApplication* Application;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
const TTypeInfo* TypeInfoOf(TBorderIcon);
const TTypeInfo* TypeInfoOf(TBorderIcons);

enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
const TTypeInfo* TypeInfoOf(TFormStyle);

enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
const TTypeInfo* TypeInfoOf(TPosition);

enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
const TTypeInfo* TypeInfoOf(TWindowState);

// What Close does with the form after OnClose.
enum TCloseAction { caNone, caHide, caFree, caMinimize };
// handler(sender, action)
using TCloseEvent = TEvent<TObject*, TCloseAction&>;
// handler(sender, canClose)
using TCloseQueryEvent = TEvent<TObject*, bool&>;
// handler(msg, handled): a WM_KEYDOWN or WM_SYSKEYDOWN on its way to a
// control of the form; set handled to take it.
using TShortCutEvent = TEvent<const MSG&, bool&>;
// Adjusts the parameters a form's window is made with, every time it is made.
using TCreateParamsHook = std::function<void(TCreateParams&)>;

// A top-level window holding controls: its frame, modal showing, closing
// with a query, key preview, default and cancel keys, the focused control.
class TCustomForm : public TScrollingWinControl {
  KORA_CLASS(TCustomForm, TScrollingWinControl)

  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }
  // Whether the form sees key presses before its focused control.
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool value) { FKeyPreview = value; }
  // The control that has (or gets, once the form is active) the focus.
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* value);
  int32_t HelpContext() const { return FHelpContext; }
  void SetHelpContext(int32_t value) { FHelpContext = value; }
  bool Active() const { return FActive; }
  // The window's icon; an empty one leaves the window system's.
  TIcon* Icon() const { return FIcon.get(); }
  void SetIcon(const TIcon* value);
  // Applied when the form is shown; follows the window afterwards.
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState value);

  // The client size asked for. Set before the window exists it is kept, and
  // the window is sized to it when it is made and whenever its frame
  // changes; sizing the window otherwise asks for its new client size.
  RECT ClientRect() const override;
  void SetClientWidth(int value);
  void SetClientHeight(int value);

  // The form's short-cuts for a key-down message: OnShortCut, then the
  // main menu's items. True when one took the key. The application asks
  // before the key reaches the focused control or becomes a character.
  virtual bool IsShortCut(const MSG& msg);
  TShortCutEvent OnShortCut;
  // A component that owns the frame keeps its style here across re-creates.
  void SetCreateParamsHook(TCreateParamsHook hook);

  // Setting a result other than mrNone ends ShowModal.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }
  // Shows the form with every other window disabled and returns its
  // ModalResult once it is set or the form closed (mrCancel then).
  virtual TModalResult ShowModal();
  bool Modal() const { return FModal; }
  // Asks OnCloseQuery, then OnClose decides: hide (the default), free,
  // minimize or nothing. Closing the main form ends the application.
  void Close();
  virtual bool CloseQuery();
  void Release();  // frees the form once the current message is done

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // OnCreate runs here, once the whole form stream is loaded.
  void StreamLoaded() override;
  void SetFocusedControl(TWinControl* control) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  void WndProc(TMessage& message) override;
  void VisibleChanging() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Raises OnDestroy once, for a form made from a stream. The base's
  // destructor does it last; a form whose handler needs the form's own
  // members calls it first thing in its destructor.
  void DoDestroy();

private:
  friend class TApplication;
  void PlaceOnScreen();
  void Activated(bool active);
  // Focus to ActiveControl, else to the first tab stop.
  void FocusActiveControl();
  // Short-cuts and key preview for keys going to the form's windows.
  bool PreviewKey(const MSG& msg);
  // Sizes the window to the client size asked for.
  void ApplyClientSize();
  void WindowPosChanged(const WINDOWPOS* wp);
  void SizeChanged(WPARAM type);

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  bool FKeyPreview = false;
  TWinControl* FActiveControl = nullptr;
  TMainMenu* FMenu = nullptr;
  int32_t FHelpContext = 0;
  bool FActive = false;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  bool FShown = false;
  bool FCreated = false;
  std::unique_ptr<TIcon> FIcon;
  TWindowState FWindowState = wsNormal;
  int FClientWidth = 0;  // asked for; 0 = whatever the bounds give
  int FClientHeight = 0;
  bool FApplyingClientSize = false;
  TCreateParamsHook FCreateParamsHook;
};

class TForm : public TCustomForm {
  KORA_CLASS(TForm, TCustomForm)
  using TCustomForm::TCustomForm;
};

// Shows a modal plain message window captioned `caption` with the text and
// an OK button (the default and the cancel button) and returns after it
// closed. Used by the default error report.
void ShowPlainMessage(const std::string& caption, const std::string& text);

// ---- The screen: the application's forms and the desktop they live on ----

enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

// One display of the desktop, as the window system sees it now.
struct TMonitor {
  HMONITOR Handle;
  int MonitorNum = 0;  // index in TScreen::Monitors
  RECT BoundsRect;
  RECT WorkareaRect;
  bool Primary = false;
};

// Every form of the program (they register themselves), which one is
// active, the cursor shown everywhere, and the monitors and work area.
class TScreen : public TComponent {
  KORA_CLASS(TScreen, TComponent)

  explicit TScreen(TComponent* owner);
  ~TScreen() override;

  // ---- Forms, topmost first (an activated form moves to the front) ----
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int index) const;
  TCustomForm* ActiveForm() const { return FActiveForm; }
  // The focused control of the active form.
  TWinControl* ActiveControl() const { return FActiveControl; }
  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

  // ---- Cursor ----
  // Anything but crDefault shows everywhere over our windows until reset.
  TCursor Cursor() const { return ProgramCursor(); }
  void SetCursor(TCursor value);
  // The shape of a cursor number.
  HCURSOR Cursors(TCursor index) const;

  // ---- The desktop ----
  int Width() const;
  int Height() const;
  RECT WorkAreaRect() const;
  int WorkAreaHeight() const { return WorkAreaRect().Bottom - WorkAreaRect().Top; }
  int MonitorCount() const;
  TMonitor Monitors(int index) const;
  TMonitor PrimaryMonitor() const { return Monitors(0); }
  // With mdNull a window or point off every monitor gives no monitor.
  std::optional<TMonitor> MonitorFromWindow(HWND window, TMonitorDefaultTo fallback = mdNearest) const;
  std::optional<TMonitor> MonitorFromPoint(POINT point, TMonitorDefaultTo fallback = mdNearest) const;

private:
  friend class TCustomForm;
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  // From the forms: activation, focus moves.
  void FormActivated(TCustomForm* form, bool active);
  void FocusChanged(TCustomForm* form);
  std::optional<TMonitor> MonitorOf(HMONITOR handle) const;

  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TWinControl* FActiveControl = nullptr;
};

// Made when the program starts and kept for its whole life.
extern TScreen* const Screen;

// Registers every framework class a form description may name (forms,
// labels, edits, list boxes, pages, list views, menus, image lists,
// timers); the screen does it when the program starts.
void RegisterFrameworkClasses();

}  // namespace kora
