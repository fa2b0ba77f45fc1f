#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "framework/TempFolder.h"
#include "framework/core/Classes.h"

namespace kora {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

TEST(TFileStream, OpenAndCreateFailuresCarryNameAndSystemText) {
  const std::string dir = TempFolder();
  const std::string missing = dir + "missing.bin";
  try {
    TFileStream stream(missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". " + std::strerror(ENOENT));
  }
  const std::string noFolder = dir + "nofolder/out.bin";
  try {
    TFileStream stream(noFolder, fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"" + noFolder + "\". " + std::strerror(ENOENT));
  }
  // A folder is not a file, even though the system lets it be opened.
  EXPECT_THROW(TFileStream(dir, fmOpenRead), EFOpenError);
}

TEST(TFileStream, OpenWriteKeepsTheRestAndCreateTruncates) {
  const std::string path = TempFolder() + "f.bin";
  WriteFileBytes(path, "abcdefgh");
  {
    TFileStream stream(path, fmOpenWrite | fmShareDenyWrite);
    stream.SetPosition(2);
    stream.WriteBuffer("XY", 2);
    stream.Flush();
  }
  EXPECT_EQ(ReadFileBytes(path), "abXYefgh");
  {
    TFileStream stream(path, fmOpenReadWrite);
    EXPECT_EQ(stream.Size(), 8);
    stream.Seek(-1, TSeekOrigin::soEnd);
    char c = 0;
    stream.ReadBuffer(&c, 1);
    EXPECT_EQ(c, 'h');
  }
  { TFileStream stream(path, fmCreate); }
  EXPECT_EQ(ReadFileBytes(path), "");
}

TEST(WriteWholeFile, ReplacesTheFileOrLeavesItAsItWas) {
  const std::string folder = TempFolder();
  const std::string path = folder + "out.bin";
  WriteFileBytes(path, "old");
  auto write = [](const std::string& bytes) {
    return [bytes](const std::string& temporary) {
      TFileStream file(temporary, fmCreate);
      file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    };
  };
  WriteWholeFile(path, write("new contents"));
  EXPECT_EQ(ReadFileBytes(path), "new contents");

  // A writer that fails half-way leaves the old file and no temporary.
  EXPECT_THROW(WriteWholeFile(path,
                              [](const std::string& temporary) {
                                TFileStream file(temporary, fmCreate);
                                file.WriteBuffer("half", 4);
                                throw EWriteError("Stream write error");
                              }),
               EWriteError);
  EXPECT_EQ(ReadFileBytes(path), "new contents");
  // A target that cannot be made names the target.
  try {
    WriteWholeFile(folder + "missing/out.bin", write("x"));
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& error) {
    EXPECT_NE(error.Message().find("missing/out.bin"), std::string::npos) << error.Message();
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST(TStream, ShortReadRaisesAndWriteOnReadOnlyRaises) {
  const std::string path = TempFolder() + "f.bin";
  WriteFileBytes(path, "abc");
  TFileStream stream(path, fmOpenRead);
  char buffer[4];
  EXPECT_EQ(stream.Read(buffer, 4), 3);
  stream.SetPosition(0);
  try {
    stream.ReadBuffer(buffer, 4);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  try {
    stream.WriteBuffer("x", 1);
    FAIL();
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.Message(), "Stream write error");
  }
}

TEST(TMemoryStream, FileRoundTripCopyAndResize) {
  const std::string dir = TempFolder();
  WriteFileBytes(dir + "in.bin", std::string("\0\1\2\3\4", 5));
  TMemoryStream memory;
  memory.LoadFromFile(dir + "in.bin");
  ASSERT_EQ(memory.Size(), 5);
  EXPECT_EQ(memory.Position(), 0);
  EXPECT_EQ(memory.Memory()[4], 4);

  memory.Seek(0, TSeekOrigin::soEnd);
  memory.WriteBuffer("Z", 1);
  memory.SaveToFile(dir + "out.bin");
  EXPECT_EQ(ReadFileBytes(dir + "out.bin"), std::string("\0\1\2\3\4Z", 6));

  // CopyFrom with 0 takes the whole source whatever its position.
  TMemoryStream copy;
  copy.CopyFrom(memory, 0);
  EXPECT_EQ(copy.Bytes(), memory.Bytes());
  memory.SetPosition(1);
  TMemoryStream part;
  part.CopyFrom(memory, 2);
  EXPECT_EQ(part.Bytes(), (std::vector<uint8_t>{1, 2}));
  EXPECT_THROW(part.CopyFrom(memory, 100), EReadError);

  memory.SetSize(2);
  EXPECT_EQ(memory.Position(), 2);
  memory.Clear();
  EXPECT_EQ(memory.Size(), 0);
}

}  // namespace
}  // namespace kora
