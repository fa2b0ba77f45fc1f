// TbsCompressedStoredSkin: building the archive from a skin folder, the
// compressed skin file, the design-time setters and the form property.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/TempFolder.h"
#include "framework/core/Filer.h"
#include "framework/core/FormText.h"
#include "skin/SkinTestSupport.h"
#include "skin/data/bszlib.h"

namespace kora {
namespace {

using test::BmpBytes;
using test::MakeSkinFolder;
using test::SamplePictures;
using test::SampleSkinIni;

std::string Inflated(TbsCompressedStoredSkin& stored) {
  TMemoryStream archive;
  stored.InflateInto(archive);
  return std::string(archive.Bytes().begin(), archive.Bytes().end());
}

std::string Compressed(TbsCompressedStoredSkin& stored) {
  const auto& bytes = stored.CompressedStream().Bytes();
  return std::string(bytes.begin(), bytes.end());
}

uint32_t Le32At(const std::string& bytes, std::size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes.at(at + i));
  return value;
}

TEST(StoredSkin, BuildWritesTheArchiveLayout) {
  const std::string folder = test::TempFolder();
  std::string ini = SampleSkinIni();
  ini.pop_back();  // no final line break; the builder adds one
  TbsCompressedStoredSkin stored(nullptr);
  EXPECT_TRUE(stored.IsEmpty());
  stored.BuildFromSkinFolder(MakeSkinFolder(folder, ini, SamplePictures()));
  ASSERT_FALSE(stored.IsEmpty());
  const std::string packed = Compressed(stored);
  EXPECT_EQ(packed.substr(0, 2), "\x78\xDA");

  const std::string archive = Inflated(stored);
  EXPECT_EQ(Le32At(archive, 0), 3u);
  std::size_t at = 4;
  EXPECT_EQ(archive[at], 0);  // main picture present
  EXPECT_EQ(archive.substr(at + 1, 2), "BM");
  at += 1 + Le32At(archive, at + 3);
  EXPECT_EQ(archive[at], 1);  // empty "inactivepicture": flag only
  ++at;
  EXPECT_EQ(archive[at], 0);  // the mask follows at once
  EXPECT_EQ(archive.substr(at + 1, 2), "BM");
  EXPECT_EQ(static_cast<uint8_t>(archive[at + 1 + 28]), 8);  // bit depth kept
  at += 1 + Le32At(archive, at + 3);
  EXPECT_EQ(Le32At(archive, at), 3u);
  at += 4;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(archive.substr(at, 2), "BM");
    at += Le32At(archive, at + 2);
  }
  const std::string text = archive.substr(at);
  EXPECT_EQ(text.substr(0, 17), "[VERSION]\r\nver=3\r");
  EXPECT_TRUE(text.ends_with("\r\nclientrect=2,2,38,18\r\n"));
  EXPECT_EQ(text.find("\n["), text.find("\r\n[") + 1);

  // Recompressing at level 9 gives back the stored bytes.
  TMemoryStream source;
  source.WriteBuffer(archive.data(), static_cast<int64_t>(archive.size()));
  TMemoryStream again;
  DeflateMemoryStream(source, again);
  EXPECT_EQ(std::string(again.Bytes().begin(), again.Bytes().end()), packed);
}

TEST(StoredSkin, BuildNeedsEverySectionAndEveryPicture) {
  const std::string folder = test::TempFolder();
  TbsCompressedStoredSkin stored(nullptr);
  test::StoreCompressed(stored, "previous");

  std::string ini = SampleSkinIni();
  ini = ini.substr(0, ini.find("[SKINCONTROLS]"));
  stored.BuildFromSkinFolder(MakeSkinFolder(folder + "a", ini, SamplePictures()));
  EXPECT_EQ(Compressed(stored), "previous");

  auto pictures = SamplePictures();
  pictures.pop_back();  // buttons.bmp, the last active picture
  EXPECT_THROW(stored.BuildFromSkinFolder(MakeSkinFolder(folder + "b", SampleSkinIni(), pictures)), EFOpenError);
  EXPECT_TRUE(stored.IsEmpty());

  pictures.emplace_back("buttons.bmp", "");
  EXPECT_THROW(stored.BuildFromSkinFolder(MakeSkinFolder(folder + "c", SampleSkinIni(), pictures)), EInvalidGraphic);
  EXPECT_TRUE(stored.IsEmpty());
}

// A skin.ini saved with a UTF-8 byte-order mark still has its [VERSION].
TEST(StoredSkin, AByteOrderMarkedSkinIniBuildsAndLoads) {
  const std::string folder = test::TempFolder();
  TbsCompressedStoredSkin stored(nullptr);
  stored.BuildFromSkinFolder(MakeSkinFolder(folder, "\xEF\xBB\xBF" + SampleSkinIni(), SamplePictures()));
  ASSERT_FALSE(stored.IsEmpty());
  TbsSkinData data(nullptr);
  data.LoadFromStoredSkin(&stored);
  EXPECT_FALSE(data.Empty());
  EXPECT_EQ(data.VersionInfo().SkinName, "Sample");
}

TEST(StoredSkin, CompressedSkinFilesRoundTrip) {
  const std::string folder = test::TempFolder();
  TbsCompressedStoredSkin stored(nullptr);
  stored.BuildFromSkinFolder(MakeSkinFolder(folder, SampleSkinIni(), SamplePictures()));
  stored.ExportCompressedFile(folder + "skin.skn");
  const std::string file = test::ReadFileBytes(folder + "skin.skn");
  EXPECT_EQ(Le32At(file, 0), 3u);
  EXPECT_EQ(Le32At(file, 4), file.size() - 8);

  TbsCompressedStoredSkin imported(nullptr);
  test::WriteFileBytes(folder + "tail.skn", file + "trailing bytes");
  imported.ImportCompressedFile(folder + "tail.skn");
  EXPECT_EQ(Compressed(imported), Compressed(stored));

  std::string newer = file;
  newer[0] = 4;
  test::WriteFileBytes(folder + "newer.skn", newer);
  imported.ImportCompressedFile(folder + "newer.skn");
  EXPECT_TRUE(imported.IsEmpty());

  // A length of 0 is no data, not the whole file.
  test::WriteFileBytes(folder + "zero.skn", std::string("\3\0\0\0\0\0\0\0xyz", 11));
  imported.ImportCompressedFile(folder + "zero.skn");
  EXPECT_TRUE(imported.IsEmpty());

  test::WriteFileBytes(folder + "short.skn", file.substr(0, file.size() - 1));
  imported.ImportCompressedFile(folder + "tail.skn");
  EXPECT_THROW(imported.ImportCompressedFile(folder + "short.skn"), EReadError);
  EXPECT_TRUE(imported.IsEmpty());
}

TEST(StoredSkin, SettersWorkOnlyAtDesignTime) {
  const std::string folder = test::TempFolder();
  const std::string iniPath = MakeSkinFolder(folder, SampleSkinIni(), SamplePictures());
  TbsCompressedStoredSkin stored(nullptr);
  stored.SetFileName(iniPath);
  EXPECT_EQ(stored.FileName(), iniPath);
  EXPECT_TRUE(stored.IsEmpty());

  stored.SetDesigning(true);
  stored.SetFileName(iniPath);
  EXPECT_EQ(stored.FileName(), "skin.ini");
  EXPECT_FALSE(stored.IsEmpty());

  stored.ExportCompressedFile(folder + "copy.skn");
  TbsCompressedStoredSkin other(nullptr);
  other.SetCompressedFileName(folder + "copy.skn");
  EXPECT_TRUE(other.IsEmpty());
  other.SetDesigning(true);
  other.SetCompressedFileName(folder + "copy.skn");
  EXPECT_EQ(other.CompressedFileName(), "copy.skn");
  EXPECT_EQ(Compressed(other), Compressed(stored));
}

TEST(StoredSkin, CompressedDataTravelsAsABinaryFormProperty) {
  RegisterClass(TbsCompressedStoredSkin::StaticClass());
  TbsCompressedStoredSkin stored(nullptr);
  stored.SetName("bsCompressedStoredSkin1");
  stored.SetFileName("skin.ini");
  const std::string payload = test::Deflate(std::string(5000, 'k'));
  test::StoreCompressed(stored, payload);

  TMemoryStream form;
  WriteComponent(form, &stored);
  const std::string bytes(form.Bytes().begin(), form.Bytes().end());
  const std::size_t name = bytes.find(
      "\x0E"
      "CompressedData");
  ASSERT_NE(name, std::string::npos);
  const std::size_t value = name + 15;
  EXPECT_EQ(bytes[value], 0x0A);
  EXPECT_EQ(Le32At(bytes, value + 1), payload.size());
  EXPECT_EQ(bytes.substr(value + 5, payload.size()), payload);

  form.SetPosition(0);
  std::unique_ptr<TComponent> copy(ReadComponent(form));
  auto* read = dynamic_cast<TbsCompressedStoredSkin*>(copy.get());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->FileName(), "skin.ini");
  EXPECT_EQ(Compressed(*read), payload);

  // An empty archive is written as well.
  TbsCompressedStoredSkin empty(nullptr);
  TMemoryStream emptyForm;
  WriteComponent(emptyForm, &empty);
  const std::string emptyBytes(emptyForm.Bytes().begin(), emptyForm.Bytes().end());
  EXPECT_NE(emptyBytes.find(std::string("CompressedData\x0A\0\0\0\0", 19)), std::string::npos);
}

// A damaged form description: the skin data loads its skin while the form
// is read, and a stream the loader cannot use ends the read with an error.
TEST(StoredSkin, ADamagedArchiveInAFormStreamRaises) {
  RegisterClass(TComponent::StaticClass());
  RegisterClass(TbsCompressedStoredSkin::StaticClass());
  RegisterClass(TbsSkinData::StaticClass());
  for (const char* data : {"78200000000100000000000000", "789C4B"}) {
    const std::string text = std::string("object Host: TComponent\n  object Stored: TbsCompressedStoredSkin\n") +
                             "    CompressedData = {" + data +
                             "}\n  end\n  object Skin: TbsSkinData\n    CompressedStoredSkin = Stored\n  end\nend\n";
    EXPECT_THROW(std::unique_ptr<TComponent>(ReadComponentText(text)), EDecompressionError) << data;
  }
}

}  // namespace
}  // namespace kora
