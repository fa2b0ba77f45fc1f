#pragma once
// The record routines as texts: what the spin edits of the three pages show
// and what "确定" stores. Arrays follow the field tables' order.

#include <array>
#include <string>

#include "editor/DataImage.h"

namespace kora {

// CharFields: base stats 0-7, growth rates 8-15 (stat-block order).
using CharTexts = std::array<std::string, 16>;
// CareFields: class base 0-7, growth 8-15; CareLimitFields: caps 0-7.
using CareTexts = std::array<std::string, 16>;
using CareLimitTexts = std::array<std::string, 8>;
// ItemFields: uses, might, hit, crit, weight, range high nibble, range low
// nibble, unit price. ItemBonusFields: the bonus stat block.
using ItemTexts = std::array<std::string, 8>;
using ItemBonusTexts = std::array<std::string, 8>;

// Get: fills the texts with decimal numbers (signed for characters and
// classes, unsigned for items). Put: parses the texts (StrToInt) and stores
// their low 8 bits in table order; a text that is not a number raises
// EConvertError "'%s' is not a valid integer value" and the bytes stored
// before it keep their new values.
// All return false and touch nothing for index -1, any other negative index,
// or a record that does not lie wholly inside the image.
bool GetCharData(const DataImage& image, int index, CharTexts& fields);
bool PutCharData(DataImage& image, int index, const CharTexts& fields);

bool GetCareData(const DataImage& image, int index, CareTexts& fields, CareLimitTexts& limitFields);
// Stores the 16 CareFields, then the 8 CareLimitFields.
bool PutCareData(DataImage& image, int index, const CareTexts& fields, const CareLimitTexts& limitFields);

bool GetItemData(const DataImage& image, int index, ItemTexts& fields, ItemBonusTexts& bonusFields);
// Stores fields 0-4, then the bonus block, then the range byte (the two
// nibble values joined as hexadecimal), then the unit price (low 16 bits,
// little-endian).
bool PutItemData(DataImage& image, int index, const ItemTexts& fields, const ItemBonusTexts& bonusFields);

}  // namespace kora
