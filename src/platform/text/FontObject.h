#pragma once

#include "platform/gdi/GdiInternal.h"
#include "platform/text/FontInstance.h"

#include <memory>

namespace kora {

// The table entry behind an HFONT.
class FontObject : public GdiObject {
public:
  static constexpr GdiKind kObjectKind = GdiKind::Font;

  explicit FontObject(const LOGFONT& logFont) : GdiObject(GdiKind::Font), FLogFont(logFont) {}

  const LOGFONT& LogFont() const { return FLogFont; }
  // Realised on first use and shared with equal descriptions.
  FontInstance& Instance();

private:
  LOGFONT FLogFont;
  std::shared_ptr<FontInstance> FInstance;
};

// Puts the stock fonts into the object table once; every text entry point
// calls it, so GetStockObject works after the first of them.
void RegisterStockFonts();

// The font selected into the DC, the stock system font when none; null for a bad DC.
FontInstance* SelectedFont(HDC dc);

}  // namespace kora
