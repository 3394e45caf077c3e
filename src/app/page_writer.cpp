// The one way out for a page: sanitise, then write.
#include "app/page_writer.h"

#include "html/html_sanitiser.h"
#include "text/fileutil.h"

namespace vellumine {

void writePage(const std::filesystem::path& target, std::string page) {
  WriteTextFile(target, html::sanitisePage(std::move(page)));
}

void writePage(std::FILE* stream, std::string page) {
  const std::string safe = html::sanitisePage(std::move(page));
  if (std::fwrite(safe.data(), 1, safe.size(), stream) != safe.size() || std::fflush(stream) != 0) {
    throw EInOutError("Cannot write the page to the output stream.");
  }
}

}  // namespace vellumine
