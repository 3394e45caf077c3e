#include "support/test_support.h"

#include <algorithm>
#include <atomic>
#include <random>
#include <string>

#include <unistd.h>

#include "convert/ddocx.h"
#include "text/strutil.h"

namespace vellumine::test {

namespace {

constexpr std::string_view kWordNamespace =
    " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";

std::string context(std::string_view s, std::size_t at) {
  std::size_t from = at > 40 ? at - 40 : 0;
  return std::string(s.substr(from, 80));
}

std::string withoutLineBreaks(std::string text) {
  ReplaceAllInPlace(text, "\r\n", "");
  return text;
}

}  // namespace

::testing::AssertionResult SameText(std::string_view actual, std::string_view expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::size_t i = 0;
  while (i < actual.size() && i < expected.size() && actual[i] == expected[i]) ++i;
  return ::testing::AssertionFailure()
         << "texts differ at offset " << i << " (actual " << actual.size() << " bytes, expected "
         << expected.size() << " bytes)\n  actual:   ..." << context(actual, i)
         << "...\n  expected: ..." << context(expected, i) << "...";
}

std::string runPass(void (*pass)(Conversion&), std::string docText) {
  Conversion c;
  c.text = std::move(docText);
  pass(c);
  return std::move(c.text);
}

std::string bodyHtmlOf(std::string_view bodyXml, std::string_view numberingXml) {
  Conversion c;
  loadPartTexts(c, {"<w:document" + std::string(kWordNamespace) + "><w:body>" + std::string(bodyXml) +
                        "</w:body></w:document>",
                    "", "", std::string(numberingXml)});
  convert(c);
  // The document's own body tags are still there around its content, inside the page's body.
  const std::string_view page = c.text;
  const std::size_t begin = page.find("<body>");
  const std::size_t end = page.find("</body>");
  if (begin == std::string_view::npos || end == std::string_view::npos || end < begin) return c.text;
  return withoutLineBreaks(std::string(page.substr(begin + 6, end - begin - 6)));
}

std::string footnoteHtmlOf(std::string_view bodyXml) {
  Conversion body;
  loadPartTexts(body, {});
  StoryTexts texts;
  texts.footnotes.push_back({"<w:footnotes" + std::string(kWordNamespace) + "><w:footnote w:id=\"1\">" +
                                 std::string(bodyXml) + "</w:footnote></w:footnotes>",
                             ""});
  const Stories stories = convertStories(body, std::move(texts));
  return stories.footnotes.size() == 1 ? withoutLineBreaks(stories.footnotes[0].html) : "(no note)";
}

std::filesystem::path fixturesDir() { return VELLUMINE_FIXTURES_DIR; }
std::filesystem::path corpusDir() { return VELLUMINE_CORPUS_DIR; }

std::vector<std::filesystem::path> corpusDocuments() {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  if (!std::filesystem::is_directory(corpusDir(), ec)) return files;
  for (auto it = std::filesystem::recursive_directory_iterator(corpusDir(), ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_regular_file() && it->path().extension() == ".docx") files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string corpusTestName(const ::testing::TestParamInfo<std::filesystem::path>& info) {
  std::string name = info.param.parent_path().filename().string() + "_" + info.param.stem().string();
  for (char& ch : name) {
    const bool alnum = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
    if (!alnum) ch = '_';
  }
  return name + "_" + std::to_string(info.index);
}

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  for (;;) {
    path_ = std::filesystem::temp_directory_path() /
            ("vellumine-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
             std::to_string(rd() % 100000));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace vellumine::test
