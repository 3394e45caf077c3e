// A temporary folder holding one archive ("doc.docx") and its package folder ("pkg"), with the
// reader run as the viewer configures it and readers for what ended up on disk.
#pragma once
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "package/vclunzip.h"
#include "support/test_support.h"

namespace vellumine::test {

class PackageWorkspace {
 public:
  explicit PackageWorkspace(const std::string& archiveBytes);

  std::filesystem::path root() const { return dir_.path(); }
  std::filesystem::path archive() const { return dir_.path() / "doc.docx"; }
  std::filesystem::path out() const { return dir_.path() / "pkg"; }

  // ReadZip and UnZip with the viewer's settings; configure runs before ReadZip.
  int extract(const std::function<void(TVCLUnZip&)>& configure = {}) const;

  std::string read(const std::string& relative) const;
  bool exists(const std::string& relative) const;
  // Every regular file below out(), relative and sorted ("word/document.xml").
  std::vector<std::string> files() const;
  // Everything below root() that is neither the archive nor inside out().
  std::vector<std::string> strayEntries() const;

 private:
  TempDir dir_;
};

// The class name of a reader failure, most derived first; "other" for anything else.
std::string ExceptionClassOf(const std::exception& e);

}  // namespace vellumine::test
