// TScreen: the forms in z-order, the active form and control, the cursor
// shown everywhere, and the desktop's monitors and work area.

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "framework/forms/Forms.h"
#include "platform/window/WindowSystem.h"

namespace kora {

namespace {

TScreen& TheScreen() {
  // Never freed: forms that outlive static destruction still unregister.
  static TScreen* screen = new TScreen(nullptr);
  return *screen;
}

DWORD MonitorFlags(TMonitorDefaultTo fallback) {
  switch (fallback) {
    case mdNull: return MONITOR_DEFAULTTONULL;
    case mdPrimary: return MONITOR_DEFAULTTOPRIMARY;
    case mdNearest: break;
  }
  return MONITOR_DEFAULTTONEAREST;
}

// The window system numbers its monitors from 1, the primary first.
HMONITOR MonitorHandleAt(int index) { return HMONITOR(uint64_t(index) + 1); }

}  // namespace

TScreen* const Screen = &TheScreen();

TClass TScreen::StaticClass() {
  static const TClassInfo info(TClassBuilder<TScreen>("TScreen"));
  return &info;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) { RegisterFrameworkClasses(); }

TScreen::~TScreen() = default;

TCustomForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FForms[std::size_t(index)];
}

void TScreen::AddForm(TCustomForm* form) { FForms.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) {
  std::erase(FForms, form);
  // The active control always belongs to the active form.
  if (FActiveForm == form) {
    FActiveForm = nullptr;
    FActiveControl = nullptr;
    OnActiveFormChange(this);
  }
}

void TScreen::FormActivated(TCustomForm* form, bool active) {
  // A form losing the activation stays the active one until another takes
  // it (or it goes): switching forms is one change, not two.
  if (!active) return;
  // The activated form is on top now.
  std::erase(FForms, form);
  FForms.insert(FForms.begin(), form);
  if (FActiveForm == form) return;
  FActiveForm = form;
  OnActiveFormChange(this);
  FocusChanged(form);
}

void TScreen::FocusChanged(TCustomForm* form) {
  if (form != FActiveForm) return;
  TWinControl* control = form->ActiveControl();
  if (control == FActiveControl) return;
  FActiveControl = control;
  OnActiveControlChange(this);
}

// ---- Cursor ---------------------------------------------------------------------------

void TScreen::SetCursor(TCursor value) {
  if (value == ProgramCursor()) return;
  SetProgramCursor(value);
  if (value != crDefault) {
    ::kora::SetCursor(Cursors(value));
    return;
  }
  // Back to what the window under the mouse asks for.
  POINT p;
  if (!GetCursorPos(&p)) return;
  const HWND window = WindowFromPoint(p);
  if (!window) return;
  const LRESULT hit = SendMessage(window, WM_NCHITTEST, 0, PointToLParam(p));
  SendMessage(window, WM_SETCURSOR, WPARAM(window.Value()), MAKELPARAM(int(hit), int(WM_MOUSEMOVE)));
}

HCURSOR TScreen::Cursors(TCursor index) const {
  if (index == crDefault) return LoadCursor(nullptr, IDC_ARROW);
  return CursorHandle(index);
}

// ---- The desktop ------------------------------------------------------------------------

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

RECT TScreen::WorkAreaRect() const {
  RECT area;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

int TScreen::MonitorCount() const { return GetSystemMetrics(SM_CMONITORS); }

std::optional<TMonitor> TScreen::MonitorOf(HMONITOR handle) const {
  MONITORINFO info;
  if (!handle || !GetMonitorInfo(handle, &info)) return std::nullopt;
  TMonitor monitor;
  monitor.Handle = handle;
  monitor.MonitorNum = int(handle.Value()) - 1;
  monitor.BoundsRect = info.rcMonitor;
  monitor.WorkareaRect = info.rcWork;
  monitor.Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  return monitor;
}

TMonitor TScreen::Monitors(int index) const {
  std::optional<TMonitor> monitor = MonitorOf(MonitorHandleAt(index));
  if (!monitor) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return *monitor;
}

std::optional<TMonitor> TScreen::MonitorFromWindow(HWND window, TMonitorDefaultTo fallback) const {
  return MonitorOf(::kora::MonitorFromWindow(window, MonitorFlags(fallback)));
}

std::optional<TMonitor> TScreen::MonitorFromPoint(POINT point, TMonitorDefaultTo fallback) const {
  return MonitorOf(::kora::MonitorFromPoint(point, MonitorFlags(fallback)));
}

}  // namespace kora
