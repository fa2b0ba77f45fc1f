// A portrait or an item icon on the window's road: the bitmap file read
// within its image list's size and added to the list. The first byte picks
// the list (odd: 16 x 16 icons, even: 128 x 128 portraits), the rest is the
// file. Either a message naming the file, or exactly one image more.
#include <cstddef>
#include <cstdint>

#include "editor/NameLists.h"
#include "framework/core/Classes.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImgList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace kora;
  if (size == 0) return 0;
  const int side = (data[0] & 1) ? 16 : 128;
  TImageList list(nullptr);
  list.SetWidth(side);
  list.SetHeight(side);
  TMemoryStream file;
  file.WriteBuffer(data + 1, static_cast<int64_t>(size - 1));
  file.SetPosition(0);
  TBitmap picture;
  try {
    AddPicture(file, "Image/Face/001.bmp", picture, list);
  } catch (const Exception& e) {
    if (e.Message().find("\"Image/Face/001.bmp\"") == std::string::npos || list.Count() != 0) __builtin_trap();
    return 0;
  }
  if (list.Count() != 1 || picture.Width() > side || picture.Height() > side) __builtin_trap();
  return 0;
}
