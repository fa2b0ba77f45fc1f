#include "CliFixture.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "agblz/Lz.h"
#include "editor/ProgramCopy.h"

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

void WriteBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

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
  fs::create_directories(FDir);
  FProgram = fs::path(kora::test::MakeProgramCopy(FDir.string() + "/")).parent_path();
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
  // Every test starts from the same two demo ROMs: each is made once for
  // the kora-cli that is built, and copied.
  const fs::path program = FProgram / "kora-cli";
  const auto stamp = fs::last_write_time(program).time_since_epoch().count();
  const fs::path made = fs::path(KORA_TEST_TMP) / "kora-cli" /
                        ("demo-" + std::to_string(stamp) + (alternate ? "-alternate" : "") + ".nds");
  if (!fs::exists(made)) {
    // Made under a name of this process's and renamed: a test beside this
    // one never sees half a ROM.
    const fs::path part = made.string() + "." + std::to_string(getpid());
    std::vector<std::string> args{"make-demo-rom", part.string()};
    if (alternate) args.push_back("--alternate");
    const RunResult r = Cli(args);
    EXPECT_EQ(r.Status, 0) << r.Err;
    fs::rename(part, made);
  }
  const fs::path rom = FDir / name;
  fs::copy_file(made, rom, fs::copy_options::overwrite_existing);
  return rom;
}

}  // namespace kora::clitest
