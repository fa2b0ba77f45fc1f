#pragma once
// The clipboard, text only (UTF-8). With a backend it is the system's
// clipboard; without one it lives in memory.

#include <string>

#include "platform/window/WinTypes.h"

namespace kora {

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_UNICODETEXT = 13;

// The classic bracket for programs that expect it; the text calls below work
// without it too.
bool OpenClipboard(HWND owner);
bool CloseClipboard();
bool EmptyClipboard();
bool IsClipboardFormatAvailable(UINT format);

bool SetClipboardText(const std::string& utf8);
std::string GetClipboardText();

}  // namespace kora
