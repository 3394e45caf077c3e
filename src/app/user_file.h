// Reading and writing the small per-user files of the viewer (the recent list, desktop entries,
// mimeapps.list): a missing file told apart from an unreadable one, and replacement in one step so
// that a crash, a full disk or a failed write never leaves half a file behind.
#pragma once
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

namespace vellumine {

enum class FileRead { Missing, Read, Unreadable };

// The first limit bytes of path into bytes (emptied first).  Missing: nothing exists there.
// Unreadable: something exists there but is no regular file or cannot be read.
FileRead ReadUserFile(const std::filesystem::path& path, std::string& bytes,
                      std::size_t limit = std::numeric_limits<std::size_t>::max());

// Writes bytes to a temporary file beside path and renames it over path.  The folders above path
// are created when missing.  A path that is a symbolic link is written through: its target gets
// the new bytes and the link stays.  An existing file keeps its mode bits; a new one gets newMode.
// Throws EInOutError naming path when any step fails; path is then unchanged.
void ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes, mode_t newMode = 0644);

// Whether the mode bits of path, or of the nearest folder above it that exists, keep it from being
// written: a file without any write bit, or a folder the current user may not create files in.
// Root bypasses permissions, so for root a missing write bit in every class counts as read-only.
bool DeniesWriting(const std::filesystem::path& path);

}  // namespace vellumine
