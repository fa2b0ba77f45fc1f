#pragma once
// The loaded model of a skin as ini-style text, for people and for tests.

#include <string>

#include "skin/data/bsSkinData.h"

namespace kora::skinc {

// [VERSION], [PICTURES] and [ACTIVEPICTURES] with names and sizes
// (width x height x bits), [FORMINFO] as adjusted, [SKINCOLORS], every
// object and control record as it writes itself back, then [POPUPWINDOW]
// and [HINTWINDOW]. Lines end with LF.
std::string DumpSkinData(const TbsSkinData& data);

}  // namespace kora::skinc
