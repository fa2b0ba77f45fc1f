#pragma once
// Helpers of the file system, shell and folder watcher tests.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace kora {

// An empty folder of the current test's own under the test scratch folder.
inline std::string TestFolder(const std::string& prefix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const auto folder = std::filesystem::path(KORA_TEST_TMP) / (prefix + "." + info->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

// Sets (or with null clears) an environment variable for the object's life.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old, FHad = true;
    Set(name, value);
  }
  ~ScopedEnv() { Set(FName, FHad ? FOld.c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
  static void Set(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : "");  // empty removes it there
#else
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
#endif
  }

  const char* FName;
  std::string FOld;
  bool FHad = false;
};

}  // namespace kora
