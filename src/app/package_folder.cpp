// Package-folder naming: a document path in, the name of its folder below tmp out.
#include "app/package_folder.h"

namespace vellumine {

std::string packageFolderName(const std::filesystem::path& documentPath) {
  std::string name = documentPath.filename().string();
  if (std::size_t dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
  if (name.empty() || name == "." || name == "..") name.insert(0, "_");
  return name;
}

std::filesystem::path packageFolderFor(const std::filesystem::path& documentPath,
                                       const std::filesystem::path& tmpFolder) {
  return tmpFolder / packageFolderName(documentPath);
}

}  // namespace vellumine
