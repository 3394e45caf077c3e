// Rendering helpers of the page writer's tests.
#include "support/page_support.h"

#include <cstdlib>
#include <filesystem>

#include "render/page_render.h"
#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine::test {

std::string renderWholePage(const docx::Document& document, docx::Warnings* warnings, render::ChangesView changes) {
  docx::Warnings ignored;
  render::PageOptions options;
  options.title = "Test";
  options.changes = changes;
  return render::renderPage(document, options, warnings != nullptr ? *warnings : ignored);
}

std::string renderBody(const docx::Document& document, render::ChangesView changes) {
  const std::string page = renderWholePage(document, nullptr, changes);
  const std::size_t section = page.find("<div class=\"vm-section");
  if (section == std::string::npos) return "(no section)";
  std::size_t start = page.find(">\n", section) + 2;
  // The header stands first in the section; the lists and the footer after the body.
  if (page.compare(start, 26, "<div id=\"vellumine-header\"") == 0) start = page.find("</div>\n", start) + 7;
  std::size_t end = page.find("<div id=\"vellumine-", start);
  if (end == std::string::npos) end = page.rfind("</div>\n</div>\n</body>");
  return page.substr(start, end - start);
}

std::string cssRule(std::string_view page, std::string_view name) {
  const std::string opening = "\n." + std::string(name) + "{";
  const std::size_t at = page.find(opening);
  if (at == std::string_view::npos) return "(no rule)";
  const std::size_t from = at + opening.size();
  return std::string(page.substr(from, page.find('}', from) - from));
}

::testing::AssertionResult SameStoredPage(std::string_view name, const std::string& page) {
  return SameStoredFile(std::string(name) + ".html", page);
}

::testing::AssertionResult SameStoredFile(std::string_view fileName, const std::string& page) {
  const std::filesystem::path path = fixturesDir() / "pages" / std::string(fileName);
  const char* update = std::getenv("VELLUMINE_UPDATE_PAGES");
  if (update != nullptr && *update != '\0' && std::string_view(update) != "0") {
    std::filesystem::create_directories(path.parent_path());
    WriteTextFile(path, page);
    return ::testing::AssertionSuccess() << "rewrote " << path;
  }
  if (!std::filesystem::exists(path)) {
    return ::testing::AssertionFailure() << path << " is missing; run with VELLUMINE_UPDATE_PAGES=1 to write it";
  }
  return SameText(page, ReadWholeFile(path));
}

}  // namespace vellumine::test
