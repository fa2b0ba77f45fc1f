#pragma once

#include "editor/DataImage.h"

// The game-data block of the demo ROM: believable records for the sample
// name lists, and varied filler in every byte the editor does not touch so a
// byte lost or moved on the way through a save shows up.
namespace kora::cli {

DataImage MakeDemoImage();

}  // namespace kora::cli
