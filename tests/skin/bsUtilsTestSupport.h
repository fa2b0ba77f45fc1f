#pragma once
// Pictures whose pixels name their own position, so a test can tell for
// every target pixel which picture pixel landed there.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "framework/Graphics.h"

namespace kora::test {

// Red = tag, green = y, blue = x (all below 256).
constexpr uint32_t Code(int x, int y, int tag = 1) { return uint32_t(tag) << 16 | uint32_t(y) << 8 | uint32_t(x); }

inline uint32_t PixelAt(const TBitmap& bmp, int x, int y) {
    const uint8_t* p = bmp.ScanLine(y) + x * 4;
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

inline void SetPixelAt(TBitmap& bmp, int x, int y, uint32_t value) {
    uint8_t* p = bmp.ScanLine(y) + x * 4;
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
    p[2] = uint8_t(value >> 16);
}

inline void Fill(TBitmap& bmp, uint32_t value) {
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) SetPixelAt(bmp, x, y, value);
}

inline void MakeCodedPicture(TBitmap& bmp, int w, int h, int tag = 1) {
    bmp.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixelAt(bmp, x, y, Code(x, y, tag));
}

constexpr uint32_t kWhite = 0xFFFFFF;

// Every pixel of dest holds the picture pixel at the same offset from
// source's top-left corner.
inline ::testing::AssertionResult Copied(const TBitmap& target, const RECT& dest, POINT source, int tag = 1) {
    for (int y = dest.Top; y < dest.Bottom; ++y)
        for (int x = dest.Left; x < dest.Right; ++x) {
            const uint32_t want = Code(source.X + x - dest.Left, source.Y + y - dest.Top, tag);
            if (PixelAt(target, x, y) != want)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << PixelAt(target, x, y) << ", want "
                       << want;
        }
    return ::testing::AssertionSuccess();
}

// Every pixel of dest has this value.
inline ::testing::AssertionResult Uniform(const TBitmap& target, const RECT& dest, uint32_t value) {
    for (int y = dest.Top; y < dest.Bottom; ++y)
        for (int x = dest.Left; x < dest.Right; ++x)
            if (PixelAt(target, x, y) != value)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                     << PixelAt(target, x, y) << ", want " << value;
    return ::testing::AssertionSuccess();
}

// One character per pixel: '#' for black, '.' for anything else.
inline std::string Ascii(const TBitmap& bmp, const RECT& area) {
    std::string out;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) out += PixelAt(bmp, x, y) == 0 ? '#' : '.';
        out += '\n';
    }
    return out;
}

}  // namespace kora::test
