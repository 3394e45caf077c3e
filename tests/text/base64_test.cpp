#include "text/base64.h"

#include <string>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

struct Base64Case {
  std::string_view bytes;
  std::string_view expected;
};

// The published test vectors, padding of both lengths, and bytes with the high bit set.
constexpr Base64Case kCases[] = {
    {"", ""},
    {"f", "Zg=="},
    {"fo", "Zm8="},
    {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="},
    {"fooba", "Zm9vYmE="},
    {"foobar", "Zm9vYmFy"},
    {std::string_view("\xFF\xFE\x00\x80", 4), "//4AgA=="},
    {"\xFB\xFF", "+/8="},
};

TEST(Base64, EncodesEveryGroupAndPadsTheLast) {
  for (const Base64Case& c : kCases) {
    std::string out = "data,";
    AppendBase64(out, c.bytes);
    EXPECT_EQ(out, "data," + std::string(c.expected)) << c.bytes;
    EXPECT_EQ(Base64Length(c.bytes.size()), c.expected.size());
  }
}

}  // namespace
}  // namespace vellumine
