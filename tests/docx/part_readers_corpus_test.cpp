// Every corpus document: each companion part (styles, numbering, theme, settings, font table) and
// every property block of every part reads without throwing, and what is read matches what the
// part holds (one style per w:style, one colour per scheme slot written, a size for every w:sz).
#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "docx/part_readers.h"
#include "docx/property_reader.h"
#include "docx/xml_names.h"
#include "package/unzip_docx.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

namespace fs = std::filesystem;

// Each element below root in document order, without recursion.
template <typename Visit>
void eachElement(const pugi::xml_node& root, Visit visit) {
  pugi::xml_node node = root;
  while (node) {
    if (node.type() == pugi::node_element) visit(node);
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node && node != root && !node.next_sibling()) node = node.parent();
    if (!node || node == root) break;
    node = node.next_sibling();
  }
}

std::size_t countChildren(const pugi::xml_node& parent, const char* name) {
  std::size_t count = 0;
  for (pugi::xml_node child = parent.child(name); child; child = child.next_sibling(name)) ++count;
  return count;
}

void checkStyles(const pugi::xml_node& root) {
  Warnings warnings;
  Styles styles;
  ASSERT_NO_THROW(styles = readStyles(root, warnings));
  EXPECT_EQ(styles.styles.size(), countChildren(root, "w:style"));
  for (const Style& style : styles.styles) {
    EXPECT_TRUE(style.styleId.empty() || styles.find(style.styleId) != nullptr) << style.styleId;
  }
}

void checkNumbering(const pugi::xml_node& root) {
  Warnings warnings;
  Numbering numbering;
  ASSERT_NO_THROW(numbering = readNumbering(root, warnings));
  EXPECT_EQ(numbering.abstracts.size(), countChildren(root, "w:abstractNum"));
  EXPECT_EQ(numbering.instances.size(), countChildren(root, "w:num"));
  for (const NumberingInstance& instance : numbering.instances) EXPECT_GE(instance.abstractId, 0) << instance.id;
}

void checkTheme(const pugi::xml_node& root) {
  Warnings warnings;
  Theme theme;
  ASSERT_NO_THROW(theme = readTheme(root, warnings));
  const pugi::xml_node scheme = root.child("a:themeElements").child("a:clrScheme");
  std::size_t written = 0;
  for (pugi::xml_node slot = scheme.first_child(); slot; slot = slot.next_sibling()) {
    if (slot.child("a:srgbClr") || slot.child("a:sysClr").attribute("lastClr")) ++written;
  }
  std::size_t read = 0;
  for (const auto& colour : theme.colors) read += colour ? 1 : 0;
  EXPECT_EQ(read, written);
}

void checkFonts(const pugi::xml_node& root) {
  Warnings warnings;
  FontTable fonts;
  ASSERT_NO_THROW(fonts = readFontTable(root, warnings));
  std::set<std::string> names;
  for (pugi::xml_node font = root.child("w:font"); font; font = font.next_sibling("w:font")) {
    if (*font.attribute("w:name").value()) names.insert(font.attribute("w:name").value());
  }
  EXPECT_EQ(fonts.byName.size(), names.size());
}

// Every property block of the part read; a block with a w:sz, a spacing after, a grid span or a
// page width gives it unless the value was malformed.
void checkPropertyBlocks(const pugi::xml_node& root) {
  const HeaderFooterIndex index = [](bool, const std::string&) { return 0; };
  eachElement(root, [&index](const pugi::xml_node& element) {
    Warnings warnings;
    const auto readOrWarned = [&warnings](bool read) {
      return read || warnings.count(WarningKind::malformedNumber) > 0;
    };
    if (is(element, "w:rPr")) {
      const RunProps props = readRunProps(element, warnings);
      EXPECT_TRUE(!element.child("w:sz") || readOrWarned(props.size.has_value()));
    } else if (is(element, "w:pPr")) {
      const ParagraphProps props = readParagraphProps(element, warnings);
      EXPECT_TRUE(!element.child("w:spacing").attribute("w:after") || readOrWarned(props.spacing.after.has_value()));
    } else if (is(element, "w:tblPr")) {
      readTableProps(element, warnings);
    } else if (is(element, "w:trPr")) {
      readRowProps(element, warnings);
    } else if (is(element, "w:tcPr")) {
      const CellProps props = readCellProps(element, warnings);
      EXPECT_TRUE(!element.child("w:gridSpan") || readOrWarned(props.gridSpan.has_value()));
    } else if (is(element, "w:sectPr")) {
      const SectionProps props = readSectionProps(element, index, warnings);
      EXPECT_TRUE(!element.child("w:pgSz").attribute("w:w") || readOrWarned(props.pageWidth.has_value()));
    }
  });
}

void checkPart(const fs::path& file) {
  pugi::xml_document part;
  part.load_file(file.c_str());  // a damaged part keeps what was read before the damage
  const pugi::xml_node root = part.document_element();
  const std::string_view name = root.name();
  if (name == "w:styles") checkStyles(root);
  if (name == "w:numbering") checkNumbering(root);
  if (name == "a:theme") checkTheme(root);
  if (name == "w:fonts") checkFonts(root);
  if (name == "w:settings") {
    Warnings warnings;
    EXPECT_NO_THROW(readSettings(root, warnings));
  }
  EXPECT_NO_THROW(checkPropertyBlocks(root)) << file;
}

class PartReadersCorpus : public testing::TestWithParam<fs::path> {};

TEST_P(PartReadersCorpus, EveryCompanionPartAndPropertyBlockReads) {
  test::TempDir package;
  ASSERT_NO_THROW(extractPackage(GetParam(), package.path()));
  int parts = 0;
  for (const auto& entry : fs::recursive_directory_iterator(package.path())) {
    if (!entry.is_regular_file() || entry.path().extension() != ".xml") continue;
    SCOPED_TRACE(entry.path().lexically_relative(package.path()).string());
    checkPart(entry.path());
    ++parts;
  }
  EXPECT_GT(parts, 0);
}

INSTANTIATE_TEST_SUITE_P(Corpus, PartReadersCorpus, testing::ValuesIn(test::corpusDocuments()), test::corpusTestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PartReadersCorpus);

}  // namespace
}  // namespace vellumine::docx
