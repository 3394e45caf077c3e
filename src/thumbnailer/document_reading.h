// The first stage of a thumbnail: the document read, in a child bounded by RLIMIT_AS.  It ends
// either with the thumbnail made from the document's own stored picture, or with the page that the
// second stage draws.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "thumbnailer/work_folder.h"

namespace vellumine {

// Exit statuses of the reading child (its work function's results).
inline constexpr int kThumbnailWritten = 0;  // work.thumbnail() holds the finished PNG
inline constexpr int kReadingFailed = 1;     // the reason went to standard error
inline constexpr int kPageToDraw = 3;        // work.page() holds the page to draw

// The most a document may unpack to, by its directory; a thumbnail is not worth more.
inline constexpr std::uint64_t kMaximumUnpackedBytes = 300ull * 1024 * 1024;

// Checks that input is a Word package (checkDocumentFile, then checkPackageFolder once unpacked
// into work.package()).  With a stored PNG or JPEG thumbnail that decodes, writes it to
// work.thumbnail() fitted within size (never enlarged).  Otherwise writes the finished faithful
// page, styled to show its first page alone, to work.page().  Throws what the checks, the
// extraction and the page throw (a foreign or damaged document).
int readDocumentForThumbnail(const std::filesystem::path& input, const WorkFolder& work, int size);

}  // namespace vellumine
