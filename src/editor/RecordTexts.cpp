#include "editor/RecordTexts.h"

#include "editor/Records.h"
#include "framework/core/SysUtils.h"

namespace kora {

namespace {

std::string SignedText(uint8_t byte) { return IntToStr(static_cast<int8_t>(byte)); }
std::string UnsignedText(uint8_t byte) { return IntToStr(byte); }

// The low 8 bits of the text's number: "200" is 0xC8, "-1" is 0xFF.
uint8_t LowByte(const std::string& text) { return static_cast<uint8_t>(StrToInt(text) & 0xFF); }

uint8_t& ByteAt(DataImage& image, int64_t offset) { return image[static_cast<std::size_t>(offset)]; }
uint8_t ByteAt(const DataImage& image, int64_t offset) { return image[static_cast<std::size_t>(offset)]; }

}  // namespace

bool GetCharData(const DataImage& image, int index, CharTexts& fields) {
  if (!CharRecordSpan(image, index)) return false;
  const int64_t first = CharRecordStart(index) + kCharBaseOffset;
  for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = SignedText(ByteAt(image, first + i));
  return true;
}

bool PutCharData(DataImage& image, int index, const CharTexts& fields) {
  if (!CharRecordSpan(image, index)) return false;
  const int64_t first = CharRecordStart(index) + kCharBaseOffset;
  for (std::size_t i = 0; i < fields.size(); ++i) ByteAt(image, first + i) = LowByte(fields[i]);
  return true;
}

bool GetCareData(const DataImage& image, int index, CareTexts& fields, CareLimitTexts& limitFields) {
  if (!ClassRecordSpan(image, index)) return false;
  const int64_t start = ClassRecordStart(index);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    fields[i] = SignedText(ByteAt(image, start + kClassBaseOffset + i));
  }
  for (std::size_t i = 0; i < limitFields.size(); ++i) {
    limitFields[i] = SignedText(ByteAt(image, start + kClassCapOffset + i));
  }
  return true;
}

bool PutCareData(DataImage& image, int index, const CareTexts& fields, const CareLimitTexts& limitFields) {
  if (!ClassRecordSpan(image, index)) return false;
  const int64_t start = ClassRecordStart(index);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    ByteAt(image, start + kClassBaseOffset + i) = LowByte(fields[i]);
  }
  for (std::size_t i = 0; i < limitFields.size(); ++i) {
    ByteAt(image, start + kClassCapOffset + i) = LowByte(limitFields[i]);
  }
  return true;
}

bool GetItemData(const DataImage& image, int index, ItemTexts& fields, ItemBonusTexts& bonusFields) {
  if (!ItemRecordSpan(image, index)) return false;
  const int64_t base = ItemRecordBase(index);
  for (int i = 0; i < 5; ++i) fields[static_cast<std::size_t>(i)] = UnsignedText(ByteAt(image, base + i));
  const uint8_t range = ByteAt(image, base + kItemRangeOffset);
  fields[5] = IntToStr(range >> 4);
  fields[6] = IntToStr(range & 0x0F);
  const int price = ByteAt(image, base + kItemPriceOffset + 1) * 256 + ByteAt(image, base + kItemPriceOffset);
  fields[7] = IntToStr(price);
  for (std::size_t i = 0; i < bonusFields.size(); ++i) {
    bonusFields[i] = UnsignedText(ByteAt(image, base + kItemBonusOffset + i));
  }
  return true;
}

bool PutItemData(DataImage& image, int index, const ItemTexts& fields, const ItemBonusTexts& bonusFields) {
  if (!ItemRecordSpan(image, index)) return false;
  const int64_t base = ItemRecordBase(index);
  for (int i = 0; i < 5; ++i) ByteAt(image, base + i) = LowByte(fields[static_cast<std::size_t>(i)]);
  for (std::size_t i = 0; i < bonusFields.size(); ++i) {
    ByteAt(image, base + kItemBonusOffset + i) = LowByte(bonusFields[i]);
  }
  // The two range digits are joined as hexadecimal text, so 1 and 2 give 0x12.
  const std::string rangeHigh = IntToHex(StrToInt(fields[5]), 1);
  const std::string rangeLow = IntToHex(StrToInt(fields[6]), 1);
  ByteAt(image, base + kItemRangeOffset) = static_cast<uint8_t>(HexToInt(rangeHigh + rangeLow) & 0xFF);
  // Low 16 bits, little-endian: the same bytes the four-digit hex split gives
  // for every price the spin edit allows, and no scrambled digits for others.
  const int32_t price = StrToInt(fields[7]);
  ByteAt(image, base + kItemPriceOffset + 1) = static_cast<uint8_t>((price >> 8) & 0xFF);
  ByteAt(image, base + kItemPriceOffset) = static_cast<uint8_t>(price & 0xFF);
  return true;
}

}  // namespace kora
