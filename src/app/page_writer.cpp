// The one way out for a page: declare UTF-8, sanitise, then write.
#include "app/page_writer.h"

#include "html/charset_declaration.h"
#include "html/html_sanitiser.h"
#include "text/fileutil.h"

namespace vellumine {

// The declaration goes in before the sanitiser runs, which keeps it and removes every other one.
std::string finishedPage(std::string page) { return html::sanitisePage(html::declareUtf8(std::move(page))); }

void writePage(const std::filesystem::path& target, std::string page) {
  WriteTextFile(target, finishedPage(std::move(page)));
}

void writePage(std::FILE* stream, std::string page) {
  const std::string safe = finishedPage(std::move(page));
  if (std::fwrite(safe.data(), 1, safe.size(), stream) != safe.size() || std::fflush(stream) != 0) {
    throw EInOutError("Cannot write the page to the output stream.");
  }
}

}  // namespace vellumine
