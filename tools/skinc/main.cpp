// skinc build SKIN_INI OUT  builds the compressed skin file of a skin folder;
// skinc dump FILE  loads a compressed skin file and prints the skin model.
#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>

#include "skin/data/bsSkinData.h"
#include "skinc/SkinDump.h"

namespace {

using namespace kora;

void Build(const std::string& skinIni, const std::string& out) {
  TbsCompressedStoredSkin stored(nullptr);
  stored.BuildFromSkinFolder(skinIni);
  if (stored.IsEmpty())
    throw Exception(skinIni + ": a skin needs the sections VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS");
  // The file appears whole or not at all: written beside the target, then renamed over it.
  const std::string temporary = out + ".skinc-" + std::to_string(::getpid());
  try {
    stored.ExportCompressedFile(temporary);
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  if (std::rename(temporary.c_str(), out.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throw EFCreateError(Format("Cannot create file \"%s\". %s", out.c_str(), SysErrorMessage(error).c_str()));
  }
}

void Dump(const std::string& file) {
  TbsCompressedStoredSkin stored(nullptr);
  stored.ImportCompressedFile(file);
  if (stored.IsEmpty()) throw Exception(file + ": no skin archive of version 3 or below");
  TbsSkinData data(nullptr);
  try {
    data.SetCompressedStoredSkin(&stored);
  } catch (const Exception& error) {
    throw Exception(file + ": " + error.Message());
  }
  if (data.Empty()) throw Exception(file + ": the skin archive's version is above 3");
  const std::string text = skinc::DumpSkinData(data);
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
    throw EWriteError("Stream write error");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc >= 2 ? argv[1] : "";
  if (!((command == "build" && argc == 4) || (command == "dump" && argc == 3))) {
    std::fputs("skinc: usage: skinc build SKIN_INI OUT | skinc dump FILE\n", stderr);
    return 2;
  }
  try {
    if (command == "build")
      Build(argv[2], argv[3]);
    else
      Dump(argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "skinc: %s\n", error.what());
    return 1;
  }
  return 0;
}
