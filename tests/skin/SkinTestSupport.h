#pragma once
// Skins made up on the spot for the skin data tests, the skinc tests and
// the load benchmark: BMP files, skin.ini texts, skin folders and archives
// written byte by byte. No test framework in here.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/BmpFile.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bszlibcompress.h"

namespace kora::test {

// A w x h BMP file of the given depth with a diagonal colour pattern.
inline std::string BmpBytes(int width, int height, int bits) {
  std::vector<uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels[static_cast<std::size_t>(y * width + x)] =
          ((x + y) & 1) ? 0x00FFFFFF : static_cast<uint32_t>(x * 7 + y * 3) & 0xFF;
  std::vector<RGBQUAD> palette;
  if (bits <= 8) {
    for (int i = 0; i < (1 << bits); ++i) {
      const auto v = static_cast<uint8_t>(i * 255 / ((1 << bits) - 1));
      palette.push_back(RGBQUAD{v, v, v, 0});
    }
  }
  const std::vector<uint8_t> bytes = EncodeBmp(pixels.data(), width, height, width, bits, palette);
  return std::string(bytes.begin(), bytes.end());
}

// An ini description held in memory, as the loader builds it.
inline TMemIniFile IniOf(const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  TMemIniFile ini("");
  ini.SetStrings(lines);
  return ini;
}

inline void WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A skin folder with skin.ini and the given BMP files; returns skin.ini's path.
inline std::string MakeSkinFolder(const std::string& folder, const std::string& skinIni,
                                  const std::vector<std::pair<std::string, std::string>>& pictures) {
  std::filesystem::create_directories(folder);
  for (const auto& [name, bytes] : pictures) WriteTextFile(folder + "/" + name, bytes);
  WriteTextFile(folder + "/skin.ini", skinIni);
  return folder + "/skin.ini";
}

// A small but complete skin: main picture, mask, three active pictures,
// frame objects and a few controls.
inline std::string SampleSkinIni() {
  return "[VERSION]\n"
         "ver=3\n"
         "skinname=Sample\n"
         "skinauthor=Kora\n"
         "authoremail=skins@example.org\n"
         "authorurl=http://example.org\n"
         "skincomments=made for tests\n"
         "[PICTURES]\n"
         "picture=main.bmp\n"
         "inactivepicture=\n"
         "mask=mask.bmp\n"
         "activepicturescount=3\n"
         "0=popup.bmp\n"
         "1=hint.bmp\n"
         "2=buttons.bmp\n"
         "[FORMINFO]\n"
         "lefttoppoint=9,29\n"
         "righttoppoint=274,30\n"
         "leftbottompoint=2,200\n"
         "rightbottompoint=290,210\n"
         "clientrect=4,27,281,206\n"
         "hittestlefttoppoint=0,5\n"
         "hittestrighttoppoint=270,6\n"
         "buttonsrect=200,4,280,22\n"
         "captionrect=30,4,200,22\n"
         "buttonsoffset=2\n"
         "borderwidth=4\n"
         "formminwidth=120\n"
         "inactiveeffect=iedarkness\n"
         "[POPUPWINDOW]\n"
         "windowpictureindex=0\n"
         "lefttoppoint=3,3\n"
         "itemsrect=3,3,37,27\n"
         "scrollmarkercolor=255\n"
         "[HINTWINDOW]\n"
         "windowpictureindex=1\n"
         "clientrect=2,2,18,10\n"
         "fontstyle=fsbold\n"
         "[SKINCOLORS]\n"
         "cbtnface=16641763\n"
         "cwindowtext=0\n"
         "[SKINOBJECTS]\n"
         "count=4\n"
         "0=closebutton:stdbutton\n"
         "1=caption:caption\n"
         "2=menuitem:menuitem\n"
         "3=mainmenubaritem:mainmenubaritem\n"
         "[closebutton]\n"
         "skinrect=260,5,276,21\n"
         "activeskinrect=0,0,16,16\n"
         "command=cmclose\n"
         "hint=Close\n"
         "[caption]\n"
         "textrect=32,5,190,21\n"
         "fontname=宋体\n"
         "fontheight=12\n"
         "fontstyle=fsbold\n"
         "alignment=taleftjustify\n"
         "[menuitem]\n"
         "skinrect=0,0,20,18\n"
         "[mainmenubaritem]\n"
         "downrect=0,0,30,18\n"
         "[SKINCONTROLS]\n"
         "count=5\n"
         "0=button:button\n"
         "1=groupbox:panel\n"
         "2=stdlabel:stdlabel\n"
         "3=spinedit:spinedit\n"
         "4=tab:tab\n"
         "[button]\n"
         "pictureindex=2\n"
         "skinrect=0,0,40,20\n"
         "lefttoppoint=3,3\n"
         "clientrect=3,3,37,17\n"
         "morphing=1\n"
         "morphkind=mkgradient\n"
         "[groupbox]\n"
         "captionrect=0,0,40,18\n"
         "alignment=tacenter\n"
         "[stdlabel]\n"
         "fontcolor=8421504\n"
         "[spinedit]\n"
         "upbuttonrect=30,0,40,10\n"
         "[tab]\n"
         "tabrect=0,0,40,20\n"
         "clientrect=2,2,38,18\n";
}

// The BMP files SampleSkinIni names.
inline std::vector<std::pair<std::string, std::string>> SamplePictures() {
  return {{"main.bmp", BmpBytes(300, 215, 24)},
          {"mask.bmp", BmpBytes(300, 215, 8)},
          {"popup.bmp", BmpBytes(40, 30, 24)},
          {"hint.bmp", BmpBytes(20, 12, 4)},
          {"buttons.bmp", BmpBytes(40, 60, 1)}};
}

// An archive written field by field, for layouts the builder never makes.
class ArchiveWriter {
public:
  ArchiveWriter& Int32(int32_t value) {
    for (int i = 0; i < 4; ++i) FBytes += static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
    return *this;
  }
  ArchiveWriter& Byte(uint8_t value) {
    FBytes += static_cast<char>(value);
    return *this;
  }
  ArchiveWriter& Raw(const std::string& bytes) {
    FBytes += bytes;
    return *this;
  }
  // An absent flag and, when present, the picture.
  ArchiveWriter& Flagged(const std::string& bmp) {
    Byte(bmp.empty() ? 1 : 0);
    return Raw(bmp);
  }
  const std::string& Bytes() const { return FBytes; }

private:
  std::string FBytes;
};

inline std::string Deflate(const std::string& bytes) {
  TMemoryStream source;
  source.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  TMemoryStream packed;
  DeflateMemoryStream(source, packed);
  return std::string(packed.Bytes().begin(), packed.Bytes().end());
}

// Puts raw compressed bytes into a stored skin, as its form property would.
inline void StoreCompressed(TbsCompressedStoredSkin& stored, const std::string& compressed) {
  TMemoryStream& data = stored.CompressedStream();
  data.Clear();
  data.WriteBuffer(compressed.data(), static_cast<int64_t>(compressed.size()));
}

inline void StoreArchive(TbsCompressedStoredSkin& stored, const std::string& archive) {
  StoreCompressed(stored, Deflate(archive));
}

}  // namespace kora::test
