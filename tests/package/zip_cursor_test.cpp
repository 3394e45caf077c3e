// ZipCursor: little-endian values and a failure that stays once a read runs past the end.
#include "package/zip_cursor.h"

#include <array>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

std::array<std::byte, 8> bytesOf(std::array<unsigned char, 8> raw) {
  std::array<std::byte, 8> out{};
  for (std::size_t i = 0; i < raw.size(); ++i) out[i] = std::byte{raw[i]};
  return out;
}

TEST(ZipCursor, ReadsLittleEndianValues) {
  auto data = bytesOf({0x50, 0x4B, 0x05, 0x06, 0x01, 0x02, 0xFF, 0x80});
  ZipCursor c(data);
  EXPECT_EQ(c.u32(), 0x06054B50u);
  EXPECT_EQ(c.u16(), 0x0201u);
  EXPECT_EQ(c.u16(), 0x80FFu);
  EXPECT_TRUE(c.ok());
  c.seek(0);
  EXPECT_EQ(c.u64(), 0x80FF020106054B50ull);
}

TEST(ZipCursor, FailureStaysAndLaterReadsGiveZero) {
  auto data = bytesOf({1, 2, 3, 4, 5, 6, 7, 8});
  ZipCursor c(data);
  c.seek(6);
  EXPECT_EQ(c.u32(), 0u);  // only two bytes left
  EXPECT_FALSE(c.ok());
  c.seek(0);
  EXPECT_EQ(c.u16(), 0u);
  EXPECT_FALSE(c.ok());
  EXPECT_EQ(c.remaining(), 0u);
}

TEST(ZipCursor, HugeLengthsFailWithoutWrapping) {
  auto data = bytesOf({1, 2, 3, 4, 5, 6, 7, 8});
  ZipCursor c(data);
  c.skip(4);
  EXPECT_TRUE(c.bytes(SIZE_MAX - 2).empty());
  EXPECT_FALSE(c.ok());
}

}  // namespace
}  // namespace vellumine
