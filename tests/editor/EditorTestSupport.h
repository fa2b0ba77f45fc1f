#pragma once
// Program folders with stand-in packers, and sparse ROM images for the
// ROM-access tests.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor/DataImage.h"
#include "editor/RomBlock.h"
#include "framework/TempFolder.h"

namespace kora::test {

// A packer that "packs" and "unpacks" by copying, so blocks are readable.
inline const char* const kCopyPacker = "cat \"$2\" > \"$3\"\n";

// Makes <dir>prog/ with Tool/, RomData/ and Data/; returns it with a '/'.
inline std::string MakeProgramFolder(const std::string& dir) {
  const std::string folder = dir + "prog/";
  for (const char* sub : {"Tool", "RomData", "Data"}) std::filesystem::create_directories(folder + sub);
  return folder;
}

// Installs a shell script as Tool/agblz; $1 is the mode, $2 in, $3 out.
inline void WritePacker(const std::string& programFolder, const std::string& body) {
  const std::string path = programFolder + "Tool/agblz";
  std::ofstream(path) << "#!/bin/sh\n" << body;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
}

inline void PutBytes(const std::string& path, uint64_t offset, const std::string& bytes) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(static_cast<std::streamoff>(offset));
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string GetBytes(const std::string& path, uint64_t offset, std::size_t count) {
  std::ifstream file(path, std::ios::binary);
  file.seekg(static_cast<std::streamoff>(offset));
  std::string bytes(count, '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return bytes;
}

inline std::string U32(uint32_t value) {
  return std::string{static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                     static_cast<char>(value >> 24)};
}
inline void PutU32(const std::string& path, uint64_t offset, uint32_t value) { PutBytes(path, offset, U32(value)); }
inline uint32_t GetU32(const std::string& path, uint64_t offset) {
  const std::string b = GetBytes(path, offset, 4);
  return static_cast<uint8_t>(b[0]) | static_cast<uint8_t>(b[1]) << 8 | static_cast<uint8_t>(b[2]) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[3])) << 24;
}

// A zero-filled sparse file of the given size.
inline void MakeSparseFile(const std::string& path, uint64_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc);
  std::filesystem::resize_file(path, size);
}

// Room after the block sites so that test blocks fit inside the file.
inline constexpr uint64_t kRomSize = kPrimaryWriteBackOffset + 0x40000;

// Primary layout: the probe at 0x2353B8 is the start pointer 0x015D8000.
inline void MakePrimaryRom(const std::string& path, const std::string& block, uint64_t size = kRomSize) {
  MakeSparseFile(path, size);
  PutU32(path, kPrimaryPointerTable, kPrimaryProbeValue);
  PutU32(path, kPrimaryPointerTable + 4, kPrimaryProbeValue + static_cast<uint32_t>(block.size()));
  PutBytes(path, kPrimaryProbeValue, block);
}

// Alternate layout: the pair at 0x1223B8 points at a block at `start`.
inline void MakeAltRom(const std::string& path, uint32_t start, const std::string& block) {
  MakeSparseFile(path, kRomSize);
  PutU32(path, kProbeOffset, 0x12345678);
  PutU32(path, kAltPointerTable, start);
  PutU32(path, kAltPointerTable + 4, start + static_cast<uint32_t>(block.size()));
  PutBytes(path, start, block);
}

// A primary-layout ROM whose pointer pair is entry 3 of an allocation
// table; the next file starts at kNextFileStart, 0x20000 after the block.
inline constexpr uint32_t kNextFileStart = kPrimaryWriteBackOffset + 0x20000;
inline void MakeRomWithFat(const std::string& rom, const std::string& block) {
  MakePrimaryRom(rom, block);
  const uint32_t fat = kPrimaryPointerTable - 3 * 8;
  PutU32(rom, kFatOffsetField, fat);
  PutU32(rom, kFatSizeField, 6 * 8);
  const auto blockEnd = kPrimaryWriteBackOffset + static_cast<uint32_t>(block.size());
  const uint32_t files[6][2] = {{0x4000, 0x5000},
                                {kNextFileStart + 0x100, kNextFileStart + 0x200},
                                {0x8000, 0x9000},
                                {kPrimaryWriteBackOffset, blockEnd},
                                {kNextFileStart, kNextFileStart + 0x100},
                                {0, 0}};
  for (uint32_t i = 0; i < 6; ++i) {
    PutU32(rom, fat + 8 * i, files[i][0]);
    PutU32(rom, fat + 8 * i + 4, files[i][1]);
  }
}

// FNV-1a over the whole file, to prove a ROM was left byte-for-byte alone.
inline uint64_t Digest(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  uint64_t hash = 1469598103934665603ull;
  char buffer[1 << 16];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    for (std::streamsize i = 0; i < file.gcount(); ++i) {
      hash = (hash ^ static_cast<uint8_t>(buffer[i])) * 1099511628211ull;
    }
  }
  return hash ^ std::filesystem::file_size(path);
}

// A recognisable byte pattern of the given length. It starts like a packed
// block of its own length (type 0x10), so that the copy packer's blocks pass
// the header check of an open.
inline std::string Pattern(std::size_t size, int seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + static_cast<std::size_t>(seed)) & 0xFF);
  const std::string header{static_cast<char>(kBlockTypeLz10), static_cast<char>(size), static_cast<char>(size >> 8),
                           static_cast<char>(size >> 16)};
  return header.substr(0, size) + bytes.substr(std::min<std::size_t>(size, 4));
}

inline DataImage ToImage(const std::string& bytes) { return DataImage(bytes.begin(), bytes.end()); }

}  // namespace kora::test
