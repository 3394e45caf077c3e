// Arbitrary bytes through the sanitiser, with the checks that need no second parser: the output
// is the input with bytes deleted (it never writes markup of its own), and a second pass finds
// nothing more to delete (no removal joined what stayed into something new).  A first byte of 1 to
// 4 is a config byte: the output is then also decoded as Shift_JIS, Big5, GBK or GB18030 (iconv,
// U+FFFD for what does not decode), as a browser would that ignored the UTF-8 declaration, and
// that reading, judged as UTF-8 alone, must hold nothing the sanitiser would remove.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "html/html_sanitiser.h"
#include "text/convert_to_utf8.h"

namespace {

const std::array<std::string, 4> kLegacyEncodings = {"CP932", "BIG5-HKSCS", "GBK", "GB18030"};

bool isSubsequence(std::string_view part, std::string_view whole) {
  std::size_t at = 0;
  for (char c : part) {
    at = whole.find(c, at);
    if (at == std::string_view::npos) return false;
    ++at;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const bool legacy = size > 0 && data[0] >= 1 && data[0] <= kLegacyEncodings.size();
  const std::size_t skipped = legacy ? 1 : 0;
  const std::string page(reinterpret_cast<const char*>(data) + skipped, size - skipped);
  const std::string safe = vellumine::html::sanitisePage(page);
  if (!isSubsequence(safe, page)) std::abort();
  if (vellumine::html::sanitisePage(safe) != safe) std::abort();
  if (!legacy) return 0;
  const std::optional<std::string> misread = vellumine::convertToUtf8(safe, kLegacyEncodings[data[0] - 1]);
  if (!misread) std::abort();
  if (vellumine::html::sanitisePage(*misread, vellumine::html::PageReadings::Utf8Only) != *misread) std::abort();
  return 0;
}
