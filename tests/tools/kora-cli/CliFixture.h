#pragma once
// A private program folder per test (kora-cli, Tool/agblz, Data/, Image/,
// RomData/), so tests can run side by side without sharing working files.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kora::clitest {

namespace fs = std::filesystem;

using Bytes = std::vector<uint8_t>;

struct RunResult {
  int Status = -1;
  std::string Out;
  std::string Err;
};

Bytes ReadBytes(const fs::path& path);
void WriteText(const fs::path& path, const std::string& text);
void WriteBytes(const fs::path& path, const Bytes& bytes);
std::string ReadText(const fs::path& path);
uint32_t U32(const Bytes& b, std::size_t at);

// The pointer pair's block of a ROM, unpacked.
Bytes UnpackedImage(const Bytes& rom, uint32_t pointerTable);

class CliTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Runs build/kora-cli from the private folder with the given arguments.
  RunResult Cli(const std::vector<std::string>& args) const;
  // make-demo-rom into the test folder; fails the test when it fails.
  fs::path MakeRom(const std::string& name, bool alternate) const;

  fs::path FDir;      // the test's own folder
  fs::path FProgram;  // its program folder
};

}  // namespace kora::clitest
