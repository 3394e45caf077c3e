#include "package/package_workspace.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "package/zip_errors.h"

namespace vellumine::test {

PackageWorkspace::PackageWorkspace(const std::string& archiveBytes) {
  std::ofstream(archive(), std::ios::binary) << archiveBytes;
}

int PackageWorkspace::extract(const std::function<void(TVCLUnZip&)>& configure) const {
  TVCLUnZip unzip;
  unzip.SetZipName(archive());
  unzip.OverwriteMode = TOverwriteMode::Always;
  if (configure) configure(unzip);
  unzip.ReadZip();
  unzip.DoAll = true;
  unzip.SetDestDir(out());
  unzip.RecreateDirs = true;
  unzip.RetainAttributes = true;
  return unzip.UnZip();
}

std::string PackageWorkspace::read(const std::string& relative) const {
  std::ifstream in(out() / relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool PackageWorkspace::exists(const std::string& relative) const {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(out() / relative, ec));
}

std::vector<std::string> PackageWorkspace::files() const {
  std::vector<std::string> found;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(out(), ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_regular_file()) found.push_back(std::filesystem::relative(it->path(), out()).string());
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::vector<std::string> PackageWorkspace::strayEntries() const {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(root())) {
    if (entry.path() != archive() && entry.path() != out()) found.push_back(entry.path().filename().string());
  }
  return found;
}

std::string ExceptionClassOf(const std::exception& e) {
  if (dynamic_cast<const EIncompleteZip*>(&e)) return "EIncompleteZip";
  if (dynamic_cast<const ENotAZipFile*>(&e)) return "ENotAZipFile";
  if (dynamic_cast<const EBadZipFile*>(&e)) return "EBadZipFile";
  if (dynamic_cast<const EFatalUnzipError*>(&e)) return "EFatalUnzipError";
  if (dynamic_cast<const EBiggerThanUncompressed*>(&e)) return "EBiggerThanUncompressed";
  if (dynamic_cast<const ECantWriteUCF*>(&e)) return "ECantWriteUCF";
  if (dynamic_cast<const EPackageTooLarge*>(&e)) return "EPackageTooLarge";
  if (dynamic_cast<const EVCLZipException*>(&e)) return "EVCLZipException";
  if (dynamic_cast<const EFOpenError*>(&e)) return "EFOpenError";
  if (dynamic_cast<const EZCompressionError*>(&e)) return "EZCompressionError";
  return "other";
}

}  // namespace vellumine::test
