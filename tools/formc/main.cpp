// formc text2bin IN OUT  compiles a text form description to a binary form
// stream; formc bin2text IN OUT  turns one back into text.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/FormText.h"
#include "platform/shell/SysFiles.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args = kora::ProgramArguments(argc, argv);
  const std::string_view command = args.size() == 4 ? std::string_view(args[1]) : "";
  if (command != "text2bin" && command != "bin2text") {
    std::fputs("formc: usage: formc text2bin|bin2text IN OUT\n", stderr);
    return 2;
  }
  const std::string in = args[2];
  const std::string out = args[3];
  try {
    kora::TMemoryStream input;
    input.LoadFromFile(in);
    kora::TMemoryStream output;
    try {
      if (command == "text2bin") {
        kora::ObjectTextToBinary(input, output);
      } else {
        kora::ObjectBinaryToText(input, output);
      }
    } catch (const kora::Exception& error) {
      // Conversion errors point into the input: name it.
      throw kora::Exception(in + ": " + error.Message());
    }
    // The output appears whole or not at all.
    kora::WriteWholeFile(out, [&](const std::string& temporary) {
      kora::TFileStream file(temporary, kora::fmCreate);
      output.SaveToStream(file);
    });
  } catch (const std::exception& error) {
    std::fprintf(stderr, "formc: %s\n", error.what());
    return 1;
  }
  return 0;
}
