#include "thumbnailer/thumbnail_limits.h"

#include <string_view>

namespace vellumine {

namespace {

constexpr long kLongestLimit = 600000;  // ten minutes

}  // namespace

std::chrono::milliseconds thumbnailTimeLimit(const char* value) {
  if (value == nullptr || *value == '\0') return kThumbnailTimeLimit;
  long milliseconds = 0;
  for (const char ch : std::string_view(value)) {
    if (ch < '0' || ch > '9') return kThumbnailTimeLimit;
    milliseconds = milliseconds * 10 + (ch - '0');
    if (milliseconds > kLongestLimit) return kThumbnailTimeLimit;
  }
  if (milliseconds == 0) return kThumbnailTimeLimit;
  return std::chrono::milliseconds(milliseconds);
}

}  // namespace vellumine
