#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace kora {

// Handles are ids into the object table, never pointers: every entry point
// looks the id up and checks its kind, so a stale or foreign handle fails
// cleanly. The value 0 is the null handle.
class HandleValue {
public:
  constexpr HandleValue() noexcept = default;
  constexpr HandleValue(std::nullptr_t) noexcept {}
  constexpr explicit HandleValue(uint64_t value) noexcept : FValue(value) {}
  constexpr uint64_t Value() const noexcept { return FValue; }
  constexpr explicit operator bool() const noexcept { return FValue != 0; }

private:
  uint64_t FValue = 0;
};

// Any drawing object: bitmap, region, pen, brush, font.
class HGDIOBJ : public HandleValue {
public:
  using HandleValue::HandleValue;
  friend constexpr bool operator==(HGDIOBJ a, HGDIOBJ b) noexcept { return a.Value() == b.Value(); }
};

// A typed drawing-object handle. It converts to HGDIOBJ implicitly; the way
// back is explicit (HBITMAP(SelectObject(dc, bmp))), as with the classic casts.
template <int Tag>
class TypedGdiHandle : public HGDIOBJ {
public:
  using HGDIOBJ::HGDIOBJ;
  constexpr explicit TypedGdiHandle(HandleValue h) noexcept : HGDIOBJ(h.Value()) {}
  friend constexpr bool operator==(TypedGdiHandle a, TypedGdiHandle b) noexcept { return a.Value() == b.Value(); }
};

using HBITMAP = TypedGdiHandle<1>;
using HRGN = TypedGdiHandle<2>;
using HPEN = TypedGdiHandle<3>;
using HBRUSH = TypedGdiHandle<4>;
using HFONT = TypedGdiHandle<5>;

// Device contexts and icons are not drawing objects (DeleteDC, DestroyIcon).
template <int Tag>
class OtherHandle : public HandleValue {
public:
  using HandleValue::HandleValue;
  constexpr explicit OtherHandle(HandleValue h) noexcept : HandleValue(h.Value()) {}
  friend constexpr bool operator==(OtherHandle a, OtherHandle b) noexcept { return a.Value() == b.Value(); }
};

using HDC = OtherHandle<10>;
using HICON = OtherHandle<11>;
using HCURSOR = HICON;

}  // namespace kora
