#pragma once
// The display names and ids of items, characters and classes, read from the
// 8-bit text lists in Data/ beside the executable.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kora {

inline constexpr std::size_t kItemIdLength = 2;
inline constexpr std::size_t kCharIdLength = 3;
// Names are cut to this many bytes of the file (never inside a double-byte
// character).
inline constexpr std::size_t kMaxNameBytes = 255;

// One line of an id list, converted to UTF-8. A line shorter than the id
// width gives a shorter id and an empty name.
struct NameEntry {
  std::string Id;
  std::string Name;
};
NameEntry SplitNameLine(std::string_view lineBytes, std::size_t idLength);

// Record index of a list entry; -1 from an item id means "no record".
int ItemRecordIndex(std::string_view itemId);  // HexToInt(id) - 1
int CharRecordIndex(std::string_view charId);  // HexToInt(id)

// Picture seam: called with the picture's full path at the point where the
// entry's picture is loaded; an exception it raises stops the loading there.
using PictureLoader = std::function<void(const std::string& picturePath)>;

class TBitmap;
class TCustomImageList;
class TStream;

// The window's picture road: the BMP file in `file` (read from `path`) into
// `picture`, refused when it is larger than the list's images, then added
// to the list with white as its transparent colour. Any failure raises an
// Exception that names the path and says what is wrong.
void AddPicture(TStream& file, const std::string& path, TBitmap& picture, TCustomImageList& list);

struct NameLists {
  // Ids are sized to the line count before the entries are read, as the
  // window's combo boxes are; names grow one entry at a time.
  std::vector<std::string> ItemIds;
  std::vector<std::string> ItemNames;
  std::vector<std::string> CharIds;
  std::vector<std::string> CharNames;
  std::vector<std::string> ClassNames;

  // Record index of list position p, or -1 for a position outside the list
  // (no selection).
  int ItemRecordAt(int position) const;
  int CharRecordAt(int position) const;
  int ClassRecordAt(int position) const;
};

// Loads Data/Item.dat (per line: id, icon, name), Data/Char.dat (id, name,
// portrait) and Data/Class.dat, in that order, into `lists`, which is
// cleared first. A missing file raises "Cannot open file ..." and leaves what
// was loaded up to that point. Pictures are Image/Item/<id>.bmp and
// Image/Face/<id>.bmp; a null loader skips them.
void LoadNameLists(const std::string& appPath, NameLists& lists, const PictureLoader& loadItemIcon = {},
                   const PictureLoader& loadPortrait = {});

}  // namespace kora
