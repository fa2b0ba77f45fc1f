#pragma once
// Files for the targets that read through paths as the program does: a
// file in memory with a path of its own, and a scratch folder where
// flushing to disk costs nothing.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace kora::fuzz {

// A regular file in memory, made once and refilled for every input; its
// path opens it again like any file. Holes (from SetSize) cost no memory.
class TMemoryFile {
public:
  explicit TMemoryFile(const char* name) : FHandle(memfd_create(name, 0)) {
    if (FHandle < 0) std::abort();
    FPath = "/proc/self/fd/" + std::to_string(FHandle);
  }
  TMemoryFile(const TMemoryFile&) = delete;
  TMemoryFile& operator=(const TMemoryFile&) = delete;

  const std::string& Path() const { return FPath; }
  void SetSize(uint64_t size) {
    if (ftruncate(FHandle, 0) != 0 || ftruncate(FHandle, static_cast<off_t>(size)) != 0) std::abort();
  }
  void Put(uint64_t offset, const uint8_t* bytes, std::size_t size) {
    if (pwrite(FHandle, bytes, size, static_cast<off_t>(offset)) != static_cast<ssize_t>(size)) std::abort();
  }
  uint64_t Size() const { return static_cast<uint64_t>(lseek(FHandle, 0, SEEK_END)); }

private:
  int FHandle;
  std::string FPath;
};

// A folder of this process's own, on tmpfs where there is one (the code
// under test syncs files and folders), removed at exit.
class TScratchFolder {
public:
  explicit TScratchFolder(const char* name) {
    const std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
    FPath = (base / (std::string(name) + "-" + std::to_string(getpid()))).string() + "/";
    std::filesystem::create_directories(FPath);
  }
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  // Ends in '/'.
  const std::string& Path() const { return FPath; }

private:
  std::string FPath;
};

}  // namespace kora::fuzz
