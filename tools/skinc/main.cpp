// skinc build SKIN_INI OUT  builds the compressed skin file of a skin folder;
// skinc dump FILE  loads a compressed skin file and prints the skin model;
// skinc preview FILE OUT.png  renders the review sheet of a compressed skin file.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Classes.h"
#include "platform/shell/SysFiles.h"
#include "skin/data/bsSkinData.h"
#include "skinc/Preview.h"
#include "skinc/SkinDump.h"

namespace {

using namespace kora;

void Build(const std::string& skinIni, const std::string& out) {
  TbsCompressedStoredSkin stored(nullptr);
  stored.BuildFromSkinFolder(skinIni);
  if (stored.IsEmpty())
    throw Exception(skinIni + ": a skin needs the sections VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS");
  WriteWholeFile(out, [&](const std::string& temporary) { stored.ExportCompressedFile(temporary); });
}

// Loads a compressed skin file into data; stored must outlive it.
void LoadSkinFile(const std::string& file, TbsCompressedStoredSkin& stored, TbsSkinData& data) {
  try {
    stored.ImportCompressedFile(file);
  } catch (const EReadError& error) {
    // A file too short for its header or its stated length; the open error
    // already names the file.
    throw Exception(file + ": " + error.Message());
  }
  if (stored.IsEmpty()) throw Exception(file + ": no skin archive of version 3 or below");
  try {
    data.SetCompressedStoredSkin(&stored);
  } catch (const Exception& error) {
    throw Exception(file + ": " + error.Message());
  }
  if (data.Empty()) throw Exception(file + ": the skin archive's version is above 3");
}

void Dump(const std::string& file) {
  TbsCompressedStoredSkin stored(nullptr);
  TbsSkinData data(nullptr);
  LoadSkinFile(file, stored, data);
  const std::string text = skinc::DumpSkinData(data);
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
    throw EWriteError("Stream write error");
}

void Preview(const std::string& file, const std::string& out) {
  TbsCompressedStoredSkin stored(nullptr);
  TbsSkinData data(nullptr);
  LoadSkinFile(file, stored, data);
  try {
    skinc::WritePreviewPng(data, out);
  } catch (const Exception& error) {
    throw Exception(file + ": " + error.Message());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = kora::ProgramArguments(argc, argv);
  const size_t count = args.size();
  const std::string_view command = count >= 2 ? std::string_view(args[1]) : "";
  if (!((command == "build" && count == 4) || (command == "dump" && count == 3) ||
        (command == "preview" && count == 4))) {
    std::fputs("skinc: usage: skinc build SKIN_INI OUT | skinc dump FILE | skinc preview FILE OUT.png\n", stderr);
    return 2;
  }
  try {
    if (command == "build")
      Build(args[2], args[3]);
    else if (command == "dump")
      Dump(args[2]);
    else
      Preview(args[2], args[3]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "skinc: %s\n", error.what());
    return 1;
  }
  return 0;
}
