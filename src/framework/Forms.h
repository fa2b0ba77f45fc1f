#pragma once
// The application object: the message loop and its hook, the default
// error report, hint timing, minimize/restore and help requests.

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "framework/Components.h"
#include "framework/Events.h"
#include "platform/Geometry.h"
#include "platform/WinTypes.h"

namespace kora {

class TCustomForm;

// Modal results; mrNone keeps a modal form open.
using TModalResult = std::int32_t;
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
using THelpEvent = std::function<bool(std::uint16_t command, std::int32_t data, bool& callHelp)>;
// handler(done): set done to false to be called again before waiting
using TIdleEvent = TEvent<TObject*, bool&>;

class TApplication : public TComponent {
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
  void ModalLoop(const std::function<bool()>& done);
  int ModalLevel() const { return FModalLevel; }
  // Every retrieved message passes here first (the message hook).
  TMessageEvent OnMessage;
  TIdleEvent OnIdle;

  // ---- Errors ----
  // The default error report for an exception that escaped an event: the
  // OnException handler when set, else ShowException. Never throws.
  void HandleException(TObject* sender, const std::exception& error);
  void HandleException(TObject* sender);  // the exception being handled now
  // A modal message window captioned with Title, the message and "OK".
  void ShowException(const std::exception& error);
  TExceptionEvent OnException;

  // ---- Hints ----
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value) { FShowHint = value; }
  // Milliseconds the mouse rests before a hint shows, and the hint shows.
  int HintPause() const { return FHintPause; }
  void SetHintPause(int value) { FHintPause = value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int value) { FHintHidePause = value; }
  int HintShortPause() const { return FHintShortPause; }
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
  const std::string& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& value) { FHelpFile = value; }
  // Asks OnHelp to show the topic; false when nobody showed help.
  bool HelpContext(std::int32_t context);
  THelpEvent OnHelp;

private:
  friend class TCustomForm;
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
  bool FShowHint = true;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  int FHintShortPause = 50;
  std::string FHint;
  bool FMinimized = false;
  std::string FHelpFile;
};

extern TApplication* Application;

// Shows a modal plain message window captioned `caption` with the text and
// an OK button (the default and the cancel button) and returns after it
// closed. Used by the default error report.
void ShowPlainMessage(const std::string& caption, const std::string& text);

}  // namespace kora
