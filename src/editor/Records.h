#pragma once
// Typed access to the character, class and item records of the data image.

#include <array>
#include <cstdint>
#include <optional>

#include "editor/DataImage.h"

namespace kora {

// Character record c: 80 bytes at 80c; stats at record offsets 44..59.
inline constexpr int CharRecordSize = 80;
inline constexpr int CharBaseOffset = 44;
inline constexpr int CharGrowthOffset = 52;

// Class record k: 92 bytes at 29960 + 92k; caps at record offset 24.
inline constexpr int ClassTableOffset = 29960;
inline constexpr int ClassRecordSize = 92;
inline constexpr int ClassBaseOffset = 0;
inline constexpr int ClassGrowthOffset = 8;
inline constexpr int ClassCapOffset = 24;

// Item record i: base = 34724 + 60i; the price sits six bytes before base.
inline constexpr int ItemTableOffset = 34724;
inline constexpr int ItemRecordSize = 60;
inline constexpr int ItemPriceOffset = -6;
inline constexpr int ItemUsesOffset = 0;
inline constexpr int ItemMightOffset = 1;
inline constexpr int ItemHitOffset = 2;
inline constexpr int ItemCritOffset = 3;
inline constexpr int ItemWeightOffset = 4;
inline constexpr int ItemRangeOffset = 5;
inline constexpr int ItemBonusOffset = 8;

using StatBlock = std::array<std::int8_t, StatCount>;

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
  std::uint16_t Price = 0;
  std::uint8_t Uses = 0;
  std::uint8_t Might = 0;
  std::uint8_t Hit = 0;
  std::uint8_t Crit = 0;
  std::uint8_t Weight = 0;
  std::uint8_t Range1 = 0;  // high 4 bits of the range byte, 0..15
  std::uint8_t Range2 = 0;  // low 4 bits, 0..15
  std::array<std::uint8_t, StatCount> Bonus{};
};

// Image offsets of a record: where character/class record `index` starts and
// where item record `index` has its base (the price lies before it).
inline std::int64_t CharRecordStart(int index) { return std::int64_t{CharRecordSize} * index; }
inline std::int64_t ClassRecordStart(int index) {
  return ClassTableOffset + std::int64_t{ClassRecordSize} * index;
}
inline std::int64_t ItemRecordBase(int index) {
  return ItemTableOffset + std::int64_t{ItemRecordSize} * index;
}

// Image offset of the first byte a record's routines touch and one past the
// last, or nothing when the index is negative (-1 is "no record") or any
// touched byte lies outside the image.
struct ByteSpan {
  std::int64_t First = 0;
  std::int64_t End = 0;
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
