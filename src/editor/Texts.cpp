#include "editor/Texts.h"

#include <atomic>

namespace kora {

namespace {

std::atomic<TMessageLanguage> gLanguage{TMessageLanguage::English};

}  // namespace

void SetMessageLanguage(TMessageLanguage language) { gLanguage = language; }

const char* Tr(const char* english, const char* chinese) {
  return gLanguage == TMessageLanguage::Chinese ? chinese : english;
}

}  // namespace kora
