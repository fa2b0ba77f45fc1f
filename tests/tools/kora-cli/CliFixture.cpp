#include "CliFixture.h"

#include "agblz/Lz.h"

#include <sys/wait.h>
#include <unistd.h>
#include <fstream>
#include <sstream>

namespace kora::clitest {

namespace {

std::string ShellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

}  // namespace

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  Bytes bytes(fs::exists(path) ? fs::file_size(path) : 0);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string ReadText(const fs::path& path) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

uint32_t U32(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

Bytes UnpackedImage(const Bytes& rom, uint32_t pointerTable) {
  const uint32_t start = U32(rom, pointerTable), end = U32(rom, pointerTable + 4);
  return lz::Unpack(std::span(rom).subspan(start, end - start));
}

void CliTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  // Parameterised names hold '/'; keep one flat folder per test.
  std::string leaf = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : leaf) {
    if (c == '/') c = '_';
  }
  FDir = fs::path(KORA_TEST_TMP) / "kora-cli" / leaf;
  fs::remove_all(FDir);
  FProgram = FDir / "kora";
  const fs::path source = KORA_PROGRAM_DIR;
  fs::create_directories(FProgram / "Tool");
  fs::create_directories(FProgram / "RomData");
  fs::copy_file(source / "kora-cli", FProgram / "kora-cli");
  fs::copy_file(source / "Tool" / "agblz", FProgram / "Tool" / "agblz");
  fs::copy(source / "Data", FProgram / "Data", fs::copy_options::recursive);
  fs::copy(source / "Image", FProgram / "Image", fs::copy_options::recursive);
}

void CliTest::TearDown() {
  if (!HasFailure()) fs::remove_all(FDir);
}

RunResult CliTest::Cli(const std::vector<std::string>& args) const {
  std::string command = ShellQuote((FProgram / "kora-cli").string());
  for (const std::string& arg : args) command += " " + ShellQuote(arg);
  const fs::path out = FDir / "stdout.txt", err = FDir / "stderr.txt";
  command += " >" + ShellQuote(out.string()) + " 2>" + ShellQuote(err.string());
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
}

fs::path CliTest::MakeRom(const std::string& name, bool alternate) const {
  const fs::path rom = FDir / name;
  std::vector<std::string> args{"make-demo-rom", rom.string()};
  if (alternate) args.push_back("--alternate");
  const RunResult r = Cli(args);
  EXPECT_EQ(r.Status, 0) << r.Err;
  return rom;
}

}  // namespace kora::clitest
