// UTF-8 to UTF-16 for the few texts shown in the window's own controls (title and author in the
// status bar).  The document text itself is never decoded.
#pragma once
#include <string>
#include <string_view>

namespace vellumine {

// Invalid or truncated sequences become U+FFFD; never fails.
std::u16string Utf8ToWide(std::string_view s);

}  // namespace vellumine
