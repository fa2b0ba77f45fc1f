// TbsFBitmap: a 24-bit top-down copy of a bitmap for fast pixel scans.

#include "framework/SysUtils.h"
#include "skin/data/bsUtils.h"

namespace kora {

TbsFBitmap::TbsFBitmap(HBITMAP bitmap) {
    BITMAP info;
    if (!GetObject(bitmap, &info)) throw Exception("Bitmap image is not valid");
    FWidth = info.bmWidth;
    FHeight = info.bmHeight;
    FPadding = uint32_t(FWidth % 4);  // brings 3 x width up to a multiple of 4
    FRowBytes = FWidth * 3 + int(FPadding);
    FBits.assign(std::size_t(FRowBytes) * std::size_t(FHeight), 0);
    FRows.resize(std::size_t(FHeight));
    for (int y = 0; y < FHeight; ++y) FRows[std::size_t(y)] = FBits.data() + std::size_t(y) * std::size_t(FRowBytes);

    FInfo.bmiHeader.biWidth = FWidth;
    FInfo.bmiHeader.biHeight = -FHeight;
    FInfo.bmiHeader.biBitCount = 24;
    BITMAPINFO request = FInfo;
    if (FHeight > 0 && GetDIBits(HDC(), bitmap, 0, uint32_t(FHeight), FBits.data(), &request, DIB_RGB_COLORS) != FHeight)
        throw Exception("Bitmap image is not valid");
}

}  // namespace kora
