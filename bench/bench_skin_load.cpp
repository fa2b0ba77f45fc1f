// Loading a skin the size of the program's own (its pictures' sizes and
// depths, 13 objects, 64 controls, about 45 KB of description): inflating
// the archive, decoding its pictures and parsing the description, each on
// its own, then the whole load.
#include <benchmark/benchmark.h>

#include "../tests/skin/SkinTestSupport.h"

namespace {

using namespace kora;

// One record section with every key its kind reads, so parsing does the
// full amount of work.
std::string ControlSection(const std::string& name, const std::string& kind, int index) {
  TMemIniFile ini("");
  std::unique_ptr<TbsDataSkinControl> record = CreateSkinControlRecord(kind, name);
  record->PictureIndex = index % 8;
  record->SkinRect = RECT{index, index + 1, index + 40, index + 21};
  record->WriteToIni(ini);
  TStringList lines;
  ini.GetStrings(lines);
  return lines.Text() + "\n";
}

std::string ObjectSection(const std::string& name, const std::string& kind) {
  TMemIniFile ini("");
  CreateSkinObjectRecord(kind, name)->WriteToIni(ini);
  TStringList lines;
  ini.GetStrings(lines);
  return lines.Text() + "\n";
}

std::string ProgramLikeDescription() {
  std::string ini = test::SampleSkinIni();
  ini = ini.substr(0, ini.find("[SKINOBJECTS]"));
  const std::vector<std::pair<std::string, std::string>> objects = {{"closebutton", "stdbutton"},
                                                                    {"maxbutton", "stdbutton"},
                                                                    {"minbutton", "stdbutton"},
                                                                    {"rollupbutton", "stdbutton"},
                                                                    {"sysmenubutton", "stdbutton"},
                                                                    {"traybutton", "stdbutton"},
                                                                    {"caption", "caption"},
                                                                    {"menuitem", "menuitem"},
                                                                    {"mainmenubaritem", "mainmenubaritem"},
                                                                    {"menubarsysmenubutton", "mainmenubarbutton"},
                                                                    {"menubarclosebutton", "mainmenubarbutton"},
                                                                    {"menubarmaxbutton", "mainmenubarbutton"},
                                                                    {"menubarminbutton", "mainmenubarbutton"}};
  const std::vector<std::string> kinds = {"panel", "button",   "stdlabel",    "spinedit", "combobox", "listbox",
                                          "tab",   "updown",   "scrollbar",   "edit",     "memo",     "checkradio",
                                          "gauge", "trackbar", "mainmenubar", "grid"};
  std::string registry = "[SKINOBJECTS]\ncount=" + std::to_string(objects.size()) + "\n";
  std::string sections;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    registry += std::to_string(i) + "=" + objects[i].first + ":" + objects[i].second + "\n";
    sections += ObjectSection(objects[i].first, objects[i].second);
  }
  registry += "[SKINCONTROLS]\ncount=64\n";
  for (int i = 0; i < 64; ++i) {
    const std::string& kind = kinds[static_cast<std::size_t>(i) % kinds.size()];
    const std::string name = kind + std::to_string(i);
    registry += std::to_string(i) + "=" + name + ":" + kind + "\n";
    sections += ControlSection(name, kind, i);
  }
  return ini + registry + sections;
}

struct ProgramLikeSkin {
  std::string Archive;
  std::string Compressed;
  std::size_t TextOffset = 0;

  ProgramLikeSkin() {
    test::ArchiveWriter archive;
    archive.Int32(3).Flagged(test::BmpBytes(285, 210, 24)).Flagged("").Flagged(test::BmpBytes(285, 210, 8)).Int32(8);
    const int sizes[8][3] = {{75, 263, 24},  {28, 21, 24},   {93, 55, 24}, {132, 126, 24},
                             {556, 410, 24}, {219, 178, 24}, {93, 55, 4},  {28, 21, 1}};
    for (const auto& s : sizes) archive.Raw(test::BmpBytes(s[0], s[1], s[2]));
    TextOffset = archive.Bytes().size();
    std::string text = ProgramLikeDescription();
    // The stored description has CR LF line ends.
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) text.insert(at, "\r");
    archive.Raw(text);
    Archive = archive.Bytes();
    Compressed = test::Deflate(Archive);
  }
};

const ProgramLikeSkin& Skin() {
  static const ProgramLikeSkin skin;
  return skin;
}

void Inflate(benchmark::State& state) {
  TMemoryStream source;
  source.WriteBuffer(Skin().Compressed.data(), static_cast<int64_t>(Skin().Compressed.size()));
  for (auto _ : state) {
    TMemoryStream target;
    InflateMemoryStream(target, source);
    benchmark::DoNotOptimize(target.Memory());
  }
  state.counters["archive"] = static_cast<double>(Skin().Archive.size());
  state.counters["compressed"] = static_cast<double>(Skin().Compressed.size());
}
BENCHMARK(Inflate)->Unit(benchmark::kMillisecond);

void DecodePictures(benchmark::State& state) {
  TMemoryStream archive;
  archive.WriteBuffer(Skin().Archive.data(), static_cast<int64_t>(Skin().TextOffset));
  for (auto _ : state) {
    archive.SetPosition(4);
    std::vector<TBitmap> pictures(11);
    for (int i = 0; i < 3; ++i) {
      uint8_t absent = 0;
      archive.ReadBuffer(&absent, 1);
      if (!absent) pictures[static_cast<std::size_t>(i)].LoadFromStream(archive);
    }
    archive.Seek(4, TSeekOrigin::soCurrent);
    for (int i = 3; i < 11; ++i) pictures[static_cast<std::size_t>(i)].LoadFromStream(archive);
    benchmark::DoNotOptimize(pictures.data());
  }
}
BENCHMARK(DecodePictures)->Unit(benchmark::kMillisecond);

// What the load does with the description, through the same public pieces.
void ParseDescription(benchmark::State& state) {
  TMemoryStream text;
  text.WriteBuffer(Skin().Archive.data() + Skin().TextOffset,
                   static_cast<int64_t>(Skin().Archive.size() - Skin().TextOffset));
  for (auto _ : state) {
    text.SetPosition(0);
    TStringList lines;
    lines.LoadFromStream(text);
    TMemIniFile ini("");
    ini.SetStrings(lines);
    TbsSkinVersionInfo version;
    version.ReadFromIni(ini);
    TStringList activeNames;
    ReadSkinStrings(ini, "PICTURES", "activepictures", activeNames);
    TbsSkinFormInfo form;
    form.ReadFromIni(ini);
    form.Adjust(true);
    TbsDataSkinPopupWindow popup;
    popup.ReadFromIni(ini);
    TbsDataSkinHintWindow hint;
    hint.ReadFromIni(ini);
    TbsSkinColors colors;
    colors.ReadFromIni(ini);
    std::vector<std::unique_ptr<TbsDataSkinObject>> objects;
    for (const TbsSkinRegistryEntry& e : ReadSkinRegistry(ini, "SKINOBJECTS")) {
      objects.push_back(CreateSkinObjectRecord(e.Kind, e.Name));
      objects.back()->ReadFromIni(ini);
    }
    std::vector<std::unique_ptr<TbsDataSkinControl>> controls;
    for (const TbsSkinRegistryEntry& e : ReadSkinRegistry(ini, "SKINCONTROLS")) {
      controls.push_back(CreateSkinControlRecord(e.Kind, e.Name));
      controls.back()->ReadFromIni(ini);
    }
    benchmark::DoNotOptimize(controls.data());
  }
  state.counters["text"] = static_cast<double>(text.Size());
}
BENCHMARK(ParseDescription)->Unit(benchmark::kMillisecond);

void WholeLoad(benchmark::State& state) {
  TbsCompressedStoredSkin stored(nullptr);
  test::StoreCompressed(stored, Skin().Compressed);
  for (auto _ : state) {
    TbsSkinData data(nullptr);
    data.LoadFromStoredSkin(&stored);
    if (data.Empty() || data.ControlRecordCount() != 64) state.SkipWithError("the skin did not load");
  }
}
BENCHMARK(WholeLoad)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
