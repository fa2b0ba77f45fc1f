// agblz u IN OUT  unpacks an LZ block; agblz z IN OUT  packs one.
#include "agblz/Lz.h"
#include "agblz/main/FileIo.h"

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
  if (argc != 4 || (std::string_view(argv[1]) != "u" && std::string_view(argv[1]) != "z")) {
    std::fputs("agblz: usage: agblz u|z IN OUT (u unpacks, z packs)\n", stderr);
    return 2;
  }
  const bool unpack = argv[1][0] == 'u';
  const std::string in = argv[2], out = argv[3];
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
