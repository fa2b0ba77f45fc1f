#include "editor/ProgramPaths.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/SysFiles.h"

namespace kora {

namespace {

constexpr const char* kProgramName = "kora-editor";
// Below the prefix of an installed program; the build's install rules set
// them.
constexpr const char* kDataFolder = KORA_INSTALL_DATADIR "/";
constexpr const char* kPackerFolder = KORA_INSTALL_PACKERDIR "/";
// Where there is no installed layout (Windows), a program is always its
// program folder.
constexpr bool kMayBeInstalled = KORA_INSTALLED_LAYOUT;

bool IsFolder(const std::string& path) {
  const std::optional<SysFileStatus> status = SysStat(path);
  return status && status->IsFolder;
}

// The folder may be written by this user.
bool MayWriteIn(const std::string& folder) { return SysWritable(folder); }

// Makes one folder for this user alone; an existing one is fine.
void MakeFolder(const std::string& path) {
  if (SysMakePrivateFolder(path) || (errno == EEXIST && IsFolder(path))) return;
  throw EFCreateError(Format("Cannot create folder \"%s\". %s", path.c_str(), SysErrorMessage(errno).c_str()));
}

}  // namespace

std::string ExecutableFolder() {
  try {
    return ExtractFilePath(SysExecutableFile());
  } catch (const std::system_error& e) {
    const int error = e.code().value();
    throw EInOutError(Format("Cannot find the program's own folder. %s", SysErrorMessage(error).c_str()), error);
  }
}

std::string UserCacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  // Relative paths are invalid there and are ignored.
  const std::string base =
      cache && cache[0] == '/' ? std::string(cache) : IncludeTrailingPathDelimiter(ShellHomeFolder()) + ".cache";
  return IncludeTrailingPathDelimiter(base) + kProgramName + "/";
}

ProgramPaths ProgramPaths::Portable(const std::string& programFolder) {
  ProgramPaths paths;
  paths.AppPath = IncludeTrailingPathDelimiter(programFolder);
  paths.PackerFile = paths.AppPath + SetDirSeparators("/Tool/agblz") + ExecutableExtension;
  paths.WorkFolder = paths.AppPath + SetDirSeparators("RomData/");
  paths.FirstFolder = paths.AppPath;
  return paths;
}

ProgramPaths ProgramPaths::Find(const std::string& executableFolder) {
  const std::string folder = IncludeTrailingPathDelimiter(executableFolder);
  if (!kMayBeInstalled) return Portable(folder);
  if (!IsFolder(folder + "Data")) {
    // <prefix>/bin/ -> <prefix>/
    const std::string prefix = ExtractFilePath(ExcludeTrailingPathDelimiter(folder));
    const std::string data = prefix + kDataFolder;
    if (!prefix.empty() && IsFolder(data + "Data")) {
      ProgramPaths paths;
      paths.AppPath = data;
      paths.PackerFile = prefix + kPackerFolder + "agblz" + ExecutableExtension;
      paths.WorkFolder = UserCacheFolder();
      paths.FirstFolder = IncludeTrailingPathDelimiter(ShellHomeFolder());
      paths.Installed = true;
      paths.WorkInCache = true;
      return paths;
    }
  }
  ProgramPaths paths = Portable(folder);
  // A RomData/ that is missing stays the working folder, and its absence is
  // reported when it is used; one that this user may not write is replaced
  // by the cache, as a read-only copy of the folder could not work at all.
  if (IsFolder(paths.WorkFolder) && !MayWriteIn(paths.WorkFolder)) {
    paths.WorkFolder = UserCacheFolder();
    paths.WorkInCache = true;
  }
  return paths;
}

ProgramPaths ProgramPaths::OfThisProgram() { return Find(ExecutableFolder()); }

void ProgramPaths::MakeWorkFolder() const {
  if (!WorkInCache) return;
  // The cache's parent folders as the base directory rules want them: made
  // when missing, for this user alone.
  std::string path;
  for (size_t from = 0; from < WorkFolder.size();) {
    const size_t slash = WorkFolder.find('/', from + 1);
    path = WorkFolder.substr(0, slash == std::string::npos ? WorkFolder.size() : slash);
    from = slash == std::string::npos ? WorkFolder.size() : slash;
    if (!path.empty() && !IsFolder(path)) MakeFolder(path);
  }
}

}  // namespace kora
