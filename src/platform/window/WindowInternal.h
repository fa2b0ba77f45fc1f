#pragma once
// Internal to the window system: the window table and the state its units
// share. Everything here runs on the GUI thread except the parts of
// QueueState that are guarded by its mutex.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/gdi/Region.h"
#include "platform/window/Focus.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Messages.h"
#include "platform/window/Screen.h"
#include "platform/window/ScrollBars.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WinTypes.h"
#include "platform/window/WindowStyles.h"

namespace kora {

class Backend;
class Clock;

// A window's standard scroll bar: visible while its style bit is set.
struct ScrollBarRec {
  int Min = 0;
  int Max = 100;
  UINT Page = 0;
  int Pos = 0;
  int TrackPos = 0;
  bool Tracking = false;  // the user drags the thumb: it is drawn at TrackPos
  UINT Disabled = 0;      // ESB_ bits
  int Pressed = 0;        // the ScrollPart drawn pressed
};

struct WindowClassRec {
  std::string Name;
  ATOM Atom = 0;
  UINT Style = 0;
  WNDPROC Proc = nullptr;
  HICON Icon;
  HICON IconSmall;
  HCURSOR Cursor;
  HBRUSH Background;
};

struct WindowRec {
  HWND Handle;
  std::shared_ptr<WindowClassRec> Class;
  WNDPROC Proc = nullptr;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  UINT_PTR Id = 0;
  LONG_PTR UserData = 0;
  HWND Parent;                 // null for a top-level window
  HWND Owner;                  // top-level windows only
  std::vector<HWND> Children;  // z-order, topmost first
  // Both in the parent's client coordinates (screen for a top-level window).
  RECT Window;
  RECT Client;
  std::string Text;
  std::optional<Region> Shape;  // window coordinates; none = rectangular
  HRGN ShapeHandle;             // owned, deleted when replaced or destroyed
  uint8_t Alpha = 255;
  RECT NormalRect;                // the restored rectangle while minimized or maximized
  bool RestoreMaximized = false;  // a minimized window that was maximized before
  HICON IconSmall;
  HICON IconBig;
  std::map<std::string, uintptr_t, std::less<>> Props;

  // Painting. The update region is in client coordinates.
  Region Update;
  bool EraseNeeded = false;
  Region FrameUpdate;  // window coordinates, outside the client area: waits for WM_NCPAINT
  bool InternalPaint = false;
  bool NoRedraw = false;  // WM_SETREDRAW(false)

  // Top-level windows own the pixels their whole tree draws into.
  HBITMAP Surface;
  std::vector<RECT> Dirty;  // window coordinates, not yet presented

  bool FrameActive = false;   // the last WM_NCACTIVATE state, for the built-in frame
  LRESULT PressedButton = 0;  // the caption button drawn pressed (its hit code)
  ScrollBarRec HScroll;
  ScrollBarRec VScroll;
  bool Destroying = false;
};

struct TimerRec {
  HWND Wnd;
  UINT_PTR Id = 0;
  UINT Interval = 0;
  TIMERPROC Proc = nullptr;
  uint64_t Due = 0;
  uint64_t Order = 0;  // creation order breaks ties between equal due times
};

// Device events in arrival order, routed one at a time when messages are
// retrieved, so capture and focus changes made while handling one event
// already apply to the next.
struct RawInput {
  enum Kind : uint8_t { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp, Char, AppActivate };
  Kind Type = MouseMove;
  POINT Pt;
  int Button = 0;  // 0 left, 1 right, 2 middle
  int Delta = 0;   // wheel
  UINT Vk = 0;
  char32_t Code = 0;
  bool Active = false;
};

struct QueueState {
  std::mutex Mutex;
  std::deque<MSG> Posted;
  std::unordered_set<uint64_t> Live;  // handles PostMessage accepts, readable from any thread
  std::deque<RawInput> Raw;
  bool Quit = false;
  int QuitCode = 0;
  // Wakes a GetMessage that waits without a backend.
  std::condition_variable Wakeup;
  bool WakePending = false;
};

struct MouseState {
  POINT Pos;
  HCURSOR Cursor;
  // The last button press, for double-clicks.
  UINT LastDownMsg = 0;
  HWND LastDownWnd;
  DWORD LastDownTime = 0;
  POINT LastDownPt;
  // TrackMouseEvent: one window at a time, as with the classic call.
  HWND TrackWnd;
  DWORD TrackFlags = 0;
};

struct WindowSystemState {
  // The table: slots are reused oldest-first and carry a generation, so a
  // stale handle does not name a new window for a long time.
  std::vector<std::unique_ptr<WindowRec>> Slots;
  std::vector<uint32_t> Generations;
  std::deque<uint32_t> FreeSlots;

  std::map<std::string, std::shared_ptr<WindowClassRec>, std::less<>> Classes;
  ATOM NextAtom = 0xC000;

  std::vector<HWND> TopLevels;  // z-order, topmost first

  QueueState Queue;
  std::deque<MSG> Routed;  // input already routed, waiting to be retrieved
  DWORD LastMessageTime = 0;
  POINT LastMessagePos;
  bool PaintMaybePending = false;
  std::vector<std::pair<int, std::function<bool(MSG&)>>> Hooks;
  int NextHookId = 1;

  std::vector<TimerRec> Timers;
  uint64_t NextTimerOrder = 1;
  UINT_PTR NextThreadTimerId = 0x7000;

  HWND Focus;
  HWND Active;
  HWND Capture;
  HWND Deactivated;  // the active window while the application is in the background
  bool AppActive = true;

  uint8_t Keys[256] = {};       // as of the last retrieved input message
  uint8_t AsyncKeys[256] = {};  // as of the last device event
  bool AltAlone = false;        // Alt went down and nothing else happened since
  bool AltTapped = false;       // the Alt release being handled ended such a press
  MouseState Mouse;

  bool DragFullWindows = true;
  std::optional<std::vector<RECT>> WorkAreaOverride;
  std::string Clipboard;
  bool ClipboardOpen = false;

  // Read by PostMessage on other threads.
  std::atomic<Backend*> CurrentBackend{nullptr};
};

WindowSystemState& Sys();

// ---- Table and tree (WindowTable.cpp) --------------------------------------

WindowRec* Win(HWND hwnd);  // null for a stale or null handle
HWND AllocateWindow(std::unique_ptr<WindowRec> rec);
void FreeWindow(HWND hwnd);
// The list holding the window in z-order: its parent's children or the top-levels.
std::vector<HWND>& SiblingList(const WindowRec& w);
HWND RootOf(HWND hwnd);
bool IsDescendant(HWND ancestor, HWND hwnd);
// Offset of the window's client origin on the screen.
POINT ClientOrigin(const WindowRec& w);
RECT ScreenWindowRect(const WindowRec& w);
RECT ScreenClientRect(const WindowRec& w);
bool IsTopLevel(const WindowRec& w);
// Inside the window's rectangle and its shape (screen point).
bool PointInWindow(const WindowRec& w, POINT screen);
// Visible itself and all its ancestors.
bool IsReallyVisible(const WindowRec& w);
void RemoveFromZOrder(HWND hwnd);
// Inserts at the place HWND_TOP/BOTTOM/TOPMOST/NOTOPMOST or after a sibling
// names; top-level windows keep the topmost band above the others.
void InsertIntoZOrder(HWND hwnd, HWND after);

// ---- Placement (WindowPos.cpp) ------------------------------------------------

// Default tracking limits and maximized placement, then WM_GETMINMAXINFO.
MINMAXINFO QueryMinMaxInfo(HWND hwnd);

// ---- The built-in frame (DefWindowProc_NonClient.cpp, DefWindowProc_Frame.cpp) ----

// The frame thickness per side that the default WM_NCCALCSIZE removes.
RECT DefaultFrameInsets(DWORD style, DWORD exStyle);
bool HasDefaultCaption(DWORD style);
bool HasThickFrame(DWORD style, DWORD exStyle);
int CaptionHeightFor(DWORD exStyle);

// The parts of the built-in frame in window coordinates; empty when absent.
struct FrameLayout {
  int Border = 0;  // outer border thickness (without client edges)
  RECT Caption;
  RECT SysIcon;
  RECT Close;
  RECT Max;
  RECT Min;
};
FrameLayout ComputeFrameLayout(const WindowRec& w);
LRESULT DefaultHitTest(const WindowRec& w, POINT screen);
void DefaultCalcSize(const WindowRec& w, RECT* proposed);
LRESULT DefNcMouse(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PaintDefaultFrame(HWND hwnd, WPARAM region);
// Presses a caption button and follows the mouse until release; true when
// released over it. pressed tells whether to draw it down.
bool TrackCaptionButton(HWND hwnd, LRESULT hit);

// ---- Standard scroll bars (ScrollBar*.cpp) ----------------------------------------

// The parts in the order of SCROLLBARINFO's rgstate, after the bar itself.
enum ScrollPart : int { SBP_NONE, SBP_LINEUP, SBP_PAGEUP, SBP_THUMB, SBP_PAGEDOWN, SBP_LINEDOWN };

// One bar's pixels in window coordinates; positions along the bar count
// from Bar's top (vertical) or left edge.
struct ScrollBarGeometry {
  RECT Bar;  // empty when the bar is hidden
  bool Vertical = true;
  int Arrow = 0;
  int ThumbStart = 0;  // both 0: no thumb
  int ThumbEnd = 0;
  int Length() const { return Vertical ? Bar.Height() : Bar.Width(); }
  // The position of a window point along the bar.
  int Along(POINT p) const { return Vertical ? p.Y - Bar.Top : p.X - Bar.Left; }
};

ScrollBarRec& ScrollBarOf(WindowRec& w, int bar);
// Something left to scroll: the position can take more than one value.
bool ScrollBarCanScroll(const ScrollBarRec& r);
// Shown, scrollable and not wholly disabled.
bool ScrollBarActive(const WindowRec& w, int bar);
ScrollBarGeometry ComputeScrollBar(const WindowRec& w, int bar);
// The box where both bars meet, in window coordinates; empty unless both show.
RECT ScrollBarCorner(const WindowRec& w);
ScrollPart ScrollPartAt(const ScrollBarGeometry& g, POINT windowPoint);
// The position that puts the thumb's start at `along`.
int ScrollPosAt(const WindowRec& w, int bar, int along);
// Takes the client area's share of the bars from a rectangle (WM_NCCALCSIZE).
void RemoveScrollBarArea(const WindowRec& w, RECT& rect);
LRESULT ScrollBarHitTest(const WindowRec& w, POINT windowPoint);
// The bar waits for WM_NCPAINT.
void InvalidateScrollBar(WindowRec& w, int bar);
void PaintScrollBars(HWND hwnd, WPARAM region);
// SC_VSCROLL / SC_HSCROLL: follows the mouse from a press on the bar until release.
void TrackScrollBar(HWND hwnd, int bar, POINT screen);

// ---- Move/size loop (MoveSizeLoop.cpp) -----------------------------------------

// SC_MOVE / SC_SIZE: the nested loop driven by the mouse (and arrow keys).
void RunMoveSizeLoop(HWND hwnd, WPARAM command);

// ---- Messages (MessageQueue.cpp) --------------------------------------------

LRESULT SendTo(WindowRec& w, UINT msg, WPARAM wp, LPARAM lp);
void PurgePostedMessages(HWND hwnd);
uint64_t NowMs();
Clock& CurrentClock();

// ---- Timers (Timers.cpp) -----------------------------------------------------

void KillWindowTimers(HWND hwnd);
// The earliest due timer inside the filter as a WM_TIMER message; with
// remove its next period starts now.
bool TakeDueTimer(HWND filter, bool remove, MSG& out);

// ---- Input (Input*.cpp) -------------------------------------------------------

// Routes the next raw event into a message; false when it produced none.
bool RouteRawInput(const RawInput& in, MSG& out);
bool RouteMouse(const RawInput& in, MSG& out);
bool RouteKeyboard(const RawInput& in, MSG& out);
void RouteAppActivation(bool active);
void PushRawInput(const RawInput& in);
// Sets a key (and the shared Shift/Ctrl/Alt code of a left/right variant).
void UpdateKeyTable(uint8_t* table, UINT vk, bool down);
void ForgetWindowInInput(HWND hwnd);
// Re-checks mouse-leave tracking and the cursor after windows moved.
void RecheckMouseAfterLayout();
WPARAM MouseKeyFlags();

// ---- Focus (Focus.cpp) ---------------------------------------------------------

bool ActivateWindow(HWND hwnd, bool byMouse);
void ActivateOtherWindow(HWND leaving);
void ForgetWindowInFocus(HWND hwnd);

// ---- Painting and compositing (Painting.cpp, Compositor.cpp) --------------------

// Marks area (client coordinates of w; null = all) for repaint; with frame
// the non-client part of area too (null = the whole frame).
void InvalidateWindow(WindowRec& w, const Region* area, bool erase, bool frame, bool children);
// The whole frame waits for WM_NCPAINT; the client area is left alone.
void InvalidateFrame(WindowRec& w);
// The first window, in tree order, waiting for paint and inside the filter.
HWND FindWindowToPaint(HWND filter);
// After WM_PAINT was dispatched: the frame gets its WM_NCPAINT if still
// due, and what the window left unpainted is validated (no endless WM_PAINT).
void FinishPaintDispatch(HWND hwnd);
// Sends WM_NCPAINT when the frame waits for it.
void SendNcPaint(HWND hwnd);
// Visible part of the window (or its client area) in top-level window coordinates.
Region VisibleRegion(const WindowRec& w, bool clientOnly);
// Offset of a window's top-left corner inside its top-level window.
POINT OffsetInTopLevel(const WindowRec& w);
HBITMAP SurfaceOf(WindowRec& top);
// A DC on the window's client area (or whole window) in its top-level
// surface, limited to its visible part and to clip (DC coordinates).
HDC MakeWindowDC(WindowRec& w, bool wholeWindow, const Region* clip);
void DropSurface(WindowRec& top);
void AddDirty(WindowRec& top, const RECT& r);
// Hands the dirty rectangles of every top-level window to the backend.
void PresentDirty();
// Invalidates what the window covered in its parent (and lower siblings)
// when it is hidden, moved or resized.
void ExposeArea(WindowRec& w, const RECT& oldWindowInParent);
void NotifyBackend(HWND top);

}  // namespace kora
