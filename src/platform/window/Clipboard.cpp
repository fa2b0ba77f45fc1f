// Clipboard text: the backend's clipboard, or memory without a backend.

#include "platform/window/Clipboard.h"
#include "platform/window/Backend.h"
#include "platform/window/WindowInternal.h"

namespace kora {

bool OpenClipboard(HWND /*owner*/) {
  auto& s = Sys();
  if (s.ClipboardOpen) return false;
  s.ClipboardOpen = true;
  return true;
}

bool CloseClipboard() {
  auto& s = Sys();
  if (!s.ClipboardOpen) return false;
  s.ClipboardOpen = false;
  return true;
}

bool EmptyClipboard() { return SetClipboardText(std::string()); }

bool IsClipboardFormatAvailable(UINT format) {
  return (format == CF_TEXT || format == CF_UNICODETEXT) && !GetClipboardText().empty();
}

bool SetClipboardText(const std::string& utf8) {
  if (Backend* b = Sys().CurrentBackend)
    b->SetClipboardText(utf8);
  else
    Sys().Clipboard = utf8;
  return true;
}

std::string GetClipboardText() {
  Backend* b = Sys().CurrentBackend;
  return b ? b->GetClipboardText() : Sys().Clipboard;
}

}  // namespace kora
