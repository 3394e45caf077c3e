#include "support/picture_samples.h"

#include <tiffio.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace vellumine::test {

namespace {

void put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

void putRect(std::string& out, std::uint32_t left, std::uint32_t top, std::uint32_t right, std::uint32_t bottom) {
  for (std::uint32_t v : {left, top, right, bottom}) put32(out, v);
}

// EMR_HEADER of 108 bytes: bounds in device units, frame in 0.01 mm, the reference device.
std::string emfHeader(std::uint32_t fileBytes, std::uint32_t records) {
  std::string out;
  put32(out, 1);    // EMR_HEADER
  put32(out, 108);  // record size
  putRect(out, 0, 0, 99, 49);
  putRect(out, 0, 0, 2645, 1322);
  put32(out, 0x464D4520);  // " EMF"
  put32(out, 0x10000);     // version
  put32(out, fileBytes);
  put32(out, records);
  put16(out, 1);  // handles
  put16(out, 0);
  put32(out, 0);  // description: none
  put32(out, 0);
  put32(out, 0);  // palette entries
  put32(out, 1024);  // reference device, pixels
  put32(out, 768);
  put32(out, 270);  // and millimetres
  put32(out, 203);
  put32(out, 0);  // pixel format: none
  put32(out, 0);
  put32(out, 0);  // not OpenGL
  put32(out, 270000);  // micrometres
  put32(out, 203000);
  return out;
}

}  // namespace

std::string tinyEmf() {
  std::string rectangle;
  put32(rectangle, 43);  // EMR_RECTANGLE
  put32(rectangle, 24);
  putRect(rectangle, 10, 10, 90, 40);
  std::string end;
  put32(end, 14);  // EMR_EOF
  put32(end, 20);
  put32(end, 0);   // palette entries
  put32(end, 16);  // their offset
  put32(end, 20);  // this record's size again
  const auto total = static_cast<std::uint32_t>(108 + rectangle.size() + end.size());
  return emfHeader(total, 3) + rectangle + end;
}

std::string tinyWmf() {
  std::string records;
  auto record = [&records](std::uint16_t function, std::initializer_list<std::uint16_t> parameters) {
    put32(records, static_cast<std::uint32_t>(3 + parameters.size()));  // size in 16-bit words
    put16(records, function);
    for (std::uint16_t p : parameters) put16(records, p);
  };
  record(0x020B, {0, 0});          // META_SETWINDOWORG y, x
  record(0x020C, {100, 200});      // META_SETWINDOWEXT y, x
  record(0x041B, {80, 180, 20, 20});  // META_RECTANGLE bottom, right, top, left
  record(0x0000, {});              // META_EOF
  std::string placeable;
  put32(placeable, 0x9AC6CDD7);
  put16(placeable, 0);  // handle
  for (std::uint16_t v : {0, 0, 200, 100}) put16(placeable, v);  // bounds
  put16(placeable, 96);  // units per inch: one unit a pixel
  put32(placeable, 0);
  std::uint16_t checksum = 0;
  for (std::size_t i = 0; i < placeable.size(); i += 2) {
    checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(placeable[i]) | static_cast<unsigned char>(placeable[i + 1]) << 8);
  }
  put16(placeable, checksum);
  std::string header;
  put16(header, 1);       // in memory
  put16(header, 9);       // header words
  put16(header, 0x0300);  // version
  put32(header, static_cast<std::uint32_t>((18 + records.size()) / 2));
  put16(header, 0);  // objects
  put32(header, 7);  // largest record, words
  put16(header, 0);
  return placeable + header + records;
}

std::string tinyTiff(std::uint32_t width, std::uint32_t height) {
  char name[] = "/tmp/vellumine-tiff-XXXXXX";
  const int fd = ::mkstemp(name);
  if (fd < 0) return {};
  ::close(fd);
  if (TIFF* tiff = TIFFOpen(name, "w")) {
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 1);
    std::vector<unsigned char> row(std::size_t(width) * 3);
    for (std::uint32_t y = 0; y < height; ++y) {
      for (std::uint32_t x = 0; x < width; ++x) {
        row[x * 3] = static_cast<unsigned char>(x);
        row[x * 3 + 1] = static_cast<unsigned char>(y);
        row[x * 3 + 2] = 0x80;
      }
      TIFFWriteScanline(tiff, row.data(), y, 0);
    }
    TIFFClose(tiff);
  }
  std::ifstream in(name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  ::unlink(name);
  return bytes.str();
}

std::string tiffClaiming(std::uint32_t width, std::uint32_t height) {
  struct Entry {
    std::uint16_t tag, type;
    std::uint32_t count, value;
  };
  constexpr std::uint16_t kShort = 3, kLong = 4;
  const Entry entries[] = {
      {256, kLong, 1, width},    {257, kLong, 1, height}, {258, kShort, 1, 8},       {259, kShort, 1, 1},
      {262, kShort, 1, 2},       {273, kLong, 1, 8},      {277, kShort, 1, 3},       {278, kLong, 1, height},
      {279, kLong, 1, 16},
  };
  std::string out("II*\0", 4);
  const std::uint32_t directory = 8 + 16;  // after the header and the strip
  put32(out, directory);
  out += std::string(16, '\x7F');  // the strip
  put16(out, static_cast<std::uint32_t>(std::size(entries)));
  for (const Entry& e : entries) {
    put16(out, e.tag);
    put16(out, e.type);
    put32(out, e.count);
    put32(out, e.value);  // a short sits in the first two bytes, little-endian: the same bytes
  }
  put32(out, 0);  // no next directory
  return out;
}

}  // namespace vellumine::test
