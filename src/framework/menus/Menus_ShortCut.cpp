// Short-cut words and their text, and "&" accelerators in captions.

#include <array>
#include <cctype>

#include "framework/menus/Menus.h"
#include "platform/window/VirtualKeys.h"

namespace kora {

namespace {

struct TKeyName {
  uint16_t Key;
  const char* Name;
};

constexpr std::array<TKeyName, 15> kKeyNames{{
    {VK_BACK, "BkSp"},
    {VK_TAB, "Tab"},
    {VK_ESCAPE, "Esc"},
    {VK_RETURN, "Enter"},
    {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},
    {VK_NEXT, "PgDn"},
    {VK_END, "End"},
    {VK_HOME, "Home"},
    {VK_LEFT, "Left"},
    {VK_UP, "Up"},
    {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},
    {VK_INSERT, "Ins"},
    {VK_DELETE, "Del"},
}};

struct TModifier {
  TShortCut Bit;
  std::string_view Prefix;
};
// The order in which the text names them.
constexpr std::array<TModifier, 3> kModifiers{{{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}}};

std::string KeyName(uint16_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
  if (key >= VK_F1 && key <= VK_F12) return "F" + std::to_string(key - VK_F1 + 1);
  for (const TKeyName& k : kKeyNames) {
    if (k.Key == key) return k.Name;
  }
  return {};
}

}  // namespace

TShortCut ShortCut(uint16_t key, TShiftState shift) {
  // A key beyond the low byte cannot be told apart from the modifier bits.
  if (key & 0xFF00) return scNone;
  TShortCut result = key;
  if (shift.Contains(ssShift)) result |= scShift;
  if (shift.Contains(ssCtrl)) result |= scCtrl;
  if (shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = {};
  if (shortCut & scShift) shift.Include(ssShift);
  if (shortCut & scCtrl) shift.Include(ssCtrl);
  if (shortCut & scAlt) shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut shortCut) {
  const std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return {};
  std::string text;
  for (const TModifier& m : kModifiers) {
    if (shortCut & m.Bit) text += m.Prefix;
  }
  return text + name;
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (const TModifier& m : kModifiers) {
      if (text.size() > m.Prefix.size() && SameText(text.substr(0, m.Prefix.size()), m.Prefix)) {
        modifiers |= m.Bit;
        text.remove_prefix(m.Prefix.size());
        found = true;
      }
    }
  }
  if (text.empty()) return scNone;
  for (uint16_t key = 1; key <= 0xFF; ++key) {
    const std::string name = KeyName(key);
    if (!name.empty() && SameText(name, text)) return key | modifiers;
  }
  return scNone;
}

std::string StripHotkey(std::string_view caption) {
  std::string result;
  result.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') result += '&';
      ++i;
      if (i < caption.size() && caption[i] != '&') result += caption[i];
      continue;
    }
    result += caption[i];
  }
  return result;
}

char32_t GetHotkey(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // a literal "&"
      continue;
    }
    const char c = caption[i + 1];
    // Accelerators are letters and digits; anything else marks nothing.
    if (std::isalnum(static_cast<unsigned char>(c))) return char32_t(std::toupper(static_cast<unsigned char>(c)));
    return 0;
  }
  return 0;
}

bool IsAccel(char32_t key, std::string_view caption) {
  const char32_t hotkey = GetHotkey(caption);
  if (!hotkey) return false;
  if (key < 0x80) key = char32_t(std::toupper(static_cast<int>(key)));
  return key == hotkey;
}

}  // namespace kora
