#pragma once
// Where the program finds its name lists and pictures, its packer and its
// working files, in either of its two layouts:
// - portable: one program folder holds the executable, Tool/agblz, Data/,
//   Image/ and RomData/ side by side (the build's folder, an unpacked copy);
// - installed: <prefix>/bin/ holds the executables, <prefix>/lib/kora-editor/
//   the packer and <prefix>/share/kora-editor/ the data; nothing is written
//   under the prefix.
// Working files go to RomData/ in a portable folder that may be written, and
// otherwise to the user's cache folder.

#include <string>

namespace kora {

struct ProgramPaths {
  // The folder of Data/ and Image/, with a trailing '/': the program folder
  // when portable.
  std::string AppPath;
  // The packer's executable. In a program folder it is AppPath + "/Tool/agblz",
  // the separator doubled as command lines have always had it.
  std::string PackerFile;
  // The folder of the working files and their lock, with a trailing '/'.
  std::string WorkFolder;
  // Where the open dialog starts before a ROM was chosen: the program
  // folder when portable, the home folder when installed.
  std::string FirstFolder;
  bool Installed = false;
  // The working folder is the user's cache, made when first locked.
  bool WorkInCache = false;

  // The layout of a program whose executable lies in executableFolder: the
  // portable layout when Data/ lies beside it, the installed one when
  // ../share/kora-editor/Data does, and the portable one otherwise (whose
  // missing files are then reported as they are used).
  static ProgramPaths Find(const std::string& executableFolder);
  // The layout of the running program.
  static ProgramPaths OfThisProgram();
  // A program folder, used as it is: its RomData/ whether it may be written
  // or not.
  static ProgramPaths Portable(const std::string& programFolder);

  // Makes the working folder when it is the cache (the program folder's
  // RomData/ is never made). Raises EFCreateError naming the folder.
  void MakeWorkFolder() const;
};

// The running executable's folder with a trailing '/'.
std::string ExecutableFolder();

// $XDG_CACHE_HOME/kora-editor/, or ~/.cache/kora-editor/ when the variable is
// unset, empty or not an absolute path, as the base directory rules say.
std::string UserCacheFolder();

}  // namespace kora
