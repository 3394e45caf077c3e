// Save as HTML: the page of a package folder (or one in memory) into a file the user chose, with
// its images copied into a media folder beside it so the relative media/<name> references hold.
#include "app/savehtml.h"

#include <system_error>

#include "app/page_writer.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {

namespace {

namespace fs = std::filesystem;

// ReadWholeFile gives "" for a missing file and "R" for an unreadable one; an export of either
// would write an empty or one-letter page and report success, so both are errors here.
std::string readPage(const fs::path& docHtml) {
  std::error_code ec;
  if (!fs::is_regular_file(docHtml, ec)) {
    throw EInOutError("The page " + docHtml.string() + " no longer exists; open the document again.");
  }
  std::string page = ReadWholeFile(docHtml);
  if (page == "R" && fs::file_size(docHtml, ec) != 1) {
    throw EInOutError("Cannot read " + docHtml.string());
  }
  return page;
}

// Saving into the package's own word folder would copy every image onto itself.
bool sameFolder(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

}  // namespace

void exportPage(std::string page, const fs::path& mediaFolder, const fs::path& target) {
  ReplaceAllInPlace(page, kHiddenOverflowRule, "");
  writePage(target, std::move(page));
  fs::path targetMedia = target.parent_path() / "media";
  std::error_code ec;
  if (!fs::is_directory(mediaFolder, ec) || sameFolder(mediaFolder, targetMedia)) return;
  CopyFolderFiles(mediaFolder, targetMedia);
}

void exportHtml(const fs::path& docHtml, const fs::path& target) {
  exportPage(readPage(docHtml), docHtml.parent_path() / "media", target);
}

std::string savedMessage(const fs::path& target) {
  return "File has been saved as " + target.string() + " successfully.";
}

}  // namespace vellumine
