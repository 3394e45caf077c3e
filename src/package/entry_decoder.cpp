// Entry data into output blocks: stored data is copied, deflated data goes through zlib's raw
// inflate (window bits -15).  Input and output move in 32 KiB blocks, so an entry of any size
// needs the same memory; the declared size stops a decompression bomb at the first excess byte.
#include "package/entry_decoder.h"

#include <algorithm>

#include <zlib.h>

#include "package/zip_errors.h"

namespace vellumine {

namespace {

// Counts, checks and forwards one decoded block.
class OutputTally {
 public:
  OutputTally(std::uint64_t limit, const std::function<void(std::span<const std::byte>)>& write)
      : limit_(limit), write_(write) {}

  void emit(std::span<const std::byte> block) {
    if (block.empty()) return;
    if (block.size() > limit_ - result_.written) throw EBiggerThanUncompressed();
    result_.crc = static_cast<std::uint32_t>(
        crc32(result_.crc, reinterpret_cast<const Bytef*>(block.data()), static_cast<uInt>(block.size())));
    result_.written += block.size();
    write_(block);
  }
  const DecodeResult& result() const { return result_; }

 private:
  std::uint64_t limit_;
  const std::function<void(std::span<const std::byte>)>& write_;
  DecodeResult result_;
};

// Reads the next input block; the entry's range was checked against the archive, so a short
// read means the file changed or failed underneath.
std::span<const std::byte> readBlock(ArchiveFile& archive, std::uint64_t& position, std::uint64_t& remaining,
                                     std::vector<std::byte>& buffer, const std::function<void()>& progress) {
  if (progress) progress();
  std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, buffer.size()));
  std::span<std::byte> block(buffer.data(), want);
  if (!archive.readExactAt(position, block)) throw EFatalUnzipError();
  position += want;
  remaining -= want;
  return block;
}

void copyStored(ArchiveFile& archive, std::uint64_t position, std::uint64_t remaining, DecodeBuffers& buffers,
                OutputTally& tally, const std::function<void()>& progress) {
  while (remaining > 0) tally.emit(readBlock(archive, position, remaining, buffers.input, progress));
}

class RawInflater {
 public:
  RawInflater() {
    if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK) throw EZCompressionError();
  }
  ~RawInflater() { inflateEnd(&stream_); }
  RawInflater(const RawInflater&) = delete;
  RawInflater& operator=(const RawInflater&) = delete;
  z_stream& stream() { return stream_; }

 private:
  z_stream stream_{};
};

void inflateRaw(ArchiveFile& archive, std::uint64_t position, std::uint64_t remaining, DecodeBuffers& buffers,
                OutputTally& tally, const std::function<void()>& progress) {
  RawInflater inflater;
  z_stream& zs = inflater.stream();
  bool needInput = true;  // false while inflate may still hold output for a full buffer
  for (;;) {
    if (zs.avail_in == 0 && needInput) {
      if (remaining == 0) throw EFatalUnzipError();  // the stream wants more than the entry holds
      std::span<const std::byte> block = readBlock(archive, position, remaining, buffers.input, progress);
      zs.next_in = const_cast<Bytef*>(reinterpret_cast<const Bytef*>(block.data()));
      zs.avail_in = static_cast<uInt>(block.size());
    }
    zs.next_out = reinterpret_cast<Bytef*>(buffers.output.data());
    zs.avail_out = static_cast<uInt>(buffers.output.size());
    int rc = inflate(&zs, Z_NO_FLUSH);
    if (rc < 0 && rc != Z_BUF_ERROR) throw EZCompressionError();
    if (rc == Z_NEED_DICT) throw EZCompressionError();  // raw streams have no dictionary
    tally.emit(std::span<const std::byte>(buffers.output.data(), buffers.output.size() - zs.avail_out));
    if (rc == Z_STREAM_END) return;
    needInput = zs.avail_out != 0;
  }
}

}  // namespace

bool IsSupportedMethod(std::uint16_t compressionMethod) {
  return compressionMethod == kMethodStored || compressionMethod == kMethodDeflated;
}

DecodeResult DecodeEntry(ArchiveFile& archive, std::uint64_t dataStart, const TZipHeaderInfo& entry,
                         DecodeBuffers& buffers, const std::function<void(std::span<const std::byte>)>& write,
                         const std::function<void()>& progress) {
  OutputTally tally(entry.uncompressedSize(), write);
  if (entry.compressionMethod == kMethodStored) {
    copyStored(archive, dataStart, entry.compressedSize(), buffers, tally, progress);
  } else if (entry.compressedSize() > 0 || entry.uncompressedSize() > 0 || entry.hasDataDescriptor()) {
    // An empty file is sometimes stored as a deflated entry without any data: nothing to inflate.
    // With a data descriptor the zero sizes may only be placeholders, so that case is inflated.
    inflateRaw(archive, dataStart, entry.compressedSize(), buffers, tally, progress);
  }
  return tally.result();
}

}  // namespace vellumine
