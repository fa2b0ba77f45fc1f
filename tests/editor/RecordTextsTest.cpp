#include "editor/RecordTexts.h"

#include <gtest/gtest.h>

#include "editor/Records.h"
#include "framework/SysUtils.h"

namespace kora {
namespace {

// An image whose every byte is distinct from its neighbours, so a stray
// write shows up in the comparison with the untouched copy.
DataImage PatternImage() {
  DataImage image(DataImageSize);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 13 + 5);
  return image;
}

// Every byte outside [first, end) is as in `before`.
void ExpectOnlyChanged(const DataImage& before, const DataImage& after, std::int64_t first, std::int64_t end) {
  ASSERT_EQ(before.size(), after.size());
  for (std::int64_t i = 0; i < static_cast<std::int64_t>(before.size()); ++i) {
    if (i >= first && i < end) continue;
    ASSERT_EQ(before[static_cast<std::size_t>(i)], after[static_cast<std::size_t>(i)]) << "byte " << i;
  }
}

TEST(HexToInt, DigitsCaseAndInvalidText) {
  EXPECT_EQ(HexToInt("1f"), 31);
  EXPECT_EQ(HexToInt("1F"), 31);
  EXPECT_EQ(HexToInt("017"), 23);
  EXPECT_EQ(HexToInt("01A"), 26);
  EXPECT_EQ(HexToInt("0G"), 0);
  EXPECT_EQ(HexToInt("FFG"), 0);
  EXPECT_EQ(HexToInt(" 1"), 0);
  EXPECT_EQ(HexToInt(""), 0);
  EXPECT_EQ(HexToInt("FFFFFFFF"), -1);
  EXPECT_EQ(HexToInt("100000001"), 1);  // 32-bit wrap
}

TEST(CharTexts, SignedBytesBothWays) {
  DataImage image = PatternImage();
  const DataImage before = image;
  const int c = 3;
  image[80 * c + 44] = 0x80;
  image[80 * c + 59] = 0x7F;
  CharTexts fields;
  ASSERT_TRUE(GetCharData(image, c, fields));
  EXPECT_EQ(fields[0], "-128");
  EXPECT_EQ(fields[15], "127");

  for (auto& f : fields) f = "1";
  fields[0] = "-1";
  fields[1] = "200";
  fields[2] = "256";
  fields[3] = "-129";
  ASSERT_TRUE(PutCharData(image, c, fields));
  EXPECT_EQ(image[80 * c + 44], 0xFF);
  EXPECT_EQ(image[80 * c + 45], 0xC8);
  EXPECT_EQ(image[80 * c + 46], 0x00);
  EXPECT_EQ(image[80 * c + 47], 0x7F);
  EXPECT_EQ(image[80 * c + 59], 0x01);
  ExpectOnlyChanged(before, image, 80 * c + 44, 80 * c + 60);

  ASSERT_TRUE(GetCharData(image, c, fields));
  EXPECT_EQ(fields[1], "-56");
}

TEST(CareTexts, BaseGrowthAndCapsSkipTheUntouchedMiddle) {
  DataImage image = PatternImage();
  const DataImage before = image;
  const int k = 2;
  const int start = 29960 + 92 * k;
  CareTexts fields;
  CareLimitTexts limits;
  for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = IntToStr(static_cast<int>(i) - 8);
  for (std::size_t i = 0; i < limits.size(); ++i) limits[i] = IntToStr(100 + static_cast<int>(i));
  ASSERT_TRUE(PutCareData(image, k, fields, limits));
  EXPECT_EQ(image[start + 0], 0xF8);  // -8
  EXPECT_EQ(image[start + 15], 7);
  EXPECT_EQ(image[start + 24], 100);
  EXPECT_EQ(image[start + 31], 107);
  // Record bytes 16..23 are not the editor's.
  ExpectOnlyChanged(before, image, start, start + 32);
  for (int i = 16; i < 24; ++i) EXPECT_EQ(image[start + i], before[start + i]);

  CareTexts shownFields;
  CareLimitTexts shownLimits;
  ASSERT_TRUE(GetCareData(image, k, shownFields, shownLimits));
  EXPECT_EQ(shownFields, fields);
  EXPECT_EQ(shownLimits, limits);
}

TEST(ItemTexts, UnsignedBytesRangeNibblesAndPrice) {
  DataImage image = PatternImage();
  const int i = 0;
  const int base = 34724 + 60 * i;
  image[base + 0] = 0xC8;
  image[base + 5] = 0x12;
  image[base - 6] = 0x34;
  image[base - 5] = 0x12;
  image[base + 8] = 0xFF;
  ItemTexts fields;
  ItemBonusTexts bonus;
  ASSERT_TRUE(GetItemData(image, i, fields, bonus));
  EXPECT_EQ(fields[0], "200");
  EXPECT_EQ(fields[5], "1");
  EXPECT_EQ(fields[6], "2");
  EXPECT_EQ(fields[7], "4660");
  EXPECT_EQ(bonus[0], "255");
  image[base + 5] = 0xA3;
  ASSERT_TRUE(GetItemData(image, i, fields, bonus));
  EXPECT_EQ(fields[5], "10");
  EXPECT_EQ(fields[6], "3");

  const DataImage before = image;
  fields = {"200", "1", "2", "3", "4", "15", "0", "65535"};
  bonus = {"0", "1", "2", "3", "4", "5", "6", "255"};
  ASSERT_TRUE(PutItemData(image, i, fields, bonus));
  EXPECT_EQ(image[base + 0], 0xC8);
  EXPECT_EQ(image[base + 4], 4);
  EXPECT_EQ(image[base + 5], 0xF0);
  EXPECT_EQ(image[base - 6], 0xFF);
  EXPECT_EQ(image[base - 5], 0xFF);
  EXPECT_EQ(image[base + 15], 0xFF);
  EXPECT_EQ(image[base + 6], before[base + 6]);
  EXPECT_EQ(image[base + 7], before[base + 7]);
  ExpectOnlyChanged(before, image, base - 6, base + 16);
  EXPECT_EQ(image[base - 4], before[base - 4]);
  EXPECT_EQ(image[base - 3], before[base - 3]);

  fields[7] = "0";
  ASSERT_TRUE(PutItemData(image, i, fields, bonus));
  EXPECT_EQ(image[base - 6], 0);
  EXPECT_EQ(image[base - 5], 0);
  fields[7] = "4660";
  fields[5] = "1";
  fields[6] = "2";
  ASSERT_TRUE(PutItemData(image, i, fields, bonus));
  EXPECT_EQ(image[base - 6], 0x34);
  EXPECT_EQ(image[base - 5], 0x12);
  EXPECT_EQ(image[base + 5], 0x12);
}

TEST(PutTexts, ConversionErrorKeepsEarlierFieldsAndStopsLater) {
  DataImage image = PatternImage();
  const DataImage before = image;
  CharTexts fields;
  fields.fill("9");
  fields[5] = "";
  try {
    PutCharData(image, 1, fields);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'' is not a valid integer value");
  }
  for (int s = 0; s < 5; ++s) EXPECT_EQ(image[80 + 44 + s], 9);
  ExpectOnlyChanged(before, image, 80 + 44, 80 + 49);

  // Items store the range byte before the price: a bad price leaves the
  // range stored; a bad range leaves the price alone.
  const int base = 34724;
  ItemTexts item = {"1", "1", "1", "1", "1", "3", "4", "x"};
  ItemBonusTexts bonus;
  bonus.fill("2");
  EXPECT_THROW(PutItemData(image, 0, item, bonus), EConvertError);
  EXPECT_EQ(image[base + 5], 0x34);
  EXPECT_EQ(image[base + 15], 2);
  EXPECT_EQ(image[base - 6], before[base - 6]);
  item = {"1", "1", "1", "1", "1", "5", "?", "7"};
  EXPECT_THROW(PutItemData(image, 0, item, bonus), EConvertError);
  EXPECT_EQ(image[base + 5], 0x34);
  EXPECT_EQ(image[base - 6], before[base - 6]);
}

TEST(RecordBounds, NoneAndOutsideTheImageDoNothing) {
  DataImage image = PatternImage();
  const DataImage before = image;
  CharTexts charFields;
  charFields.fill("1");
  CareTexts careFields;
  careFields.fill("1");
  CareLimitTexts limits;
  limits.fill("1");
  ItemTexts itemFields;
  itemFields.fill("1");
  ItemBonusTexts bonus;
  bonus.fill("1");

  // Item -1 would sit inside the image, but -1 is "no record".
  EXPECT_FALSE(PutItemData(image, -1, itemFields, bonus));
  EXPECT_FALSE(PutCareData(image, -1, careFields, limits));
  EXPECT_FALSE(PutCharData(image, -1, charFields));
  EXPECT_FALSE(PutItemData(image, -2, itemFields, bonus));
  // Last whole record and the first one that does not fit.
  const int lastChar = (DataImageSize - 60) / 80;
  EXPECT_TRUE(CharRecordSpan(image, lastChar).has_value());
  EXPECT_FALSE(PutCharData(image, lastChar + 1, charFields));
  const int lastItem = (DataImageSize - 16 - 34724) / 60;
  EXPECT_TRUE(ItemRecordSpan(image, lastItem).has_value());
  EXPECT_FALSE(PutItemData(image, lastItem + 1, itemFields, bonus));
  EXPECT_FALSE(PutCareData(image, 1 << 30, careFields, limits));
  EXPECT_EQ(image, before);

  CharTexts shown;
  shown.fill("untouched");
  EXPECT_FALSE(GetCharData(image, -1, shown));
  EXPECT_FALSE(GetCharData(DataImage(), 0, shown));  // no ROM open yet
  EXPECT_EQ(shown[0], "untouched");
}

TEST(TypedRecords, ReadWriteMatchTheTextRoutines) {
  DataImage image = PatternImage();
  ItemRecord item;
  item.Price = 0x1234;
  item.Uses = 200;
  item.Range1 = 1;
  item.Range2 = 15;
  item.Bonus[7] = 9;
  ASSERT_TRUE(WriteItemRecord(image, 4, item));
  ItemTexts fields;
  ItemBonusTexts bonus;
  ASSERT_TRUE(GetItemData(image, 4, fields, bonus));
  EXPECT_EQ(fields[0], "200");
  EXPECT_EQ(fields[5], "1");
  EXPECT_EQ(fields[6], "15");
  EXPECT_EQ(fields[7], "4660");
  EXPECT_EQ(bonus[7], "9");
  const auto back = ReadItemRecord(image, 4);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Price, 0x1234);
  EXPECT_EQ(back->Range2, 15);

  const DataImage before = image;
  item.Range1 = 16;
  EXPECT_THROW(WriteItemRecord(image, 4, item), Exception);
  EXPECT_EQ(image, before);

  ClassRecord cls;
  cls.Cap[0] = -5;
  cls.Growth[7] = 60;
  ASSERT_TRUE(WriteClassRecord(image, 7, cls));
  EXPECT_EQ(image[29960 + 92 * 7 + 24], 0xFB);
  EXPECT_EQ(ReadClassRecord(image, 7)->Growth[7], 60);

  CharRecord chr;
  chr.Base[0] = -128;
  ASSERT_TRUE(WriteCharRecord(image, 0, chr));
  EXPECT_EQ(image[44], 0x80);
  EXPECT_FALSE(ReadCharRecord(image, -1));
  EXPECT_FALSE(WriteCharRecord(image, 100000, chr));
}

}  // namespace
}  // namespace kora
