// Text in another encoding to UTF-8 through the C library's iconv (glibc's converters, so no
// package beyond libc).  Any input converts: a sequence that does not decode becomes U+FFFD and
// the conversion goes on after it.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vellumine {

// bytes, in the encoding iconv knows as encodingName, as UTF-8; nullopt when iconv knows no such
// encoding.  unitBytes is the encoding's code unit (2 for UTF-16, 4 for UTF-32): a unit that does
// not decode is skipped whole, so the rest stays aligned.  Linear in the size of bytes.
std::optional<std::string> convertToUtf8(std::string_view bytes, const std::string& encodingName,
                                         std::size_t unitBytes = 1);

}  // namespace vellumine
