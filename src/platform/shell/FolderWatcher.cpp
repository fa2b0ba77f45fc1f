#include "platform/shell/FolderWatcher.h"

#include "platform/window/MessageQueue.h"

namespace kora {

FolderWatcher::FolderWatcher(const std::string& folder, HWND target, UINT message, WPARAM wParam, uint32_t filter,
                             bool subtree)
    : FolderWatcher(
          folder,
          [target, message, wParam](uint32_t changes) { PostMessage(target, message, wParam, LPARAM(changes)); },
          filter, subtree) {}

}  // namespace kora
