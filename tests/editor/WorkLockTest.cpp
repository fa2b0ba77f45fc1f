#include "editor/WorkLock.h"

#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "framework/core/Classes.h"
#include "framework/core/SysUtils.h"

namespace kora {
namespace {

using namespace test;

TEST(WorkLock, OneHolderAtATimeAndTheSecondIsToldWho) {
  const std::string folder = MakeProgramFolder(TempFolder());
  const ProgramPaths program = ProgramPaths::Portable(folder);
  const std::string path = folder + SetDirSeparators("RomData/kora-cli.lock");
  EXPECT_EQ(WorkLock::LockFileName(program), path);
  {
    WorkLock window(program, "Kora Editor");
    try {
      WorkLock second(program, "kora-cli");
      FAIL() << "a second holder got the lock";
    } catch (const EWorkFolderLocked& e) {
      EXPECT_EQ(e.Message(), "another Kora Editor is using the working files (" + path + " is locked)");
    }
  }
  {
    WorkLock cli(program, "kora-cli");
    EXPECT_THROW(WorkLock(program, "Kora Editor"), EWorkFolderLocked);
  }
  { WorkLock again(program, "Kora Editor"); }

  // (Windows removes no folder that holds an open file.)
  std::filesystem::remove_all(folder + "RomData");
  EXPECT_THROW(WorkLock(program, "kora-cli"), EFCreateError);
}

}  // namespace
}  // namespace kora
