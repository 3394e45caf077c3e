// Arbitrary bytes through the sanitiser, with the checks that need no second parser: the output
// is the input with bytes deleted (it never writes markup of its own), and a second pass finds
// nothing more to delete (no removal joined what stayed into something new).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "html/html_sanitiser.h"

namespace {

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
  const std::string page(reinterpret_cast<const char*>(data), size);
  const std::string safe = vellumine::html::sanitisePage(page);
  if (!isSubsequence(safe, page)) std::abort();
  if (vellumine::html::sanitisePage(safe) != safe) std::abort();
  return 0;
}
