// TApplication: the message loop, its hook and the default error report.

#include <cstdio>
#include <new>
#include <vector>

#include "framework/controls/ExtCtrls.h"
#include "framework/core/ClassBuilder.h"
#include "framework/forms/Forms.h"
#include "platform/window/WindowSystem.h"

namespace kora {

TApplication* Application = nullptr;

TClass TApplication::StaticClass() {
  static const TClassInfo info(TClassBuilder<TApplication>("TApplication"));
  return &info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  if (!Application) {
    Application = this;
    SetModalHost(this);
  }
  // Added first, so it runs after every later hook (the skin's menus): it
  // dispatches the message itself inside the error report.
  FHookId = AddMessageHook([this](MSG& msg) { return DispatchThroughHook(msg); });
  FHintWindowClass = THintWindow::StaticClass();
  SetShowHint(true);
}

TApplication::~TApplication() {
  RemoveMessageHook(FHookId);
  SetShowHint(false);
  if (Application == this) {
    Application = nullptr;
    SetModalHost(nullptr);
  }
}

void TApplication::SetMainForm(TCustomForm* value) { FMainForm = value; }

bool TApplication::DispatchThroughHook(MSG& msg) {
  if (msg.message == WM_QUIT) return false;
  try {
    HintMessage(msg);
    bool handled = false;
    OnMessage(msg, handled);
    if (!handled && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
      auto* form = dynamic_cast<TCustomForm*>(GetParentForm(TWinControl::FindControl(msg.hwnd)));
      handled = form && form->PreviewKey(msg);
    }
    if (!handled) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  } catch (...) {
    HandleException(this);
  }
  return true;
}

bool TApplication::IsQuit(const MSG& msg) {
  if (msg.message != WM_QUIT) return false;
  FTerminated = true;
  return true;
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE)) {
    Idle();
    if (FTerminated) return;
    if (!GetMessage(&msg, HWND{}, 0, 0)) {
      IsQuit(msg);
      return;
    }
  }
  if (IsQuit(msg)) return;
  try {
    ProcessMessage(msg);
  } catch (...) {
    // A hook added after ours threw.
    HandleException(this);
  }
}

void TApplication::Idle() {
  bool done = true;
  try {
    OnIdle(this, done);
  } catch (...) {
    HandleException(this);
  }
  (void)done;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (!FTerminated && PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE)) {
    if (IsQuit(msg)) break;
    try {
      ProcessMessage(msg);
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::ModalLoop(const std::function<bool()>& done) {
  ++FModalLevel;
  try {
    while (!FTerminated && !done()) HandleMessage();
  } catch (...) {
    --FModalLevel;
    throw;
  }
  --FModalLevel;
}

void TApplication::Run() {
  FRunning = true;
  while (!FTerminated) HandleMessage();
  FRunning = false;
}

void TApplication::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  // Wakes a loop that is waiting for input.
  PostQuitMessage(0);
}

namespace {

// What the report says: the library's own word for a failed allocation
// says nothing to a person.
const char* ReportText(const std::exception& error) {
  return dynamic_cast<const std::bad_alloc*>(&error) ? "Out of memory" : error.what();
}

}  // namespace

void TApplication::HandleException(TObject* sender) {
  try {
    throw;
  } catch (const std::exception& error) {
    HandleException(sender, error);
  } catch (...) {
    HandleException(sender, Exception("Unknown exception"));
  }
}

void TApplication::HandleException(TObject* sender, const std::exception& error) {
  try {
    if (OnException) {
      OnException(sender, error);
    } else {
      ShowException(error);
    }
  } catch (...) {
    // The report itself failed (a screen where no one can close a window
    // makes its modal loop give up); the program carries on, and the
    // message still reaches whoever reads the error output.
    std::fprintf(stderr, "%s: %s\n", FTitle.c_str(), ReportText(error));
  }
}

void TApplication::ShowException(const std::exception& error) {
  const char* text = ReportText(error);
  if (FExceptionReporter) {
    try {
      if (FExceptionReporter(FTitle, text)) return;
    } catch (...) {
      // The other look failed; the user still gets the message below.
    }
  }
  ShowPlainMessage(FTitle, text);
}

void TApplication::SetHint(const std::string& value) {
  if (FHint == value) return;
  FHint = value;
  OnHint(this);
}

namespace {

// The windows a minimized application hides: visible, unowned, not tools.
bool IsApplicationWindow(HWND hwnd) {
  return IsWindowVisible(hwnd) && !GetWindow(hwnd, GW_OWNER) && !(GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND hwnd, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return true;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace

void TApplication::Minimize() {
  if (FMinimized) return;
  // Set first, so the forms' own notices below find it done.
  FMinimized = true;
  for (HWND hwnd : TopLevelWindows()) {
    if (IsApplicationWindow(hwnd) && !IsIconic(hwnd)) ShowWindow(hwnd, SW_MINIMIZE);
  }
  OnMinimize(this);
}

void TApplication::Restore() {
  if (!FMinimized) return;
  FMinimized = false;
  for (HWND hwnd : TopLevelWindows()) {
    if (IsApplicationWindow(hwnd) && IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
  }
  OnRestore(this);
}

void TApplication::FormMinimized(TCustomForm* form, bool minimized) {
  if (minimized) {
    if (form == FMainForm) Minimize();
  } else {
    Restore();
  }
}

bool TApplication::HelpContext(int32_t context) {
  constexpr uint16_t HELP_CONTEXT = 1;
  bool callHelp = true;
  bool shown = false;
  if (OnHelp) shown = OnHelp(HELP_CONTEXT, context, callHelp);
  // There is no system help viewer: only a handler can show help.
  return shown;
}

}  // namespace kora
