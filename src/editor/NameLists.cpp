#include "editor/NameLists.h"

#include <new>

#include "editor/DataImage.h"
#include "editor/RomBlock.h"
#include "editor/Texts.h"
#include "framework/core/Classes.h"
#include "framework/core/Encoding.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImgList.h"

namespace kora {

NameEntry SplitNameLine(std::string_view lineBytes, std::size_t idLength) {
  const std::string_view id = lineBytes.substr(0, idLength);
  const std::string_view rest = lineBytes.size() > idLength ? lineBytes.substr(idLength) : std::string_view();
  return NameEntry{AnsiToUtf8(id), AnsiToUtf8(AnsiLeft(rest, kMaxNameBytes))};
}

void AddPicture(TStream& file, const std::string& path, TBitmap& picture, TCustomImageList& list) {
  try {
    picture.LoadFromStream(file, list.Width(), list.Height());
    if (picture.Empty()) throw Exception(Tr("the file is empty", "文件是空的"));
    list.AddMasked(&picture, clWhite);
  } catch (const std::bad_alloc&) {
    throw Exception(
        Format(Tr("Out of memory while loading the picture \"%s\"", "内存不足, 无法载入图片 \"%s\""), path.c_str()));
  } catch (const std::exception& e) {
    throw Exception(
        Format(Tr("The picture \"%s\" cannot be used: %s", "图片 \"%s\" 无法使用: %s"), path.c_str(), e.what()));
  }
}

int ItemRecordIndex(std::string_view itemId) { return HexToInt(itemId) - 1; }

int CharRecordIndex(std::string_view charId) { return HexToInt(charId); }

int NameLists::ItemRecordAt(int position) const {
  if (position < 0 || position >= static_cast<int>(ItemIds.size())) return -1;
  return ItemRecordIndex(ItemIds[static_cast<std::size_t>(position)]);
}

int NameLists::CharRecordAt(int position) const {
  if (position < 0 || position >= static_cast<int>(CharIds.size())) return -1;
  return CharRecordIndex(CharIds[static_cast<std::size_t>(position)]);
}

int NameLists::ClassRecordAt(int position) const {
  if (position < 0 || position >= static_cast<int>(ClassNames.size())) return -1;
  return position;
}

void LoadNameLists(const std::string& appPath, NameLists& lists, const PictureLoader& loadItemIcon,
                   const PictureLoader& loadPortrait) {
  const std::string folder = IncludeTrailingPathDelimiter(appPath);
  lists = NameLists();
  TStringList lines;
  const auto load = [&](const std::string& path) {
    RefuseSpecialFile(path);
    lines.LoadFromFile(path);
  };

  // Items take the icon before the name, so a missing icon drops the name too.
  load(folder + SetDirSeparators("Data/Item.dat"));
  lists.ItemIds.resize(static_cast<std::size_t>(lines.Count()));
  for (int p = 0; p < lines.Count(); ++p) {
    NameEntry entry = SplitNameLine(lines[p], kItemIdLength);
    lists.ItemIds[static_cast<std::size_t>(p)] = entry.Id;
    if (loadItemIcon) loadItemIcon(folder + SetDirSeparators("Image/Item/") + entry.Id + ".bmp");
    lists.ItemNames.push_back(std::move(entry.Name));
  }

  // Characters take the name first; a missing portrait leaves it listed.
  load(folder + SetDirSeparators("Data/Char.dat"));
  lists.CharIds.resize(static_cast<std::size_t>(lines.Count()));
  for (int p = 0; p < lines.Count(); ++p) {
    NameEntry entry = SplitNameLine(lines[p], kCharIdLength);
    lists.CharIds[static_cast<std::size_t>(p)] = entry.Id;
    lists.CharNames.push_back(std::move(entry.Name));
    if (loadPortrait) loadPortrait(folder + SetDirSeparators("Image/Face/") + entry.Id + ".bmp");
  }

  load(folder + SetDirSeparators("Data/Class.dat"));
  for (int p = 0; p < lines.Count(); ++p) lists.ClassNames.push_back(AnsiToUtf8(lines[p]));
}

}  // namespace kora
