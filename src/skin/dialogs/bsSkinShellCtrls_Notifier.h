#pragma once
// TbsShellChangeNotifier: watches a folder (and, if asked, everything below
// it) on a thread of its own while a change handler is assigned, and runs
// the handler on the GUI thread after each change. The watching thread is
// the platform's folder watcher; its reports reach us through a hidden
// window's message queue, so the handler always runs where the windows are.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/Components.h"
#include "framework/core/Events.h"
#include "platform/window/WinTypes.h"

namespace kora {

class FolderWatcher;

// What counts as a change.
enum TbsNotifyFilter : uint8_t {
  nfFileNameChange,
  nfDirNameChange,
  nfAttributeChange,
  nfSizeChange,
  nfLastWriteChange,
  nfSecurityChange
};
using TbsNotifyFilters = TSet<TbsNotifyFilter>;
const TTypeInfo* TypeInfoOf(TbsNotifyFilter);
const TTypeInfo* TypeInfoOf(TbsNotifyFilters);

class TbsShellChangeNotifier : public TComponent {
  KORA_CLASS(TbsShellChangeNotifier, TComponent)

  explicit TbsShellChangeNotifier(TComponent* owner);
  ~TbsShellChangeNotifier() override;

  // The watched folder: "/", the root of the one file system, at first.
  std::string Root() const;
  void SetRoot(const std::string& value);
  bool WatchSubTree() const;
  void SetWatchSubTree(bool value);
  TbsNotifyFilters NotifyFilters() const;
  void SetNotifyFilters(TbsNotifyFilters value);
  // Assigning a handler starts the watch; clearing it stops the thread.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent value);

  // A thread watches now. False without a handler, while loading, and when
  // the root could not be watched (or has gone since).
  bool Active() const { return FWatcher != nullptr; }
  // The last change reported was the watched folder itself going away.
  bool RootGone() const { return FRootGone; }

  void Loaded() override;

private:
  static LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Closes the old watch and, with a handler, sets up one for the
  // settings as they are now.
  void Renew();
  void Stop();
  void Changed(uint32_t changes);

  // Guarded by the lock every notifier shares.
  std::string FRoot = "/";
  bool FWatchSubTree = true;
  TbsNotifyFilters FNotifyFilters{nfFileNameChange, nfDirNameChange};

  TNotifyEvent FOnChange;
  HWND FWindow;
  std::unique_ptr<FolderWatcher> FWatcher;
  bool FRootGone = false;
};

}  // namespace kora
