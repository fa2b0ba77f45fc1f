#pragma once
// Typed access to the character, class and item records of the data image.

#include <array>
#include <cstdint>
#include <optional>

#include "editor/DataImage.h"

namespace kora {

// Character record c: 80 bytes at 80c; stats at record offsets 44..59.
inline constexpr int kCharRecordSize = 80;
inline constexpr int kCharBaseOffset = 44;
inline constexpr int kCharGrowthOffset = 52;

// Class record k: 92 bytes at 29960 + 92k; caps at record offset 24.
inline constexpr int kClassTableOffset = 29960;
inline constexpr int kClassRecordSize = 92;
inline constexpr int kClassBaseOffset = 0;
inline constexpr int kClassGrowthOffset = 8;
inline constexpr int kClassCapOffset = 24;

// Item record i: base = 34724 + 60i; the price sits six bytes before base.
inline constexpr int kItemTableOffset = 34724;
inline constexpr int kItemRecordSize = 60;
inline constexpr int kItemPriceOffset = -6;
inline constexpr int kItemUsesOffset = 0;
inline constexpr int kItemMightOffset = 1;
inline constexpr int kItemHitOffset = 2;
inline constexpr int kItemCritOffset = 3;
inline constexpr int kItemWeightOffset = 4;
inline constexpr int kItemRangeOffset = 5;
inline constexpr int kItemBonusOffset = 8;

using StatBlock = std::array<int8_t, kStatCount>;

struct CharRecord {
  StatBlock Base{};
  StatBlock Growth{};
};

struct ClassRecord {
  StatBlock Base{};
  StatBlock Growth{};
  StatBlock Cap{};
};

struct ItemRecord {
  uint16_t Price = 0;
  uint8_t Uses = 0;
  uint8_t Might = 0;
  uint8_t Hit = 0;
  uint8_t Crit = 0;
  uint8_t Weight = 0;
  uint8_t Range1 = 0;  // high 4 bits of the range byte, 0..15
  uint8_t Range2 = 0;  // low 4 bits, 0..15
  std::array<uint8_t, kStatCount> Bonus{};
};

// Image offsets of a record: where character/class record `index` starts and
// where item record `index` has its base (the price lies before it).
inline int64_t CharRecordStart(int index) { return int64_t{kCharRecordSize} * index; }
inline int64_t ClassRecordStart(int index) { return kClassTableOffset + int64_t{kClassRecordSize} * index; }
inline int64_t ItemRecordBase(int index) { return kItemTableOffset + int64_t{kItemRecordSize} * index; }

// Image offset of the first byte a record's routines touch and one past the
// last, or nothing when the index is negative (-1 is "no record") or any
// touched byte lies outside the image.
struct ByteSpan {
  int64_t First = 0;
  int64_t End = 0;
};
std::optional<ByteSpan> CharRecordSpan(const DataImage& image, int index);
std::optional<ByteSpan> ClassRecordSpan(const DataImage& image, int index);
std::optional<ByteSpan> ItemRecordSpan(const DataImage& image, int index);

// Readers give nothing and writers do nothing (returning false) for an index
// without a span. WriteItemRecord raises Exception for a range value above
// 15 before storing anything.
std::optional<CharRecord> ReadCharRecord(const DataImage& image, int index);
bool WriteCharRecord(DataImage& image, int index, const CharRecord& record);
std::optional<ClassRecord> ReadClassRecord(const DataImage& image, int index);
bool WriteClassRecord(DataImage& image, int index, const ClassRecord& record);
std::optional<ItemRecord> ReadItemRecord(const DataImage& image, int index);
bool WriteItemRecord(DataImage& image, int index, const ItemRecord& record);

}  // namespace kora
