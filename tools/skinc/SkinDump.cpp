#include "skinc/SkinDump.h"

namespace kora::skinc {

namespace {

int BitsOf(const TBitmap& bitmap) {
  switch (bitmap.PixelFormat()) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit: return 15;
    case pf16bit: return 16;
    case pf32bit: return 32;
    default: return 24;
  }
}

// "name WxHxB"; an absent picture keeps only its name, marked when it has one.
std::string PictureText(const std::string& name, const TBitmap& bitmap) {
  if (bitmap.Empty()) return name.empty() ? name : name + " (absent)";
  return name + " " + IntToStr(bitmap.Width()) + "x" + IntToStr(bitmap.Height()) + "x" + IntToStr(BitsOf(bitmap));
}

// Each part is written to an ini of its own: records of different lists
// may share a name, and one would erase the other's section.
template <typename Write>
void Append(std::string& out, Write write) {
  TMemIniFile ini("");
  write(ini);
  TStringList lines;
  ini.GetStrings(lines);
  for (int i = 0; i < lines.Count(); ++i) out += lines[i] + "\n";
}

}  // namespace

std::string DumpSkinData(const TbsSkinData& data) {
  std::string out;
  Append(out, [&](TMemIniFile& ini) { data.VersionInfo().WriteToIni(ini); });
  Append(out, [&](TMemIniFile& ini) {
    ini.WriteString("PICTURES", "picture", PictureText(data.PictureName(), *data.Picture()));
    ini.WriteString("PICTURES", "inactivepicture", PictureText(data.InactivePictureName(), *data.InactivePicture()));
    ini.WriteString("PICTURES", "mask", PictureText(data.MaskPictureName(), *data.MaskPicture()));
    for (int i = 0; i < data.ActivePictureCount(); ++i) {
      const std::string name = i < data.ActivePictureNames().Count() ? data.ActivePictureNames()[i] : "";
      ini.WriteString("ACTIVEPICTURES", IntToStr(i), PictureText(name, *data.ActivePictures(i)));
    }
  });
  Append(out, [&](TMemIniFile& ini) { data.FormInfo().WriteToIni(ini); });
  Append(out, [&](TMemIniFile& ini) { data.SkinColors().WriteToIni(ini); });
  for (int i = 0; i < data.ObjectRecordCount(); ++i)
    Append(out, [&](TMemIniFile& ini) { data.ObjectRecord(i)->WriteToIni(ini); });
  for (int i = 0; i < data.ControlRecordCount(); ++i)
    Append(out, [&](TMemIniFile& ini) { data.ControlRecord(i)->WriteToIni(ini); });
  Append(out, [&](TMemIniFile& ini) { data.PopupWindow().WriteToIni(ini); });
  Append(out, [&](TMemIniFile& ini) { data.HintWindow().WriteToIni(ini); });
  return out;
}

}  // namespace kora::skinc
