// Any skin.ini text, in an archive without pictures: reading it must end in
// a model or an exception, and every record it makes must write itself back
// so that a record of the same kind reads the same values from that text.
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "skin/data/bsSkinData.h"

namespace {

using namespace kora;

template <typename Record>
std::string Written(const Record& record) {
  TMemIniFile ini("");
  record.WriteToIni(ini);
  TStringList lines;
  ini.GetStrings(lines);
  return lines.Text();
}

TMemIniFile IniOf(const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  TMemIniFile ini("");
  ini.SetStrings(lines);
  return ini;
}

// Section names the ini syntax cannot carry back unchanged are left out.
bool PlainName(const std::string& name) {
  return !name.empty() && Trim(name) == name && name.find_first_of("[]\r\n") == std::string::npos;
}

// The registry entries that made records, in list order, each with a fresh
// record of its kind that reads the written text back.
template <typename Create, typename Get>
void CheckRoundTrips(const TCustomIniFile& description, const char* section, int count, Create create, Get get) {
  int index = 0;
  for (const TbsSkinRegistryEntry& entry : ReadSkinRegistry(description, section)) {
    auto again = create(entry.Kind, entry.Name);
    if (!again) continue;
    if (index >= count) __builtin_trap();
    const auto* record = get(index++);
    if (record->IDName != entry.Name) __builtin_trap();
    if (!PlainName(entry.Name)) continue;
    const std::string text = Written(*record);
    again->ReadFromIni(IniOf(text));
    if (Written(*again) != text) __builtin_trap();
  }
  if (index != count) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::CheckStoredZlibWriter();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // Version 3, three absent pictures, no active pictures, then the text.
  static const uint8_t head[] = {3, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0};
  TbsCompressedStoredSkin stored(nullptr);
  fuzz::TStoredZlibWriter compressed(stored.CompressedStream());
  compressed.Write(head, sizeof head);
  compressed.Write(data, size);
  compressed.Finish();

  TbsSkinData skin(nullptr);
  try {
    skin.LoadFromStoredSkin(&stored);
  } catch (const std::exception&) {
    if (!skin.Empty()) __builtin_trap();
    return 0;
  }
  if (skin.Empty() || skin.SkinChanging()) __builtin_trap();
  const TMemIniFile description = IniOf(std::string(reinterpret_cast<const char*>(data), size));
  CheckRoundTrips(description, "SKINOBJECTS", skin.ObjectRecordCount(), CreateSkinObjectRecord,
                  [&](int i) { return skin.ObjectRecord(i); });
  CheckRoundTrips(description, "SKINCONTROLS", skin.ControlRecordCount(), CreateSkinControlRecord,
                  [&](int i) { return skin.ControlRecord(i); });
  return 0;
}
