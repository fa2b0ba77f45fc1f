// agblz u IN OUT  unpacks an LZ block; agblz z IN OUT  packs one.
#include "agblz/Lz.h"
#include "agblz/main/FileIo.h"
#include "platform/shell/SysFiles.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  const std::vector<std::string> args = kora::ProgramArguments(argc, argv);
  if (args.size() != 4 || (args[1] != "u" && args[1] != "z")) {
    std::fputs("agblz: usage: agblz u|z IN OUT (u unpacks, z packs)\n", stderr);
    return 2;
  }
  const bool unpack = args[1] == "u";
  const std::string in = args[2], out = args[3];
  try {
    const std::vector<uint8_t> input = kora::agblz::ReadPackerInput(in, unpack);
    const std::vector<uint8_t> output = unpack ? kora::lz::Unpack(input) : kora::lz::Pack(input);
    kora::agblz::ReplaceFile(out, output);
  } catch (const kora::lz::LzError& error) {
    std::fprintf(stderr, "agblz: \"%s\": %s\n", in.c_str(), error.what());
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "agblz: %s\n", error.what());
    return 1;
  }
  return 0;
}
