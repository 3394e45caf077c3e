// What one thumbnail may cost.  A file manager asks for thumbnails of whole folders at a time, so
// a document that needs more is given up on rather than allowed to stall the others.
#pragma once
#include <chrono>
#include <cstdint>
#include <optional>

namespace vellumine {

inline constexpr std::chrono::milliseconds kThumbnailTimeLimit{2000};
inline constexpr std::uint64_t kThumbnailMemoryLimit = 300ull * 1024 * 1024;

// VELLUMINE_THUMBNAILER_TIME_LIMIT_MS: the time limit for a machine too slow or too busy for the
// default (a test run shares its processors).  Digits from 1 to 600000; anything else is ignored.
inline constexpr char kTimeLimitVariable[] = "VELLUMINE_THUMBNAILER_TIME_LIMIT_MS";

// The limit that value (the variable's text, null when unset) gives.
std::chrono::milliseconds thumbnailTimeLimit(const char* value);

}  // namespace vellumine
