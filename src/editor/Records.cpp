#include "editor/Records.h"

#include "framework/core/SysUtils.h"

namespace kora {

namespace {

std::optional<ByteSpan> SpanIn(const DataImage& image, int index, int64_t recordStart, int64_t firstOffset,
                               int64_t endOffset) {
  if (index < 0) return std::nullopt;
  const ByteSpan span{recordStart + firstOffset, recordStart + endOffset};
  if (span.First < 0 || span.End > static_cast<int64_t>(image.size())) return std::nullopt;
  return span;
}

StatBlock ReadStats(const DataImage& image, int64_t at) {
  StatBlock stats;
  for (int i = 0; i < kStatCount; ++i) {
    stats[static_cast<std::size_t>(i)] = static_cast<int8_t>(image[static_cast<std::size_t>(at + i)]);
  }
  return stats;
}

void WriteStats(DataImage& image, int64_t at, const StatBlock& stats) {
  for (int i = 0; i < kStatCount; ++i) {
    image[static_cast<std::size_t>(at + i)] = static_cast<uint8_t>(stats[static_cast<std::size_t>(i)]);
  }
}

}  // namespace

std::optional<ByteSpan> CharRecordSpan(const DataImage& image, int index) {
  return SpanIn(image, index, CharRecordStart(index), kCharBaseOffset, kCharGrowthOffset + kStatCount);
}

std::optional<ByteSpan> ClassRecordSpan(const DataImage& image, int index) {
  return SpanIn(image, index, ClassRecordStart(index), kClassBaseOffset, kClassCapOffset + kStatCount);
}

std::optional<ByteSpan> ItemRecordSpan(const DataImage& image, int index) {
  return SpanIn(image, index, ItemRecordBase(index), kItemPriceOffset, kItemBonusOffset + kStatCount);
}

std::optional<CharRecord> ReadCharRecord(const DataImage& image, int index) {
  if (!CharRecordSpan(image, index)) return std::nullopt;
  const int64_t start = CharRecordStart(index);
  return CharRecord{ReadStats(image, start + kCharBaseOffset), ReadStats(image, start + kCharGrowthOffset)};
}

bool WriteCharRecord(DataImage& image, int index, const CharRecord& record) {
  if (!CharRecordSpan(image, index)) return false;
  const int64_t start = CharRecordStart(index);
  WriteStats(image, start + kCharBaseOffset, record.Base);
  WriteStats(image, start + kCharGrowthOffset, record.Growth);
  return true;
}

std::optional<ClassRecord> ReadClassRecord(const DataImage& image, int index) {
  if (!ClassRecordSpan(image, index)) return std::nullopt;
  const int64_t start = ClassRecordStart(index);
  return ClassRecord{ReadStats(image, start + kClassBaseOffset), ReadStats(image, start + kClassGrowthOffset),
                     ReadStats(image, start + kClassCapOffset)};
}

bool WriteClassRecord(DataImage& image, int index, const ClassRecord& record) {
  if (!ClassRecordSpan(image, index)) return false;
  const int64_t start = ClassRecordStart(index);
  WriteStats(image, start + kClassBaseOffset, record.Base);
  WriteStats(image, start + kClassGrowthOffset, record.Growth);
  WriteStats(image, start + kClassCapOffset, record.Cap);
  return true;
}

std::optional<ItemRecord> ReadItemRecord(const DataImage& image, int index) {
  if (!ItemRecordSpan(image, index)) return std::nullopt;
  const auto base = static_cast<std::size_t>(ItemRecordBase(index));
  const auto at = [&](int offset) { return image[base + static_cast<std::size_t>(offset)]; };
  const auto priceAt = base - static_cast<std::size_t>(-kItemPriceOffset);
  ItemRecord record;
  record.Price = static_cast<uint16_t>(image[priceAt] | (image[priceAt + 1] << 8));
  record.Uses = at(kItemUsesOffset);
  record.Might = at(kItemMightOffset);
  record.Hit = at(kItemHitOffset);
  record.Crit = at(kItemCritOffset);
  record.Weight = at(kItemWeightOffset);
  record.Range1 = at(kItemRangeOffset) >> 4;
  record.Range2 = at(kItemRangeOffset) & 0x0F;
  for (int i = 0; i < kStatCount; ++i) record.Bonus[static_cast<std::size_t>(i)] = at(kItemBonusOffset + i);
  return record;
}

bool WriteItemRecord(DataImage& image, int index, const ItemRecord& record) {
  if (!ItemRecordSpan(image, index)) return false;
  if (record.Range1 > 15 || record.Range2 > 15) {
    throw Exception(
        Format("Item range values must be 0..15, not %u and %u", unsigned{record.Range1}, unsigned{record.Range2}));
  }
  const auto base = static_cast<std::size_t>(ItemRecordBase(index));
  const auto at = [&](int offset) -> uint8_t& { return image[base + static_cast<std::size_t>(offset)]; };
  const auto priceAt = base - static_cast<std::size_t>(-kItemPriceOffset);
  image[priceAt] = static_cast<uint8_t>(record.Price & 0xFF);
  image[priceAt + 1] = static_cast<uint8_t>(record.Price >> 8);
  at(kItemUsesOffset) = record.Uses;
  at(kItemMightOffset) = record.Might;
  at(kItemHitOffset) = record.Hit;
  at(kItemCritOffset) = record.Crit;
  at(kItemWeightOffset) = record.Weight;
  at(kItemRangeOffset) = static_cast<uint8_t>(record.Range1 << 4 | record.Range2);
  for (int i = 0; i < kStatCount; ++i) at(kItemBonusOffset + i) = record.Bonus[static_cast<std::size_t>(i)];
  return true;
}

}  // namespace kora
