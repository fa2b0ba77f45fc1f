#pragma once
// The skin review sheet: every element of the program composed from one
// loaded skin, at the sizes and in the states a person must judge.

#include <string>

#include "skin/data/bsSkinData.h"

namespace kora::skinc {

// The main window's client size, which the frames on the sheet wrap.
constexpr int kPreviewClientWidth = 554;
constexpr int kPreviewClientHeight = 434;
// The sheet's backdrop: a desktop the frame's cut corners show against.
constexpr TColor kPreviewDesktop = 0x806E5E;

// Composes the sheet into target (resized to fit). The active frame comes
// first at (10, 10), the inactive one beside it; the single elements
// follow below on the window's client background. The program's own
// controls on the sheet are bound to data while they are drawn.
void ComposePreviewSheet(TbsSkinData& data, TBitmap& target);

// Writes the sheet of a loaded skin as a PNG, whole or not at all.
void WritePreviewPng(TbsSkinData& data, const std::string& path);

}  // namespace kora::skinc
