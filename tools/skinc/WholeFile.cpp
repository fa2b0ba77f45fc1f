#include "skinc/WholeFile.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

namespace kora::skinc {

void WriteWholeFile(const std::string& path, const std::function<void(const std::string& temporary)>& write) {
  const std::string temporary = path + ".skinc-" + std::to_string(::getpid());
  try {
    write(temporary);
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throw EFCreateError(Format("Cannot create file \"%s\". %s", path.c_str(), SysErrorMessage(error).c_str()));
  }
}

}  // namespace kora::skinc
