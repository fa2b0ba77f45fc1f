// kora-cli import on files made to hurt, read and checked as the program
// does (ReadRecordFile, ParseRecordFile): time per file, and as counters the
// file's size and the most memory held at once while it was read and
// checked (every operator new of the process counted), both in MB. The
// yardstick is a whole export of the demo ROM, the largest file the import
// meets in use.
#include "editor/NameLists.h"
#include "kora-cli/DemoImage.h"
#include "kora-cli/RecordFiles.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

namespace {

std::atomic<std::size_t> gLive{0};
std::atomic<std::size_t> gPeak{0};

void* Allocate(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  const std::size_t live = gLive += malloc_usable_size(p);
  for (std::size_t peak = gPeak; live > peak && !gPeak.compare_exchange_weak(peak, live);) {}
  return p;
}

void Release(void* p) {
  if (!p) return;
  gLive -= malloc_usable_size(p);
  std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace {

namespace fs = std::filesystem;
using namespace kora;
using namespace kora::cli;

constexpr std::size_t kMiB = std::size_t(1) << 20;

const NameLists& Lists() {
  static const NameLists lists = [] {
    NameLists l;
    LoadNameLists(KORA_PROGRAM_DIR, l);
    return l;
  }();
  return lists;
}

std::string Export(bool json) {
  const DataImage image = MakeDemoImage();
  std::vector<RecordTable> tables;
  std::vector<std::string> missing;
  for (const KindInfo& info : AllKinds()) tables.push_back(CollectRecords(info.Kind, Lists(), image, missing));
  return json ? FormatJson(tables) : FormatCsv(tables);
}

std::string Repeat(const std::string& piece, std::size_t size) {
  std::string text;
  text.reserve(size);
  while (text.size() + piece.size() <= size) text += piece;
  return text;
}

// The files, each written once under the benchmark folder.
fs::path File(int kind) {
  static const char* const kNames[] = {"export.csv", "export.json", "commas.csv",   "huge.csv",
                                       "array.json", "twice.json",  "unknown.json", "long-name.csv"};
  const fs::path path = fs::path(KORA_BENCH_TMP) / "import" / kNames[kind];
  if (fs::exists(path)) return path;
  fs::create_directories(path.parent_path());
  const std::size_t under = kMaxRecordFileSize - 64;
  std::string text;
  switch (kind) {
    case 0: text = Export(false); break;
    case 1: text = Export(true); break;
    case 2: text = std::string(under, ','); break;  // one line of empty fields
    case 3: break;                                  // 100 MB, made sparse below
    case 4: text = "{\"items\": [" + Repeat("0,", under) + "0]}"; break;
    case 5: text = "{\"items\": [{\"id\": \"01\", " + Repeat("\"hit\": 1, ", under) + "\"might\": 1}]}"; break;
    case 6: {
      std::string members;
      for (int i = 0; members.size() < under; ++i) members += "\"f" + std::to_string(i) + "\": 1, ";
      text = "{\"items\": [{\"id\": \"01\", " + members + "\"hit\": 1}]}";
      break;
    }
    case 7: text = "id,name,hit\n01," + std::string(under, 'x') + ",5\n"; break;
  }
  std::ofstream(path, std::ios::binary) << text;
  if (kind == 3) fs::resize_file(path, 100 * kMiB);
  return path;
}

void BM_Import(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  const fs::path path = File(kind);
  Lists();
  std::size_t peak = 0;
  bool refused = false;
  for (auto _ : state) {
    gPeak = gLive.load();
    const std::size_t base = gLive;
    try {
      const std::vector<RecordEdit> edits = ParseRecordFile(ReadRecordFile(path.string()), Lists());
      benchmark::DoNotOptimize(edits.data());
    } catch (const Exception&) {
      refused = true;
    }
    peak = gPeak - base;
  }
  state.SetLabel(path.filename().string() + (refused ? " (refused)" : ""));
  state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / kMiB;
  state.counters["peak_MB"] = static_cast<double>(peak) / kMiB;
}

BENCHMARK(BM_Import)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
