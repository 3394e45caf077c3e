// libtiff reads through client procedures over the bytes in memory; its messages are silenced
// (the child's standard error is closed anyway, but the fuzz target runs in-process).
#include "media/tiff_to_png.h"

#include <tiffio.h>

#include <cstring>
#include <memory>
#include <vector>

#include "media/png_writer.h"

namespace vellumine::media {

namespace {

struct MemoryFile {
  std::string_view bytes;
  toff_t at = 0;
};

MemoryFile& fileOf(thandle_t handle) { return *static_cast<MemoryFile*>(handle); }

tmsize_t readBytes(thandle_t handle, void* buffer, tmsize_t size) {
  MemoryFile& file = fileOf(handle);
  if (size <= 0 || file.at >= file.bytes.size()) return 0;
  const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(size), file.bytes.size() - file.at);
  std::memcpy(buffer, file.bytes.data() + file.at, count);
  file.at += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t writeNothing(thandle_t, void*, tmsize_t) { return 0; }

toff_t seekTo(thandle_t handle, toff_t offset, int whence) {
  MemoryFile& file = fileOf(handle);
  toff_t base = 0;
  if (whence == SEEK_CUR) base = file.at;
  if (whence == SEEK_END) base = file.bytes.size();
  // libtiff passes negative offsets as large unsigned values; the sum wraps back as intended.
  file.at = base + offset;
  return file.at;
}

int closeNothing(thandle_t) { return 0; }
toff_t sizeOf(thandle_t handle) { return fileOf(handle).bytes.size(); }
int mapNothing(thandle_t, void**, toff_t*) { return 0; }
void unmapNothing(thandle_t, void*, toff_t) {}

void silence(const char*, const char*, va_list) {}

struct TiffCloser {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

// libtiff packs a pixel as A<<24 | B<<16 | G<<8 | R; the PNG wants the bytes R, G, B, A.
void toRgbaBytes(std::vector<std::uint32_t>& raster) {
  for (std::uint32_t& pixel : raster) {
    const unsigned char bytes[4] = {static_cast<unsigned char>(TIFFGetR(pixel)), static_cast<unsigned char>(TIFFGetG(pixel)),
                                    static_cast<unsigned char>(TIFFGetB(pixel)), static_cast<unsigned char>(TIFFGetA(pixel))};
    std::memcpy(&pixel, bytes, 4);
  }
}

}  // namespace

bool tiffToPng(std::string_view tiffBytes, const ByteSink& sink) {
  TIFFSetErrorHandler(silence);
  TIFFSetWarningHandler(silence);
  MemoryFile file{tiffBytes};
  // "m": no memory mapping, the client procedures are the only way in.
  std::unique_ptr<TIFF, TiffCloser> tiff(TIFFClientOpen("picture", "rm", &file, readBytes, writeNothing, seekTo,
                                                        closeNothing, sizeOf, mapNothing, unmapNothing));
  if (!tiff) return false;
  std::uint32_t width = 0, height = 0;
  if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height)) return false;
  if (width == 0 || height == 0 || std::uint64_t(width) * height > kMaxTiffPixels) return false;
  std::vector<std::uint32_t> raster(std::size_t(width) * height);
  if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, raster.data(), ORIENTATION_TOPLEFT, 0)) return false;
  toRgbaBytes(raster);
  const std::string_view rgba(reinterpret_cast<const char*>(raster.data()), raster.size() * 4);
  return writePng(rgba, width, height, sink);
}

}  // namespace vellumine::media
