// The signatures of the converted formats.  Each test needs only a few bytes at fixed offsets, so
// a file is never read whole to be told apart.
#include "media/picture_format.h"

#include <cstdint>

namespace vellumine::media {

namespace {

std::uint32_t littleEndian32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}

std::uint16_t littleEndian16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// EMR_HEADER (type 1) opens every enhanced metafile; its signature field at 40 reads " EMF".
bool isEmf(std::string_view bytes) {
  return bytes.size() >= 44 && littleEndian32(bytes, 0) == 1 && bytes.substr(40, 4) == " EMF";
}

// A placeable metafile starts with its key 0x9AC6CDD7; a plain one with its header: type 1
// (memory) or 2 (disk), a header of 9 words, version 0x0100 or 0x0300.
bool isWmf(std::string_view bytes) {
  if (bytes.size() >= 4 && littleEndian32(bytes, 0) == 0x9AC6CDD7u) return true;
  if (bytes.size() < 6) return false;
  const std::uint16_t type = littleEndian16(bytes, 0), headerWords = littleEndian16(bytes, 2);
  const std::uint16_t version = littleEndian16(bytes, 4);
  return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

// "II" or "MM", then 42 (TIFF) or 43 (BigTIFF) in that byte order.
bool isTiff(std::string_view bytes) {
  if (bytes.size() < 4) return false;
  const std::string_view start = bytes.substr(0, 4);
  return start == std::string_view("II*\0", 4) || start == std::string_view("MM\0*", 4) ||
         start == std::string_view("II+\0", 4) || start == std::string_view("MM\0+", 4);
}

}  // namespace

PictureFormat pictureFormatOf(std::string_view firstBytes) {
  if (isEmf(firstBytes)) return PictureFormat::emf;
  if (isTiff(firstBytes)) return PictureFormat::tiff;
  if (isWmf(firstBytes)) return PictureFormat::wmf;
  return PictureFormat::other;
}

std::string_view convertedExtension(PictureFormat format) {
  switch (format) {
    case PictureFormat::emf:
    case PictureFormat::wmf: return "svg";
    case PictureFormat::tiff: return "png";
    case PictureFormat::other: return "";
  }
  return "";
}

}  // namespace vellumine::media
