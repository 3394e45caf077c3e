// Every real document of the shared corpus reads into a model without throwing, and the words of
// its stories reach the model, each once.  The reference counts (fixtures/model/corpus_words.tsv)
// were made by the shared tools' textrecall.py, an independent reading of the same parts (every
// w:t of the main part, notes, comments, headers and footers; deleted text and instructions left
// out); the model holds the words of equations besides.
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "docx/reader.h"
#include "package/unzip_docx.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

namespace fs = std::filesystem;

// The words the model of each corpus document holds, by its path below the corpus folder: the
// reference count and the words of its equations.
std::map<std::string, long> expectedCounts() {
  std::map<std::string, long> counts;
  std::ifstream in(test::fixturesDir() / "model" / "corpus_words.tsv");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    const std::size_t second = line.find('\t', tab + 1);
    counts[line.substr(0, tab)] = std::stol(line.substr(tab + 1, second - tab - 1)) + std::stol(line.substr(second + 1));
  }
  return counts;
}

// Whether the code point at text[i] (UTF-8) is part of a word as the reference tool counts them:
// letters and digits of any script, and '_'.  Outside ASCII, the punctuation and symbol blocks
// that documents use are told apart; every other code point counts as a letter.
std::size_t wordCharLength(std::string_view text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  if (c < 0x80) {
    const bool word = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    return word ? 1 : 0;
  }
  const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  if (i + length > text.size() || length == 1) return 0;
  char32_t code = c & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
  for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
  const bool symbol = (code >= 0xA0 && code <= 0xBF && code != 0xAA && code != 0xB5 && code != 0xBA && code != 0xB2 &&
                       code != 0xB3 && code != 0xB9 && code != 0xBC && code != 0xBD && code != 0xBE) ||
                      code == 0xD7 || code == 0xF7 || (code >= 0x2000 && code <= 0x206F) ||
                      (code >= 0x20A0 && code <= 0x20CF) || (code >= 0x2190 && code <= 0x2BFF) ||
                      (code >= 0x3000 && code <= 0x3003) || (code >= 0x3008 && code <= 0x3020) ||
                      (code >= 0xE000 && code <= 0xF8FF) || (code >= 0xFE00 && code <= 0xFE0F) ||
                      (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0x1F000 && code <= 0x1FAFF) ||
                      (code >= 0xFF00 && code <= 0xFF0F) || code == 0xFFFD || code == 0xFEFF;
  return symbol ? 0 : length;
}

long countWords(std::string_view text) {
  long words = 0;
  bool inWord = false;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = wordCharLength(text, i);
    if (length > 0 && !inWord) ++words;
    inWord = length > 0;
    i += length > 0 ? length : 1;
  }
  return words;
}

// The text of the blocks as the reference counts it (deleted text left out; moved-away text is
// written as w:t and counted; equations' text as part of their paragraph), a blank for each tab,
// break and paragraph end as there.
void appendText(const Document& document, const std::vector<Block>& blocks, std::string& out) {
  for (const Block& block : blocks) {
    if (const auto* table = std::get_if<Table>(&block.node)) {
      for (const Row& row : table->rows) {
        for (const Cell& cell : row.cells) appendText(document, cell.blocks, out);
      }
      continue;
    }
    int removed = 0;
    for (const Inline& item : std::get<Paragraph>(block.node).inlines) {
      const bool change = item.kind == InlineKind::changeStart || item.kind == InlineKind::changeEnd;
      if (change && item.number >= 0 && static_cast<std::size_t>(item.number) < document.changes.size()) {
        const ChangeKind kind = document.changes[static_cast<std::size_t>(item.number)].kind;
        if (kind == ChangeKind::deletion) {
          removed += item.kind == InlineKind::changeStart ? 1 : -1;
        }
      }
      if (item.kind == InlineKind::text && removed <= 0) out += item.text;
      if (item.kind == InlineKind::equation && removed <= 0 && item.number >= 0 &&
          static_cast<std::size_t>(item.number) < document.equations.size()) {
        // An equation's text runs on as the document writes it (its nodes are in document order).
        for (const MathNode& node : document.equations[static_cast<std::size_t>(item.number)].nodes) {
          if (node.kind == MathKind::text) out += node.text;
        }
      }
      if (item.kind == InlineKind::tab || item.kind == InlineKind::lineBreak || item.kind == InlineKind::pageBreak) {
        out += ' ';
      }
    }
    out += ' ';
  }
}

long modelWords(const Document& document) {
  std::string text;
  appendText(document, document.body.blocks, text);
  for (const Note& note : document.footnotes) appendText(document, note.story.blocks, text);
  for (const Note& note : document.endnotes) appendText(document, note.story.blocks, text);
  for (const Comment& comment : document.comments) appendText(document, comment.story.blocks, text);
  for (const HeaderFooter& header : document.headers) appendText(document, header.story.blocks, text);
  for (const HeaderFooter& footer : document.footers) appendText(document, footer.story.blocks, text);
  for (const Story& box : document.textBoxes) appendText(document, box.blocks, text);
  return countWords(text);
}

class CorpusModel : public testing::TestWithParam<fs::path> {};

TEST_P(CorpusModel, ReadsWithEveryWord) {
  static const std::map<std::string, long> expected = expectedCounts();
  const std::string name = fs::relative(GetParam(), test::corpusDir()).generic_string();
  test::TempDir package;
  ASSERT_NO_THROW(extractPackage(GetParam(), package.path()));
  Warnings warnings;
  Document document;
  ASSERT_NO_THROW(document = readDocument(folderPartSource(package.path()), warnings));
  const long words = modelWords(document);
  ASSERT_EQ(expected.count(name), 1u) << name << " has no reference count";
  EXPECT_EQ(words, expected.at(name)) << name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusModel, testing::ValuesIn(test::corpusDocuments()), test::corpusTestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusModel);

}  // namespace
}  // namespace vellumine::docx
