#pragma once
// What the Linux halves of the shell room share.

#include <sys/stat.h>

#include "platform/shell/SysFiles.h"

namespace kora {

SysFileStatus StatusOf(const struct stat& st);

}  // namespace kora
