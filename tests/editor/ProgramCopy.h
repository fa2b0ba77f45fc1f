#pragma once
// A copy of the program folder as the build lays it out, for tests that run
// the programs or open ROMs: each has its own working folder and lock.

#include <filesystem>
#include <string>
#include <system_error>

namespace kora::test {

// The program folder under `dir`: the packer and the lists and pictures
// copied (a test may replace them), the executables linked (each finds its
// program folder through its own path). Returns it with '/'.
inline std::string MakeProgramCopy(const std::string& dir) {
  namespace fs = std::filesystem;
  const fs::path source = KORA_PROGRAM_DIR, target = dir + "kora";
  fs::create_directories(target / "Tool");
  fs::create_directories(target / "RomData");
  for (const char* program : {"kora-cli", "kora-editor"}) {
    if (!fs::exists(source / program)) continue;
    std::error_code linked;
    fs::create_hard_link(source / program, target / program, linked);
    if (linked) fs::copy_file(source / program, target / program);
  }
  fs::copy_file(source / "Tool" / "agblz", target / "Tool" / "agblz");
  fs::copy(source / "Data", target / "Data", fs::copy_options::recursive);
  fs::copy(source / "Image", target / "Image", fs::copy_options::recursive);
  return target.string() + "/";
}

}  // namespace kora::test
