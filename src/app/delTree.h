// deleteFolderTree: removes a package folder with everything below it, and nothing else.
#pragma once
#include <filesystem>

namespace vellumine {

// Deletes everything below folder and then folder itself, but only when folder lies strictly
// inside root (after resolving the symbolic links above it); anything else is left alone.
// Symbolic links met on the way are removed, never followed.  Folders are made writable for
// their owner first, so read-only folders recreated from an archive go too.  Entries that cannot
// be deleted are skipped.  Returns true when folder no longer exists afterwards.
bool deleteFolderTree(const std::filesystem::path& folder, const std::filesystem::path& root);

// True when path names an entry strictly below root: not root itself, not above it, not beside
// it, and no symbolic link on the way leads out of it.  The last component of path is not
// resolved, so a link placed inside root counts as inside.
bool isStrictlyInside(const std::filesystem::path& path, const std::filesystem::path& root);

}  // namespace vellumine
