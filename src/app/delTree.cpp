// Folder deletion for package folders: a guarded recursive delete that stays below the viewer's
// tmp folder whatever the folder's name or the links inside it.
#include "app/delTree.h"

#include <algorithm>
#include <system_error>

namespace vellumine {

namespace {

namespace fs = std::filesystem;

bool isOwnName(const fs::path& name) {
  return !name.empty() && name != "." && name != "..";
}

// Component-wise prefix test on two canonical paths.
bool startsWith(const fs::path& path, const fs::path& prefix) {
  return std::mismatch(prefix.begin(), prefix.end(), path.begin(), path.end()).first == prefix.end();
}

void makeOwnerWritable(const fs::path& folder) {
  std::error_code ec;
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
}

// Depth-first; a link is an entry like a file, so nothing outside the tree is ever visited.
void removeTree(const fs::path& folder) {
  makeOwnerWritable(folder);
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code statusEc;
    if (fs::is_directory(it->symlink_status(statusEc))) removeTree(it->path());
    std::error_code removeEc;
    fs::remove(it->path(), removeEc);
  }
  fs::remove(folder, ec);
}

}  // namespace

bool isStrictlyInside(const fs::path& path, const fs::path& root) {
  fs::path normal = path.lexically_normal();
  if (!normal.has_filename()) normal = normal.parent_path();  // "a/b/" names b
  if (!isOwnName(normal.filename())) return false;
  std::error_code ec;
  fs::path realRoot = fs::canonical(root, ec);
  if (ec) return false;
  fs::path realParent = fs::weakly_canonical(normal.parent_path(), ec);
  if (ec) return false;
  return startsWith(realParent, realRoot);
}

bool deleteFolderTree(const fs::path& folder, const fs::path& root) {
  if (!isStrictlyInside(folder, root)) return false;
  fs::path target = folder.lexically_normal();
  if (!target.has_filename()) target = target.parent_path();
  std::error_code ec;
  fs::file_status status = fs::symlink_status(target, ec);
  if (!fs::exists(status)) return true;
  if (fs::is_directory(status)) {
    removeTree(target);
  } else {
    fs::remove(target, ec);
  }
  return !fs::exists(fs::symlink_status(target, ec));
}

}  // namespace vellumine
