// TbsShellChangeNotifier: its settings under the shared lock, the watch it
// renews whenever they change, and the hidden window its reports come to.

#include "skin/dialogs/bsSkinShellCtrls_Notifier.h"

#include <mutex>
#include <system_error>

#include "framework/core/ClassBuilder.h"
#include "platform/shell/FolderWatcher.h"
#include "platform/window/Window.h"

namespace kora {

namespace {

constexpr const char* kWindowClass = "TbsShellChangeNotifierWindow";
constexpr const char* kOwnerProp = "TbsShellChangeNotifier";
constexpr UINT kChangeMessage = WM_USER + 1;

// One lock for the folder and settings of every notifier, made with the unit.
std::mutex gSettingsLock;

uint32_t WatcherFilter(TbsNotifyFilters filters) {
  uint32_t filter = 0;
  if (filters.Contains(nfFileNameChange) || filters.Contains(nfDirNameChange)) filter |= FOLDER_CHANGE_NAME;
  if (filters.Contains(nfSizeChange) || filters.Contains(nfLastWriteChange)) filter |= FOLDER_CHANGE_CONTENT;
  if (filters.Contains(nfAttributeChange) || filters.Contains(nfSecurityChange)) filter |= FOLDER_CHANGE_ATTRIBUTES;
  return filter;
}

}  // namespace

const TTypeInfo* TypeInfoOf(TbsNotifyFilter) {
  static const TTypeInfo info =
      EnumTypeInfo("TbsNotifyFilter", {"nfFileNameChange", "nfDirNameChange", "nfAttributeChange", "nfSizeChange",
                                       "nfLastWriteChange", "nfSecurityChange"});
  return &info;
}

const TTypeInfo* TypeInfoOf(TbsNotifyFilters) {
  static const TTypeInfo info = SetTypeInfo("TbsNotifyFilters", TypeInfoOf(TbsNotifyFilter{}));
  return &info;
}

TClass TbsShellChangeNotifier::StaticClass() {
  using C = TbsShellChangeNotifier;
  static const TClassInfo info(TClassBuilder<C>("TbsShellChangeNotifier")
                                   .Property("Root", &C::Root, &C::SetRoot)
                                   .Property("WatchSubTree", &C::WatchSubTree, &C::SetWatchSubTree)
                                   .Default(true)
                                   .Property("NotifyFilters", &C::NotifyFilters, &C::SetNotifyFilters)
                                   .Property("OnChange", &C::OnChange, &C::SetOnChange));
  return &info;
}

TbsShellChangeNotifier::TbsShellChangeNotifier(TComponent* owner) : TComponent(owner) {}

TbsShellChangeNotifier::~TbsShellChangeNotifier() {
  Stop();
  if (FWindow) DestroyWindow(FWindow);
}

std::string TbsShellChangeNotifier::Root() const {
  std::lock_guard lock(gSettingsLock);
  return FRoot;
}

bool TbsShellChangeNotifier::WatchSubTree() const {
  std::lock_guard lock(gSettingsLock);
  return FWatchSubTree;
}

TbsNotifyFilters TbsShellChangeNotifier::NotifyFilters() const {
  std::lock_guard lock(gSettingsLock);
  return FNotifyFilters;
}

void TbsShellChangeNotifier::SetRoot(const std::string& value) {
  {
    std::lock_guard lock(gSettingsLock);
    if (value == FRoot) return;
    FRoot = value;
  }
  Renew();
}

void TbsShellChangeNotifier::SetWatchSubTree(bool value) {
  {
    std::lock_guard lock(gSettingsLock);
    if (value == FWatchSubTree) return;
    FWatchSubTree = value;
  }
  Renew();
}

void TbsShellChangeNotifier::SetNotifyFilters(TbsNotifyFilters value) {
  {
    std::lock_guard lock(gSettingsLock);
    if (value == FNotifyFilters) return;
    FNotifyFilters = value;
  }
  Renew();
}

void TbsShellChangeNotifier::SetOnChange(TNotifyEvent value) {
  FOnChange = std::move(value);
  Renew();
}

void TbsShellChangeNotifier::Loaded() {
  TComponent::Loaded();
  Renew();
}

void TbsShellChangeNotifier::Stop() { FWatcher.reset(); }

void TbsShellChangeNotifier::Renew() {
  Stop();
  FRootGone = false;
  if (!FOnChange || ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning)) return;
  if (!FWindow) {
    WNDCLASS wc;
    if (!GetClassInfo(kWindowClass, &wc)) {
      wc = WNDCLASS{};
      wc.lpfnWndProc = &TbsShellChangeNotifier::WindowProc;
      wc.lpszClassName = kWindowClass;
      RegisterClass(&wc);
    }
    FWindow = CreateWindowEx(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, HWND(), 0, nullptr);
    SetProp(FWindow, kOwnerProp, uintptr_t(this));
  }
  std::string root;
  bool subtree;
  uint32_t filter;
  {
    std::lock_guard lock(gSettingsLock);
    root = FRoot;
    subtree = FWatchSubTree;
    filter = WatcherFilter(FNotifyFilters);
  }
  try {
    FWatcher = std::make_unique<FolderWatcher>(root, FWindow, kChangeMessage, 0, filter, subtree);
  } catch (const std::system_error&) {
    // Nothing to wait for: as a watch that could not be set up, the thread
    // ends at once and nothing is reported.
    FWatcher.reset();
  }
}

void TbsShellChangeNotifier::Changed(uint32_t changes) {
  if (!FWatcher) return;  // a report still queued from a watch closed since
  if (changes & FOLDER_CHANGE_GONE) {
    // The watch has ended with its folder; the handler hears of it once more.
    FRootGone = true;
    Stop();
  }
  FOnChange(this);
}

LRESULT TbsShellChangeNotifier::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kChangeMessage) {
    if (auto* self = reinterpret_cast<TbsShellChangeNotifier*>(GetProp(window, kOwnerProp)))
      self->Changed(uint32_t(lParam));
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace kora
