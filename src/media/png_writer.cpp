// The smallest correct PNG: IHDR, the rows compressed as one zlib stream cut into IDAT chunks of
// at most 64 KiB (filter byte 0 before each row), IEND.  Each chunk's CRC is zlib's crc32.
#include "media/png_writer.h"

#include <zlib.h>

#include <string>

namespace vellumine::media {

namespace {

constexpr std::size_t kChunkBytes = 65536;

void appendBigEndian32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

bool writeChunk(const ByteSink& sink, std::string_view type, std::string_view data) {
  std::string chunk;
  chunk.reserve(12 + data.size());
  appendBigEndian32(chunk, static_cast<std::uint32_t>(data.size()));
  chunk += type;
  chunk += data;
  const auto* checked = reinterpret_cast<const Bytef*>(chunk.data() + 4);
  appendBigEndian32(chunk, static_cast<std::uint32_t>(crc32(0, checked, static_cast<uInt>(chunk.size() - 4))));
  return sink(chunk);
}

std::string headerData(std::uint32_t width, std::uint32_t height) {
  std::string data;
  appendBigEndian32(data, width);
  appendBigEndian32(data, height);
  data += '\x08';                // 8 bits per sample
  data += '\x06';                // RGBA
  data += std::string(3, '\0');  // deflate, adaptive filtering, no interlace
  return data;
}

// One zlib stream whose output leaves as IDAT chunks whenever a chunk's worth is ready.
class IdatWriter {
 public:
  explicit IdatWriter(const ByteSink& sink) : sink_(sink) { ok_ = deflateInit(&stream_, Z_DEFAULT_COMPRESSION) == Z_OK; }
  ~IdatWriter() { deflateEnd(&stream_); }
  IdatWriter(const IdatWriter&) = delete;
  IdatWriter& operator=(const IdatWriter&) = delete;

  bool add(const void* bytes, std::size_t size) { return run(bytes, size, Z_NO_FLUSH); }
  bool finish() { return run(nullptr, 0, Z_FINISH) && (pending_.empty() || writeChunk(sink_, "IDAT", pending_)); }

 private:
  bool run(const void* bytes, std::size_t size, int flush) {
    if (!ok_) return false;
    // zlib's interface is not const; it only reads the input.
    stream_.next_in = static_cast<Bytef*>(const_cast<void*>(bytes));
    stream_.avail_in = static_cast<uInt>(size);
    for (;;) {
      pending_.resize(kChunkBytes);
      const std::size_t had = used_;
      stream_.next_out = reinterpret_cast<Bytef*>(pending_.data() + had);
      stream_.avail_out = static_cast<uInt>(kChunkBytes - had);
      const int status = deflate(&stream_, flush);
      used_ = kChunkBytes - stream_.avail_out;
      pending_.resize(used_);
      if (status == Z_STREAM_ERROR) return ok_ = false;
      if (used_ == kChunkBytes) {
        if (!writeChunk(sink_, "IDAT", pending_)) return ok_ = false;
        pending_.clear();
        used_ = 0;
        continue;
      }
      if (flush == Z_FINISH ? status == Z_STREAM_END : stream_.avail_in == 0) return true;
    }
  }

  const ByteSink& sink_;
  z_stream stream_{};
  std::string pending_;
  std::size_t used_ = 0;
  bool ok_ = false;
};

}  // namespace

bool writePng(std::string_view rgba, std::uint32_t width, std::uint32_t height, const ByteSink& sink) {
  if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
  const std::size_t rowBytes = std::size_t(width) * 4;
  if (rgba.size() % rowBytes != 0 || rgba.size() / rowBytes != height) return false;
  if (!sink(std::string_view("\x89PNG\r\n\x1a\n", 8)) || !writeChunk(sink, "IHDR", headerData(width, height))) return false;
  IdatWriter idat(sink);
  const unsigned char noFilter = 0;
  for (std::uint32_t row = 0; row < height; ++row) {
    if (!idat.add(&noFilter, 1) || !idat.add(rgba.data() + row * rowBytes, rowBytes)) return false;
  }
  return idat.finish() && writeChunk(sink, "IEND", {});
}

}  // namespace vellumine::media
