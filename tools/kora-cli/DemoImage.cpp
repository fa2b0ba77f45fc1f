#include "kora-cli/DemoImage.h"

#include "editor/Records.h"
#include "kora-cli/RecordColumns.h"
#include "kora-cli/SplitMix.h"

#include <algorithm>
#include <array>

namespace kora::cli {

namespace {

using Stats = std::array<int, kStatCount>;

struct ClassFamily {
  Stats Base;
  Stats Growth;
};

// Sword, lance, armour, axe, bow, mage, priest, flier, thief, banner.
constexpr std::array<ClassFamily, 10> kFamilies{{
    {{18, 4, 0, 8, 9, 0, 3, 1}, {70, 35, 5, 55, 60, 30, 20, 20}},
    {{20, 6, 0, 6, 6, 0, 6, 1}, {80, 45, 5, 45, 40, 30, 30, 15}},
    {{24, 8, 0, 3, 1, 0, 11, 2}, {90, 50, 0, 35, 20, 25, 55, 20}},
    {{24, 8, 0, 4, 5, 0, 3, 0}, {90, 55, 0, 35, 35, 30, 20, 10}},
    {{18, 5, 0, 7, 6, 0, 4, 1}, {70, 40, 5, 55, 45, 30, 20, 15}},
    {{16, 0, 5, 4, 5, 0, 2, 5}, {55, 5, 55, 40, 45, 30, 15, 40}},
    {{16, 0, 4, 3, 5, 0, 1, 7}, {50, 5, 50, 30, 45, 40, 10, 55}},
    {{17, 4, 1, 6, 9, 0, 3, 6}, {60, 35, 15, 45, 60, 40, 15, 40}},
    {{16, 3, 0, 6, 11, 0, 2, 1}, {60, 30, 5, 45, 70, 50, 15, 20}},
    {{19, 5, 0, 5, 6, 0, 5, 3}, {75, 40, 10, 40, 45, 40, 25, 25}},
}};

// Family and tier (0 trainee, 1 basic, 2 advanced) of the sample classes in
// list order.
constexpr std::array<std::array<int, 2>, 25> kSampleClasses{{
    {0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 0}, {3, 1}, {3, 2}, {4, 0}, {4, 1},
    {4, 2}, {5, 0}, {5, 1}, {5, 2}, {6, 1}, {6, 2}, {6, 0}, {7, 1}, {7, 2}, {8, 1}, {9, 1}, {9, 2},
}};

// Class list position of the sample characters 001..01E.
constexpr std::array<int, 30> kSampleCharClasses{23, 1, 4, 6,  9,  12, 15, 17, 20, 22, 0, 3, 8, 11, 14,
                                                 19, 2, 5, 10, 13, 16, 18, 21, 7,  24, 1, 4, 9, 15, 2};

// price, uses, might, hit, crit, weight, range1, range2, bonus stat, bonus
// value; one row per sample item 01..28.
constexpr std::array<std::array<int, 10>, 40> kSampleItems{{
    {350, 45, 3, 100, 0, 3, 1, 1, 0, 0},   {460, 46, 5, 90, 0, 5, 1, 1, 0, 0},    {600, 30, 8, 75, 0, 10, 1, 1, 0, 0},
    {1500, 20, 13, 80, 0, 8, 1, 1, 0, 0},  {900, 40, 3, 100, 10, 2, 1, 1, 4, 2},  {1800, 25, 10, 85, 5, 7, 1, 2, 7, 2},
    {1260, 20, 7, 75, 0, 9, 1, 1, 0, 0},   {320, 45, 3, 90, 0, 5, 1, 1, 0, 0},    {360, 45, 7, 80, 0, 8, 1, 1, 0, 0},
    {480, 30, 10, 70, 0, 13, 1, 1, 0, 0},  {1200, 20, 14, 75, 0, 10, 1, 1, 0, 0}, {400, 20, 6, 65, 0, 11, 1, 2, 0, 0},
    {2400, 25, 12, 70, 5, 12, 1, 1, 6, 2}, {270, 45, 5, 75, 0, 7, 1, 1, 0, 0},    {270, 45, 8, 75, 0, 10, 1, 1, 0, 0},
    {360, 30, 11, 65, 0, 15, 1, 1, 0, 0},  {1000, 20, 15, 70, 0, 12, 1, 1, 0, 0}, {300, 20, 7, 60, 0, 9, 1, 2, 0, 0},
    {180, 50, 6, 70, 0, 11, 1, 1, 0, 0},   {480, 40, 4, 90, 10, 3, 2, 2, 0, 0},   {540, 45, 6, 85, 0, 5, 2, 2, 0, 0},
    {720, 30, 9, 70, 0, 9, 2, 2, 0, 0},    {2000, 20, 5, 65, 0, 10, 2, 3, 0, 0},  {900, 35, 7, 80, 5, 6, 2, 2, 5, 3},
    {560, 40, 5, 90, 0, 4, 1, 2, 0, 0},    {700, 35, 6, 80, 5, 6, 1, 2, 0, 0},    {650, 40, 4, 95, 10, 2, 1, 2, 0, 0},
    {720, 35, 4, 95, 5, 6, 1, 2, 7, 3},    {1080, 30, 9, 70, 0, 10, 1, 2, 0, 0},  {880, 30, 7, 80, 0, 8, 1, 2, 0, 0},
    {600, 30, 10, 100, 0, 2, 1, 1, 0, 0},  {1200, 20, 20, 100, 0, 3, 1, 1, 0, 0}, {2000, 15, 40, 100, 0, 4, 1, 1, 0, 0},
    {2500, 15, 0, 100, 0, 3, 1, 1, 7, 4},  {500, 20, 0, 100, 0, 2, 1, 15, 0, 0},  {300, 3, 10, 0, 0, 0, 0, 0, 0, 0},
    {3000, 1, 80, 0, 0, 0, 0, 0, 0, 0},    {450, 3, 0, 0, 0, 0, 0, 0, 0, 0},      {900, 1, 0, 0, 0, 0, 0, 0, 7, 7},
    {38000, 1, 0, 0, 0, 0, 0, 0, 1, 2},
}};

constexpr int kCharSlots = kClassTableOffset / kCharRecordSize;
constexpr int kClassSlots = (kItemTableOffset + kItemPriceOffset - kClassTableOffset) / kClassRecordSize;
constexpr int kItemSlots = (kDataImageSize - (kItemTableOffset + kItemPriceOffset)) / kItemRecordSize;

int8_t Byte(int v) { return static_cast<int8_t>(std::clamp(v, -128, 127)); }

// Table-like filler: each column of a table keeps one kind of value (zero,
// small count, id, percentage, flag bits, pointer byte), the way real record
// tables look, so the block still packs reasonably.
void FillTable(DataImage& image, int first, int end, int recordSize, uint64_t seed) {
  SplitMix columns(seed);
  std::vector<int> kinds(static_cast<std::size_t>(recordSize));
  for (int& k : kinds) k = std::max(0, columns.Range(-3, 5));  // about half the columns mostly zero
  SplitMix random(seed * 31 + 7);
  for (int at = first; at < end; ++at) {
    const int row = (at - first) / recordSize, col = (at - first) % recordSize;
    int v = 0;
    switch (kinds[static_cast<std::size_t>(col)]) {
      case 0: v = random.Range(0, 15) == 0 ? 1 : 0; break;
      case 1: v = random.Range(0, 3); break;
      case 2: v = row + col; break;
      case 3: v = random.Range(0, 20) * 5; break;
      case 4: v = random.Range(0, 3) == 0 ? 1 << random.Range(0, 7) : 0; break;
      case 5: v = col % 4 == 3 ? 0x08 : col % 4 == 2 ? 0x7A : random.Range(0, 255); break;
    }
    image[static_cast<std::size_t>(at)] = static_cast<uint8_t>(v);
  }
}

ClassRecord MakeClass(int family, int tier, SplitMix& random) {
  const ClassFamily& f = kFamilies[static_cast<std::size_t>(family)];
  ClassRecord record;
  for (int s = 0; s < kStatCount; ++s) {
    const int lift = tier == 0 ? -2 : tier == 2 ? (s == 0 ? 6 : s == 5 ? 0 : 3) : 0;
    record.Base[s] = Byte(std::max(0, f.Base[s] + lift));
    record.Growth[s] = Byte(f.Growth[s] + random.Range(-5, 5) - (tier == 0 ? 5 : 0));
    const int cap = s == 0 ? 40 + 10 * tier : s == 5 ? 30 : 15 + 5 * tier;
    const int bias = f.Growth[s] >= 50 ? 5 : f.Growth[s] <= 10 ? -5 : 0;
    record.Cap[s] = Byte(cap + (s == 0 || s == 5 ? 0 : bias));
  }
  return record;
}

void WriteClasses(DataImage& image, SplitMix& random) {
  for (int k = 0; k < kClassSlots; ++k) {
    const bool sample = k < static_cast<int>(kSampleClasses.size());
    const int family = sample ? kSampleClasses[static_cast<std::size_t>(k)][0] : k % 10;
    const int tier = sample ? kSampleClasses[static_cast<std::size_t>(k)][1] : 1;
    WriteClassRecord(image, k, MakeClass(family, tier, random));
  }
}

void WriteCharacters(DataImage& image, SplitMix& random) {
  for (int c = 0; c < kCharSlots; ++c) {
    const bool sample = c >= 1 && c <= static_cast<int>(kSampleCharClasses.size());
    const int cls = sample ? kSampleCharClasses[static_cast<std::size_t>(c - 1)] : c % 25;
    const auto family = static_cast<std::size_t>(kSampleClasses[static_cast<std::size_t>(cls)][0]);
    const std::size_t at = static_cast<std::size_t>(c * kCharRecordSize);
    image[at + 4] = static_cast<uint8_t>(c);
    image[at + 5] = static_cast<uint8_t>(cls);
    CharRecord record;
    for (int s = 0; s < kStatCount; ++s) {
      // Personal bases add to the class's; a weak stat may sit below it.
      const int low = kFamilies[family].Growth[s] <= 10 ? -2 : 0;
      record.Base[s] = Byte(s == 0 ? random.Range(0, 8) : random.Range(low, sample ? 6 : 3));
      record.Growth[s] = Byte(std::clamp(kFamilies[family].Growth[s] + random.Range(-15, 20), 0, 95));
    }
    WriteCharRecord(image, c, record);
  }
}

void WriteItems(DataImage& image, SplitMix& random) {
  for (int i = 0; i < kItemSlots; ++i) {
    // Price, uses, might, hit, crit, weight, range1, range2, bonus block.
    std::vector<int> values(ColumnsOf(RecordKind::Item).size());
    if (i < static_cast<int>(kSampleItems.size())) {
      const auto& row = kSampleItems[static_cast<std::size_t>(i)];
      std::copy(row.begin(), row.begin() + 8, values.begin());
      values[static_cast<std::size_t>(8 + row[8])] = row[9];
    } else {
      const int generic[] = {random.Range(1, 60) * 50,
                             random.Range(1, 50),
                             random.Range(0, 20),
                             random.Range(50, 100),
                             random.Range(0, 3) * 5,
                             random.Range(1, 20),
                             1,
                             random.Range(1, 3)};
      std::copy(std::begin(generic), std::end(generic), values.begin());
    }
    WriteValues(RecordKind::Item, image, i, values);
  }
}

}  // namespace

DataImage MakeDemoImage() {
  DataImage image(kDataImageSize);
  const int items = kItemTableOffset + kItemPriceOffset;
  FillTable(image, 0, kClassTableOffset, kCharRecordSize, 1);
  FillTable(image, kClassTableOffset, items, kClassRecordSize, 2);
  FillTable(image, items, kDataImageSize, kItemRecordSize, 3);
  SplitMix random(0x5EED);
  WriteCharacters(image, random);
  WriteClasses(image, random);
  WriteItems(image, random);
  return image;
}

}  // namespace kora::cli
