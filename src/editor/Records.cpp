#include "editor/Records.h"

#include "framework/SysUtils.h"

namespace kora {

namespace {

std::optional<ByteSpan> SpanIn(const DataImage& image, int index, std::int64_t recordStart,
                               std::int64_t firstOffset, std::int64_t endOffset) {
  if (index < 0) return std::nullopt;
  const ByteSpan span{recordStart + firstOffset, recordStart + endOffset};
  if (span.First < 0 || span.End > static_cast<std::int64_t>(image.size())) return std::nullopt;
  return span;
}

StatBlock ReadStats(const DataImage& image, std::int64_t at) {
  StatBlock stats;
  for (int i = 0; i < StatCount; ++i) {
    stats[static_cast<std::size_t>(i)] = static_cast<std::int8_t>(image[static_cast<std::size_t>(at + i)]);
  }
  return stats;
}

void WriteStats(DataImage& image, std::int64_t at, const StatBlock& stats) {
  for (int i = 0; i < StatCount; ++i) {
    image[static_cast<std::size_t>(at + i)] = static_cast<std::uint8_t>(stats[static_cast<std::size_t>(i)]);
  }
}

}  // namespace

std::optional<ByteSpan> CharRecordSpan(const DataImage& image, int index) {
  return SpanIn(image, index, CharRecordStart(index), CharBaseOffset, CharGrowthOffset + StatCount);
}

std::optional<ByteSpan> ClassRecordSpan(const DataImage& image, int index) {
  return SpanIn(image, index, ClassRecordStart(index), ClassBaseOffset, ClassCapOffset + StatCount);
}

std::optional<ByteSpan> ItemRecordSpan(const DataImage& image, int index) {
  return SpanIn(image, index, ItemRecordBase(index), ItemPriceOffset, ItemBonusOffset + StatCount);
}

std::optional<CharRecord> ReadCharRecord(const DataImage& image, int index) {
  if (!CharRecordSpan(image, index)) return std::nullopt;
  const std::int64_t start = CharRecordStart(index);
  return CharRecord{ReadStats(image, start + CharBaseOffset), ReadStats(image, start + CharGrowthOffset)};
}

bool WriteCharRecord(DataImage& image, int index, const CharRecord& record) {
  if (!CharRecordSpan(image, index)) return false;
  const std::int64_t start = CharRecordStart(index);
  WriteStats(image, start + CharBaseOffset, record.Base);
  WriteStats(image, start + CharGrowthOffset, record.Growth);
  return true;
}

std::optional<ClassRecord> ReadClassRecord(const DataImage& image, int index) {
  if (!ClassRecordSpan(image, index)) return std::nullopt;
  const std::int64_t start = ClassRecordStart(index);
  return ClassRecord{ReadStats(image, start + ClassBaseOffset), ReadStats(image, start + ClassGrowthOffset),
                     ReadStats(image, start + ClassCapOffset)};
}

bool WriteClassRecord(DataImage& image, int index, const ClassRecord& record) {
  if (!ClassRecordSpan(image, index)) return false;
  const std::int64_t start = ClassRecordStart(index);
  WriteStats(image, start + ClassBaseOffset, record.Base);
  WriteStats(image, start + ClassGrowthOffset, record.Growth);
  WriteStats(image, start + ClassCapOffset, record.Cap);
  return true;
}

std::optional<ItemRecord> ReadItemRecord(const DataImage& image, int index) {
  if (!ItemRecordSpan(image, index)) return std::nullopt;
  const auto base = static_cast<std::size_t>(ItemRecordBase(index));
  const auto at = [&](int offset) { return image[base + static_cast<std::size_t>(offset)]; };
  const auto priceAt = base - static_cast<std::size_t>(-ItemPriceOffset);
  ItemRecord record;
  record.Price = static_cast<std::uint16_t>(image[priceAt] | (image[priceAt + 1] << 8));
  record.Uses = at(ItemUsesOffset);
  record.Might = at(ItemMightOffset);
  record.Hit = at(ItemHitOffset);
  record.Crit = at(ItemCritOffset);
  record.Weight = at(ItemWeightOffset);
  record.Range1 = at(ItemRangeOffset) >> 4;
  record.Range2 = at(ItemRangeOffset) & 0x0F;
  for (int i = 0; i < StatCount; ++i) record.Bonus[static_cast<std::size_t>(i)] = at(ItemBonusOffset + i);
  return record;
}

bool WriteItemRecord(DataImage& image, int index, const ItemRecord& record) {
  if (!ItemRecordSpan(image, index)) return false;
  if (record.Range1 > 15 || record.Range2 > 15) {
    throw Exception(Format("Item range values must be 0..15, not %u and %u",
                           unsigned{record.Range1}, unsigned{record.Range2}));
  }
  const auto base = static_cast<std::size_t>(ItemRecordBase(index));
  const auto at = [&](int offset) -> std::uint8_t& { return image[base + static_cast<std::size_t>(offset)]; };
  const auto priceAt = base - static_cast<std::size_t>(-ItemPriceOffset);
  image[priceAt] = static_cast<std::uint8_t>(record.Price & 0xFF);
  image[priceAt + 1] = static_cast<std::uint8_t>(record.Price >> 8);
  at(ItemUsesOffset) = record.Uses;
  at(ItemMightOffset) = record.Might;
  at(ItemHitOffset) = record.Hit;
  at(ItemCritOffset) = record.Crit;
  at(ItemWeightOffset) = record.Weight;
  at(ItemRangeOffset) = static_cast<std::uint8_t>(record.Range1 << 4 | record.Range2);
  for (int i = 0; i < StatCount; ++i) at(ItemBonusOffset + i) = record.Bonus[static_cast<std::size_t>(i)];
  return true;
}

}  // namespace kora
