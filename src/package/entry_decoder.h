// Decoding one entry's data (stored or raw DEFLATE) in fixed 32 KiB blocks into a writer,
// with a running CRC-32 and the entry's declared size as a hard ceiling.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "package/archive_file.h"
#include "package/kpzipobj.h"

namespace vellumine {

// The working buffers of one extraction run, allocated once and reused for every entry.
struct DecodeBuffers {
  static constexpr std::size_t kBlockSize = 32768;
  std::vector<std::byte> input = std::vector<std::byte>(kBlockSize);
  std::vector<std::byte> output = std::vector<std::byte>(kBlockSize);
};

struct DecodeResult {
  std::uint32_t crc = 0;
  std::uint64_t written = 0;
};

bool IsSupportedMethod(std::uint16_t compressionMethod);

// Reads entry.compressedSize() bytes from dataStart and hands each decoded block to write.
// progress runs before each block read.  Throws EFatalUnzipError (data ends early),
// EZCompressionError (corrupt DEFLATE data) and EBiggerThanUncompressed (more output than
// entry.uncompressedSize(); nothing past that size reaches write).
DecodeResult DecodeEntry(ArchiveFile& archive, std::uint64_t dataStart, const TZipHeaderInfo& entry,
                         DecodeBuffers& buffers, const std::function<void(std::span<const std::byte>)>& write,
                         const std::function<void()>& progress);

}  // namespace vellumine
