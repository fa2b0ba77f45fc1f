#pragma once
// The program's own messages come in two languages: the editor window shows
// them in Chinese like its other texts, kora-cli in English. The runtime's
// messages ("Cannot open file ...", "Stream read error") stay as they are.

namespace kora {

enum class TMessageLanguage { English, Chinese };

// English until the window switches it, once, when it is made.
void SetMessageLanguage(TMessageLanguage language);

// The text in the current language; both are formats taking the same
// arguments, which the compiler checks against both.
const char* Tr(const char* english, const char* chinese) __attribute__((format_arg(1))) __attribute__((format_arg(2)));

}  // namespace kora
