// UTF-8 in two uses: decoded to UTF-16 for the few texts shown in the window's own controls (title
// and author in the status bar), and made valid where a document part enters the program (the
// passes themselves never decode the document text).
#pragma once
#include <string>
#include <string_view>

namespace vellumine {

// Invalid or truncated sequences become U+FFFD; never fails.
std::u16string Utf8ToWide(std::string_view s);

// The text with each ill-formed sequence replaced by U+FFFD, one per maximal invalid subpart, as
// Utf8ToWide reads it; valid text comes back as it went in, without a copy.
std::string ValidUtf8(std::string text);

// U+FFFD, the replacement character, in UTF-8.
inline constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";

}  // namespace vellumine
