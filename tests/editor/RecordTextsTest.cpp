#include "editor/RecordTexts.h"

#include <gtest/gtest.h>

#include "editor/Records.h"
#include "framework/core/SysUtils.h"

namespace kora {
namespace {

// Neighbouring bytes differ, so a stray write shows in a comparison.
DataImage PatternImage() {
  DataImage image(kDataImageSize);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 13 + 5);
  return image;
}

// Every byte outside [first, end) is as in `before`.
void ExpectOnlyChanged(const DataImage& before, const DataImage& after, std::size_t first, std::size_t end) {
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (i < first || i >= end) {
      ASSERT_EQ(before[i], after[i]) << "byte " << i;
    }
  }
}

TEST(HexToInt, DigitsCaseAndInvalidText) {
  EXPECT_EQ(HexToInt("1f"), 31);
  EXPECT_EQ(HexToInt("1F"), 31);
  EXPECT_EQ(HexToInt("017"), 23);
  EXPECT_EQ(HexToInt("0G"), 0);
  EXPECT_EQ(HexToInt(" 1"), 0);
  EXPECT_EQ(HexToInt(""), 0);
  EXPECT_EQ(HexToInt("100000001"), 1);  // 32-bit wrap
}

TEST(RecordTexts, CharacterAndClassBytesAreSigned) {
  DataImage image = PatternImage();
  const DataImage before = image;
  const std::size_t c = 80 * 3 + 44;
  image[c] = 0x80;
  image[c + 15] = 0x7F;
  CharTexts fields;
  ASSERT_TRUE(GetCharData(image, 3, fields));
  EXPECT_EQ(fields[0], "-128");
  EXPECT_EQ(fields[15], "127");
  fields = {"-1", "200", "256", "-129", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "1"};
  ASSERT_TRUE(PutCharData(image, 3, fields));
  EXPECT_EQ(std::vector<int>(image.begin() + c, image.begin() + c + 4), (std::vector<int>{0xFF, 0xC8, 0x00, 0x7F}));
  ExpectOnlyChanged(before, image, c, c + 16);

  // Classes: base and growth at 0..15, caps at 24..31; 16..23 stay as they were.
  const std::size_t k = 29960 + 92 * 2;
  CareTexts care;
  CareLimitTexts caps;
  for (std::size_t i = 0; i < care.size(); ++i) care[i] = IntToStr(static_cast<int>(i) - 8);
  for (std::size_t i = 0; i < caps.size(); ++i) caps[i] = IntToStr(100 + static_cast<int>(i));
  image = before;
  ASSERT_TRUE(PutCareData(image, 2, care, caps));
  EXPECT_EQ(image[k], 0xF8);
  EXPECT_EQ(image[k + 24], 100);
  ExpectOnlyChanged(before, image, k, k + 32);
  for (std::size_t i = 16; i < 24; ++i) EXPECT_EQ(image[k + i], before[k + i]);
  CareTexts shownCare;
  CareLimitTexts shownCaps;
  ASSERT_TRUE(GetCareData(image, 2, shownCare, shownCaps));
  EXPECT_EQ(shownCare, care);
  EXPECT_EQ(shownCaps, caps);
}

TEST(RecordTexts, ItemBytesRangeNibblesAndPrice) {
  DataImage image = PatternImage();
  const std::size_t base = 34724;
  image[base] = 0xC8;
  image[base + 5] = 0xA3;
  image[base - 6] = 0x34;
  image[base - 5] = 0x12;
  ItemTexts fields;
  ItemBonusTexts bonus;
  ASSERT_TRUE(GetItemData(image, 0, fields, bonus));
  EXPECT_EQ(fields[0], "200");
  EXPECT_EQ(fields[5], "10");
  EXPECT_EQ(fields[6], "3");
  EXPECT_EQ(fields[7], "4660");

  const DataImage before = image;
  fields = {"200", "1", "2", "3", "4", "15", "0", "65535"};
  bonus = {"0", "1", "2", "3", "4", "5", "6", "255"};
  ASSERT_TRUE(PutItemData(image, 0, fields, bonus));
  EXPECT_EQ(image[base], 0xC8);
  EXPECT_EQ(image[base + 5], 0xF0);
  EXPECT_EQ(image[base - 6], 0xFF);
  EXPECT_EQ(image[base - 5], 0xFF);
  EXPECT_EQ(image[base + 15], 0xFF);
  ExpectOnlyChanged(before, image, base - 6, base + 16);
  for (std::size_t at : {base - 4, base - 3, base - 2, base - 1, base + 6, base + 7}) {
    EXPECT_EQ(image[at], before[at]) << at;
  }
  fields[5] = "1";
  fields[6] = "2";
  fields[7] = "0";
  ASSERT_TRUE(PutItemData(image, 0, fields, bonus));
  EXPECT_EQ(image[base + 5], 0x12);
  EXPECT_EQ(image[base - 6], 0);
  EXPECT_EQ(image[base - 5], 0);
}

TEST(RecordTexts, ConversionErrorKeepsEarlierFieldsAndStopsLater) {
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
  ExpectOnlyChanged(before, image, 124, 129);
  EXPECT_EQ(image[128], 9);

  // The range byte is stored before the price, so a bad price keeps it.
  ItemTexts item = {"1", "1", "1", "1", "1", "3", "4", "x"};
  ItemBonusTexts bonus;
  bonus.fill("2");
  EXPECT_THROW(PutItemData(image, 0, item, bonus), EConvertError);
  EXPECT_EQ(image[34724 + 5], 0x34);
  EXPECT_EQ(image[34724 - 6], before[34724 - 6]);
}

TEST(RecordTexts, NoRecordAndOutsideTheImageDoNothing) {
  DataImage image = PatternImage();
  const DataImage before = image;
  CharTexts chars;
  chars.fill("1");
  ItemTexts items;
  items.fill("1");
  ItemBonusTexts bonus;
  bonus.fill("1");
  CareLimitTexts caps;
  caps.fill("1");

  EXPECT_FALSE(PutItemData(image, -1, items, bonus));  // item -1 would lie inside the image
  EXPECT_FALSE(PutCareData(image, -1, chars, caps));
  EXPECT_FALSE(PutCharData(image, -1, chars));
  const int lastChar = (kDataImageSize - 60) / 80;
  const int lastItem = (kDataImageSize - 16 - 34724) / 60;
  EXPECT_TRUE(CharRecordSpan(image, lastChar) && ItemRecordSpan(image, lastItem));
  EXPECT_FALSE(PutCharData(image, lastChar + 1, chars));
  EXPECT_FALSE(PutItemData(image, lastItem + 1, items, bonus));
  EXPECT_FALSE(PutCareData(image, 1 << 30, chars, caps));
  EXPECT_EQ(image, before);
  EXPECT_FALSE(GetCharData(DataImage(), 0, chars));  // no ROM open yet
  EXPECT_EQ(chars[0], "1");
}

TEST(Records, TypedAccessMatchesTheTexts) {
  DataImage image = PatternImage();
  ItemRecord item;
  item.Price = 0x1234;
  item.Uses = 200;
  item.Range1 = 1;
  item.Range2 = 15;
  ASSERT_TRUE(WriteItemRecord(image, 4, item));
  ItemTexts fields;
  ItemBonusTexts bonus;
  ASSERT_TRUE(GetItemData(image, 4, fields, bonus));
  EXPECT_EQ(fields, (ItemTexts{"200", "0", "0", "0", "0", "1", "15", "4660"}));
  EXPECT_EQ(ReadItemRecord(image, 4)->Price, 0x1234);

  const DataImage before = image;
  item.Range1 = 16;
  EXPECT_THROW(WriteItemRecord(image, 4, item), Exception);
  EXPECT_EQ(image, before);

  ClassRecord cls;
  cls.Cap[0] = -5;
  ASSERT_TRUE(WriteClassRecord(image, 7, cls));
  EXPECT_EQ(image[29960 + 92 * 7 + 24], 0xFB);
  EXPECT_EQ(ReadClassRecord(image, 7)->Cap[0], -5);
  CharRecord chr;
  chr.Growth[7] = -128;
  ASSERT_TRUE(WriteCharRecord(image, 0, chr));
  EXPECT_EQ(image[59], 0x80);
  EXPECT_FALSE(ReadCharRecord(image, -1));
  EXPECT_FALSE(WriteCharRecord(image, 100000, chr));
}

}  // namespace
}  // namespace kora
