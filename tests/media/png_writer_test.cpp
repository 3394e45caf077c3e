#include "media/png_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

namespace vellumine::media {
namespace {

std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

struct Chunk {
  std::string type, data;
};

// The chunks of a PNG, each CRC checked; an empty list when the file is not a well-formed PNG.
std::vector<Chunk> chunksOf(std::string_view png) {
  std::vector<Chunk> chunks;
  if (png.substr(0, 8) != std::string_view("\x89PNG\r\n\x1a\n", 8)) return {};
  for (std::size_t at = 8; at < png.size();) {
    if (at + 12 > png.size()) return {};
    const std::uint32_t length = bigEndian32(png, at);
    if (at + 12 + length > png.size()) return {};
    const auto* typed = reinterpret_cast<const Bytef*>(png.data() + at + 4);
    if (crc32(0, typed, length + 4) != bigEndian32(png, at + 8 + length)) return {};
    chunks.push_back({std::string(png.substr(at + 4, 4)), std::string(png.substr(at + 8, length))});
    at += 12 + length;
  }
  return chunks;
}

// The rows the IDAT chunks hold, inflated.
std::string inflatedRows(const std::vector<Chunk>& chunks) {
  std::string compressed;
  for (const Chunk& c : chunks) {
    if (c.type == "IDAT") compressed += c.data;
  }
  std::string rows(1 << 22, '\0');
  uLongf size = rows.size();
  if (uncompress(reinterpret_cast<Bytef*>(rows.data()), &size, reinterpret_cast<const Bytef*>(compressed.data()),
                 compressed.size()) != Z_OK) {
    return {};
  }
  rows.resize(size);
  return rows;
}

std::string pixels(std::uint32_t width, std::uint32_t height, bool noise) {
  std::mt19937 random(7);
  std::string rgba(std::size_t(width) * height * 4, '\0');
  for (std::size_t i = 0; i < rgba.size(); ++i) rgba[i] = static_cast<char>(noise ? random() : i);
  return rgba;
}

// Each row is stored after a filter byte of 0.
std::string filteredRows(std::string_view rgba, std::uint32_t width) {
  std::string rows;
  for (std::size_t at = 0; at < rgba.size(); at += std::size_t(width) * 4) {
    rows += '\0';
    rows += rgba.substr(at, std::size_t(width) * 4);
  }
  return rows;
}

struct PngCase {
  const char* name;
  std::uint32_t width, height;
  bool noise;
  std::size_t idatChunks;  // at least this many
};

const PngCase kPngCases[] = {
    {"one pixel", 1, 1, false, 1},
    {"three by two", 3, 2, false, 1},
    {"noise past one chunk", 300, 300, true, 5},
};

TEST(PngWriter, WritesHeaderRowsAndEndWithGoodChecksums) {
  for (const PngCase& c : kPngCases) {
    const std::string rgba = pixels(c.width, c.height, c.noise);
    std::string png;
    ASSERT_TRUE(writePng(rgba, c.width, c.height, stringSink(png))) << c.name;
    const std::vector<Chunk> chunks = chunksOf(png);
    ASSERT_GE(chunks.size(), 3u) << c.name;
    EXPECT_EQ(chunks.front().type, "IHDR") << c.name;
    EXPECT_EQ(bigEndian32(chunks.front().data, 0), c.width) << c.name;
    EXPECT_EQ(bigEndian32(chunks.front().data, 4), c.height) << c.name;
    EXPECT_EQ(chunks.front().data.substr(8), std::string("\x08\x06\0\0\0", 5)) << c.name;
    EXPECT_EQ(chunks.back().type, "IEND") << c.name;
    EXPECT_GE(chunks.size() - 2, c.idatChunks) << c.name;
    EXPECT_EQ(inflatedRows(chunks), filteredRows(rgba, c.width)) << c.name;
  }
}

TEST(PngWriter, RefusesSizesThatDoNotMatchThePixels) {
  std::string png;
  EXPECT_FALSE(writePng(pixels(2, 2, false), 0, 2, stringSink(png)));
  EXPECT_FALSE(writePng(pixels(2, 2, false), 2, 0, stringSink(png)));
  EXPECT_FALSE(writePng(pixels(2, 2, false), 3, 2, stringSink(png)));
  EXPECT_FALSE(writePng(pixels(2, 2, false).substr(1), 2, 2, stringSink(png)));
  EXPECT_FALSE(writePng(pixels(2, 2, false), 0x80000000u, 1, stringSink(png)));
  EXPECT_TRUE(png.empty());
}

TEST(PngWriter, StopsWhenTheSinkRefuses) {
  int calls = 0;
  const ByteSink refusing = [&calls](std::string_view) { return ++calls < 3; };
  EXPECT_FALSE(writePng(pixels(300, 300, true), 300, 300, refusing));
  EXPECT_EQ(calls, 3);
}

}  // namespace
}  // namespace vellumine::media
