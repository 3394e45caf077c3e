// The whole page: its frame, the sections as sheets, the stories around the body, whole documents
// against their stored pages, and hostile models that must give a sane page.
#include "render/page_render.h"

#include <functional>

#include <gtest/gtest.h>

#include "support/document_builder.h"
#include "support/page_support.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

using docx::InlineKind;
using test::cell;
using test::DocumentBuilder;
using test::mark;
using test::paragraph;
using test::row;
using test::table;
using test::text;
using test::textCell;

std::size_t count(std::string_view page, std::string_view needle) {
  std::size_t n = 0;
  for (std::size_t at = page.find(needle); at != std::string_view::npos; at = page.find(needle, at + 1)) ++n;
  return n;
}

// The start tags of the page's sections, one per line.
std::string sectionTags(std::string_view page) {
  std::string tags;
  for (std::size_t at = page.find("<div class=\"vm-section"); at != std::string_view::npos;
       at = page.find("<div class=\"vm-section", at + 1)) {
    tags.append(page.substr(at, page.find('>', at) + 1 - at)).append("\n");
  }
  return tags;
}

// ---- the frame ----

TEST(PageRender, PageOpensWithItsHeadAndOneStyleSheet) {
  DocumentBuilder b;
  b.body({paragraph({text("a")})});
  docx::Warnings warnings;
  PageOptions options;
  options.title = "Q&A <draft>";
  const std::string page = renderPage(b.document(), options, warnings);
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                               "<title>Q&amp;A &lt;draft&gt;</title>\n<style>\n"))
      << page.substr(0, 200);
  EXPECT_EQ(count(page, "<style>"), 1u);
  EXPECT_NE(page.find("</style>\n</head>\n<body>\n<div id=\"page\">\n"), std::string::npos);
  EXPECT_TRUE(page.ends_with("</div>\n</div>\n</body>\n</html>\n"));
  EXPECT_TRUE(warnings.empty());
}

TEST(PageRender, DocumentLanguageOnTheRoot) {
  DocumentBuilder b;
  b.document().settings.themeFontLang = "de-DE";
  EXPECT_NE(test::renderWholePage(b.document()).find("<html lang=\"de-DE\">"), std::string::npos);
}

// ---- sections ----

struct SectionCase {
  std::string name;
  std::vector<docx::SectionProps> sections;
  std::string expected;  // the section start tags
};

docx::SectionProps a4(std::function<void(docx::SectionProps&)> edit = nullptr) {
  docx::SectionProps s;
  s.pageWidth = 11906;
  s.pageHeight = 16838;
  s.marginTop = s.marginBottom = 1440;
  s.marginLeft = s.marginRight = 1134;
  s.marginHeader = s.marginFooter = 708;
  if (edit) edit(s);
  return s;
}

const SectionCase kSectionCases[] = {
    {"NoPageSizeIsLetterWithInchMargins",
     {},
     "<div class=\"vm-section\" data-page-width=\"816\" data-page-height=\"1056\" data-margin-top=\"96\" "
     "data-margin-right=\"96\" data-margin-bottom=\"96\" data-margin-left=\"96\" data-margin-header=\"48\" "
     "data-margin-footer=\"48\" data-gutter=\"0\" data-orientation=\"portrait\" data-start=\"nextPage\" "
     "data-columns=\"1\" data-column-space=\"48\" style=\"width:816px;padding:96px 96px 96px 96px\">\n"},
    {"A4WithItsMargins",
     {a4()},
     "<div class=\"vm-section\" data-page-width=\"793.73\" data-page-height=\"1122.53\" data-margin-top=\"96\" "
     "data-margin-right=\"75.6\" data-margin-bottom=\"96\" data-margin-left=\"75.6\" data-margin-header=\"47.2\" "
     "data-margin-footer=\"47.2\" data-gutter=\"0\" data-orientation=\"portrait\" data-start=\"nextPage\" "
     "data-columns=\"1\" data-column-space=\"48\" style=\"width:793.73px;padding:96px 75.6px 96px 75.6px\">\n"},
    {"LandscapeColumnsTitlePageAndHeaders",
     {a4([](docx::SectionProps& s) {
       std::swap(*s.pageWidth, *s.pageHeight);
       s.landscape = true;
       s.columns.count = 2;
       s.columns.space = 425;
       s.titlePage = true;
       s.headers = {0, 1, -1};
       s.footers = {2, -1, -1};
       s.pageNumberStart = 5;
       s.pageNumberFormat = "lowerRoman";
     })},
     "<div class=\"vm-section\" data-page-width=\"1122.53\" data-page-height=\"793.73\" data-margin-top=\"96\" "
     "data-margin-right=\"75.6\" data-margin-bottom=\"96\" data-margin-left=\"75.6\" data-margin-header=\"47.2\" "
     "data-margin-footer=\"47.2\" data-gutter=\"0\" data-orientation=\"landscape\" data-start=\"nextPage\" "
     "data-columns=\"2\" data-column-space=\"28.33\" data-title-page=\"1\" data-header-default=\"0\" "
     "data-footer-default=\"2\" data-header-first=\"1\" data-page-number-start=\"5\" "
     "data-page-number-format=\"lowerRoman\" style=\"width:1122.53px;padding:96px 75.6px 96px 75.6px\">\n"},
    {"NegativeMarginsAreNoPadding",
     {a4([](docx::SectionProps& s) { s.marginTop = -500; })},
     "<div class=\"vm-section\" data-page-width=\"793.73\" data-page-height=\"1122.53\" data-margin-top=\"-33.33\" "
     "data-margin-right=\"75.6\" data-margin-bottom=\"96\" data-margin-left=\"75.6\" data-margin-header=\"47.2\" "
     "data-margin-footer=\"47.2\" data-gutter=\"0\" data-orientation=\"portrait\" data-start=\"nextPage\" "
     "data-columns=\"1\" data-column-space=\"48\" style=\"width:793.73px;padding:0px 75.6px 96px 75.6px\">\n"},
};

class PageRenderSection : public testing::TestWithParam<SectionCase> {};

TEST_P(PageRenderSection, SheetCarriesTheSectionsProperties) {
  DocumentBuilder b;
  for (const docx::SectionProps& s : GetParam().sections) b.section(s);
  b.body({paragraph({text("a")})});
  EXPECT_SAME_TEXT(sectionTags(test::renderWholePage(b.document())), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageRenderSection, testing::ValuesIn(kSectionCases), test::caseName);

docx::Block endingSection(std::string content, int section) {
  docx::Paragraph p = test::para({text(std::move(content))});
  p.sectionEnd = section;
  return test::block(std::move(p));
}

TEST(PageRender, EachSectionIsASheetOfItsOwnWidth) {
  DocumentBuilder b;
  b.section(a4());
  b.section(a4([](docx::SectionProps& s) {
    std::swap(*s.pageWidth, *s.pageHeight);
    s.start = docx::SectionStart::continuous;
  }));
  b.body({endingSection("first", 0), paragraph({text("second")})});
  const std::string page = test::renderWholePage(b.document());
  const std::string tags = sectionTags(page);
  EXPECT_EQ(count(tags, "\n"), 2u) << tags;
  EXPECT_NE(tags.find("<div class=\"vm-section vm-continuous\" data-page-width=\"1122.53\""), std::string::npos) << tags;
  const std::size_t second = page.find("vm-section vm-continuous");
  EXPECT_LT(page.find(">first<"), second);
  EXPECT_GT(page.find(">second<"), second);
}

TEST(PageRender, DamagedSectionEndsNeitherSkipNorRepeatSections) {
  DocumentBuilder b;
  b.section(a4());
  b.section(a4());
  b.body({endingSection("a", 7), endingSection("b", 0), endingSection("c", -3), endingSection("d", 1),
          paragraph({text("e")})});
  EXPECT_EQ(count(sectionTags(test::renderWholePage(b.document())), "\n"), 2u);
}

TEST(PageRender, SectionEndingTheBodyOpensNoEmptySheet) {
  DocumentBuilder b;
  b.section(a4());
  b.section(a4());
  b.body({paragraph({text("a")}), endingSection("b", 0)});
  EXPECT_EQ(count(sectionTags(test::renderWholePage(b.document())), "\n"), 1u);
}

// ---- stories ----

std::uint32_t noteStyle(DocumentBuilder& b) {
  return b.run([](docx::RunProps& p) { p.vertAlign = docx::VerticalAlign::superscript; });
}

TEST(PageRender, StoriesStandAroundTheBodyInReadingOrder) {
  DocumentBuilder b;
  docx::SectionProps section;
  section.headers = {b.header({paragraph({text("HEAD")})}), -1, -1};
  section.footers = {b.footer({paragraph({text("FOOT")})}), -1, -1};
  b.section(section);
  const int fn = b.footnote({paragraph({text("NOTE")})});
  const int en = b.endnote({paragraph({text("END")})});
  const int cm = b.comment("Ann", "A", "2020-02-03T04:05:06Z", {paragraph({text("REMARK")})});
  b.body({paragraph({text("BODY"), mark(InlineKind::footnoteReference, fn), mark(InlineKind::endnoteReference, en),
                     mark(InlineKind::commentReference, cm)})});
  const std::string page = test::renderWholePage(b.document());
  std::vector<std::size_t> places;
  for (std::string_view word : {"id=\"vellumine-header\"", ">HEAD<", ">BODY<", "id=\"vellumine-footnotes\"", ">NOTE<",
                                "id=\"vellumine-endnotes\"", ">END<", "id=\"vellumine-comments\"", ">REMARK<",
                                "id=\"vellumine-footer\"", ">FOOT<"}) {
    places.push_back(page.find(word));
    EXPECT_NE(places.back(), std::string::npos) << word;
  }
  EXPECT_TRUE(std::is_sorted(places.begin(), places.end()));
  EXPECT_NE(page.find("<div id=\"cm-1\" class=\"vm-comment\"><p class=\"vm-chead\"><a href=\"#cmref-1\">[A1]</a> "
                      "<b>Ann</b> 2020-02-03 04:05</p>"),
            std::string::npos);
}

TEST(PageRender, NotesAreListedByFirstReferenceAndLinkBack) {
  DocumentBuilder b;
  const auto sup = noteStyle(b);
  const int second = b.footnote({paragraph({mark(InlineKind::footnoteRefMark, 0, "", sup), text(" second")})});
  const int first = b.footnote({paragraph({text("first, see"), mark(InlineKind::footnoteReference, second, "", sup)})});
  b.footnote({paragraph({text("nobody's")})});
  b.footnote({paragraph({mark(InlineKind::separator)})}, docx::NoteKind::separator);
  b.body({paragraph({text("a"), mark(InlineKind::footnoteReference, first, "", sup)})});
  const std::string page = test::renderWholePage(b.document());
  const std::size_t list = page.find("<div id=\"vellumine-footnotes\"");
  ASSERT_NE(list, std::string::npos);
  // Up to the end of the last note, before the list's own end.
  const std::string notes = page.substr(list, page.find("</div>\n</div>\n", list) + 6 - list);
  EXPECT_SAME_TEXT(notes,
                   "<div id=\"vellumine-footnotes\" class=\"vm-notes\">\n"
                   "<div id=\"fn-1\" class=\"vm-note\"><p class=\"p1\"><a class=\"vm-nref\" href=\"#fnref-1\"><sup>1"
                   "</sup></a> <span class=\"r1\">first, see</span><span class=\"r2\"><a class=\"vm-nref\" "
                   "href=\"#fn-2\" id=\"fnref-2\">2</a></span></p>\n</div>\n"
                   "<div id=\"fn-2\" class=\"vm-note\"><p class=\"p1\"><span class=\"r2\"><a class=\"vm-nref\" "
                   "href=\"#fnref-2\">2</a></span><span class=\"r1\"> second</span></p>\n</div>\n"
                   "<div id=\"fn-3\" class=\"vm-note\"><p class=\"p1\"><span class=\"r1\">nobody's</span></p>\n"
                   "</div>");
}

TEST(PageRender, WithoutStoriesMarksStayButListsGo) {
  DocumentBuilder b;
  docx::SectionProps section;
  section.headers = {b.header({paragraph({text("HEAD")})}), -1, -1};
  b.section(section);
  const int fn = b.footnote({paragraph({text("NOTE")})});
  const int cm = b.comment("Ann", "A", "", {paragraph({text("REMARK")})});
  b.body({paragraph({mark(InlineKind::commentStart, cm), text("a"), mark(InlineKind::commentEnd, cm),
                     mark(InlineKind::footnoteReference, fn), mark(InlineKind::commentReference, cm)})});
  docx::Warnings warnings;
  const std::string page = renderPage(b.document(), PageOptions{false, ""}, warnings);
  const std::size_t body = page.find("<body>");
  EXPECT_EQ(page.find("vellumine-", body), std::string::npos);
  EXPECT_EQ(page.find("HEAD"), std::string::npos);
  EXPECT_NE(page.find("<span class=\"r1\">a1</span>"), std::string::npos);
  EXPECT_EQ(page.find("vm-cr\""), std::string::npos);
}

TEST(PageRender, EmptyHeaderAndOtherSectionsHeadersOnce) {
  DocumentBuilder b;
  const int empty = b.header({paragraph({})});
  const int later = b.header({paragraph({text("LATER")})});
  docx::SectionProps first;
  first.headers = {empty, -1, -1};
  docx::SectionProps second;
  second.headers = {later, later, -1};
  b.section(first);
  b.section(second);
  b.body({endingSection("a", 0), paragraph({text("b")})});
  const std::string page = test::renderWholePage(b.document());
  EXPECT_EQ(page.find("vellumine-header"), std::string::npos);
  EXPECT_EQ(count(page, ">LATER<"), 1u);
  EXPECT_NE(page.find("<div id=\"vellumine-section-2\" class=\"vm-ftr\" data-part=\"header\" data-part-index=\"1\">"),
            std::string::npos);
}

// The page view finds each section's header and footer parts by these marks.
TEST(PageRender, HeaderAndFooterPartsAreMarkedForThePageView) {
  DocumentBuilder b;
  docx::SectionProps section;
  section.headers = {b.header({paragraph({text("HEAD")})}), b.header({paragraph({text("FIRST")})}), -1};
  section.footers = {b.footer({paragraph({text("FOOT")})}), -1, -1};
  b.section(section);
  b.document().settings.evenAndOddHeaders = true;
  b.body({paragraph({text("BODY")})});
  const std::string page = test::renderWholePage(b.document());
  EXPECT_NE(page.find("<div id=\"page\" data-even-odd=\"1\">"), std::string::npos);
  EXPECT_NE(page.find("data-header-default=\"0\" data-footer-default=\"0\" data-header-first=\"1\""), std::string::npos);
  EXPECT_NE(page.find("<div id=\"vellumine-header\" class=\"vm-hdr\" data-part=\"header\" data-part-index=\"0\">"),
            std::string::npos);
  EXPECT_NE(page.find("<div id=\"vellumine-footer\" class=\"vm-ftr\" data-part=\"footer\" data-part-index=\"0\">"),
            std::string::npos);
  EXPECT_NE(page.find("class=\"vm-ftr\" data-part=\"header\" data-part-index=\"1\">"), std::string::npos);
}

// The page view lays columns of given widths out as given, with the line between them.
TEST(PageRender, ColumnsOfGivenWidthsAndTheirLineAreMarked) {
  DocumentBuilder b;
  docx::SectionProps section;
  section.columns.count = 2;
  section.columns.separator = true;
  section.columns.equalWidth = false;
  section.columns.columns = {{3000, 600}, {5760, 0}};
  b.section(section);
  b.body({paragraph({text("BODY")})});
  const std::string page = test::renderWholePage(b.document());
  EXPECT_NE(page.find("data-columns=\"2\" data-column-space=\"48\" data-column-separator=\"1\" "
                      "data-column-widths=\"200 40 384 0\""),
            std::string::npos);
}

// ---- whole documents against their stored pages ----

std::uint32_t headingStyle(DocumentBuilder& b, int level) {
  return b.paragraph([&](docx::ParagraphProps& p) {
    p.styleId = "Heading" + std::to_string(level + 1);
    p.outlineLevel = level;
    p.spacing.before = 240;
    p.spacing.after = 60;
    p.keepNext = true;
    p.markRunProps.size = 32 - 4 * level;
  });
}

std::uint32_t headingRun(DocumentBuilder& b, int level) {
  return b.run([&](docx::RunProps& p) {
    p.bold = true;
    p.size = 32 - 4 * level;
    p.color = test::rgb(0x2F5496);
    p.fonts.ascii.name = p.fonts.hAnsi.name = "Calibri Light";
  });
}

void buildReport(DocumentBuilder& b) {
  docx::SectionProps section;
  section.pageWidth = 11906;
  section.pageHeight = 16838;
  section.headers = {b.header({paragraph({text("Quarterly report")})}), -1, -1};
  section.footers = {b.footer({paragraph({text("Page "), mark(InlineKind::fieldStart, b.field("PAGE")), text("1"),
                                          mark(InlineKind::fieldEnd, 0)})}), -1, -1};
  b.section(section);
  const auto body = b.paragraph([](docx::ParagraphProps& p) {
    p.spacing.after = 160;
    p.spacing.line = 259;
    p.markRunProps.size = 22;
    p.markRunProps.fonts.ascii.name = "Calibri";
  });
  const auto normal = b.run([](docx::RunProps& p) {
    p.size = 22;
    p.fonts.ascii.name = p.fonts.hAnsi.name = "Calibri";
  });
  const auto emphasis = b.run([](docx::RunProps& p) {
    p.size = 22;
    p.fonts.ascii.name = p.fonts.hAnsi.name = "Calibri";
    p.italic = true;
  });
  const auto listItem = b.paragraph([](docx::ParagraphProps& p) {
    p.styleId = "ListParagraph";
    p.indentation.start = 720;
    p.indentation.firstLine = -360;
    p.contextualSpacing = true;
    p.spacing.after = 160;
    p.markRunProps.size = 22;
  });
  const auto bullet = b.run([](docx::RunProps& p) { p.fonts.ascii.name = "Symbol"; });
  const auto sup = noteStyle(b);
  const int note = b.footnote({paragraph({mark(InlineKind::footnoteRefMark, 0, "", sup), text(" Figures unaudited.")})});
  const int comment = b.comment("Ann Reviewer", "AR", "2024-03-01T09:00:00Z", {paragraph({text("Check the total.")})});
  const int site = b.link("https://example.org/results", "", "Results online");
  docx::Drawing chart;
  chart.kind = docx::DrawingKind::picture;
  chart.target = "word/media/image1.png";
  chart.widthEmu = 2857500;
  chart.heightEmu = 1428750;
  chart.description = "Sales by quarter";
  chart.wrap = docx::WrapKind::topAndBottom;
  chart.horizontalAlign = "center";
  const int picture = b.drawing(chart);

  auto item = [&](std::string content) {
    docx::Paragraph p = test::para({text(std::move(content), normal)}, listItem);
    p.listLabel = b.listLabel(docx::ListLabel{"\u2022", docx::LevelSuffix::tab, bullet, 1, 0, true});
    return test::block(std::move(p));
  };
  const auto header = b.row([](docx::RowProps& p) { p.header = true; });
  const auto grid = b.table([](docx::TableProps& p) {
    p.width = docx::TableWidth{docx::WidthType::pct, 5000};
    p.borders.top = p.borders.bottom = p.borders.insideH = test::border(docx::BorderStyle::single, 4, 0x000000);
    p.borders.start = p.borders.end = p.borders.insideV = test::border(docx::BorderStyle::single, 4, 0x000000);
  });
  const auto shaded = b.cell([](docx::CellProps& p) {
    p.shading = docx::Shading{docx::ShadingPattern::clear, 0, docx::Color{true}, test::rgb(0x4472C4)};
  });

  b.body({
      paragraph({mark(InlineKind::bookmarkStart, 0, "_Toc1"), text("Results", headingRun(b, 0)),
                 mark(InlineKind::bookmarkEnd, 0)},
                headingStyle(b, 0)),
      paragraph({text("Sales grew by ", normal), text("twelve percent", emphasis),
                 mark(InlineKind::lastRenderedPageBreak), text(" in the quarter", normal),
                 mark(InlineKind::footnoteReference, note, "", sup), text(", ", normal),
                 mark(InlineKind::commentStart, comment), text("well ahead of plan", normal),
                 mark(InlineKind::commentEnd, comment), mark(InlineKind::commentReference, comment),
                 text(". Details are ", normal), mark(InlineKind::linkStart, site), text("online", normal),
                 mark(InlineKind::linkEnd, site), text(".", normal)},
                body),
      item("North & South"),
      item("East <and> West"),
      paragraph({mark(InlineKind::drawing, picture)}, body),
      table({row({textCell("Quarter", shaded), textCell("Sales", shaded)}, header),
             row({textCell("Q1"), textCell("1,200")}),
             // Word's next page starts with this row: its mark stands in each of its cells.
             row({cell({paragraph({mark(InlineKind::lastRenderedPageBreak), text("Q2")})}),
                  cell({paragraph({mark(InlineKind::lastRenderedPageBreak), text("1,344")})})})},
            {4513, 4513}, grid),
      paragraph({}, body),
  });
}

void buildContents(DocumentBuilder& b) {
  const auto tocLine = [&](int level) {
    return b.paragraph([&](docx::ParagraphProps& p) {
      p.styleId = "TOC" + std::to_string(level);
      p.indentation.start = 220 * (level - 1);
      p.tabs = {{9350, docx::TabAlignment::end, docx::TabLeader::dot}};
      p.spacing.after = 100;
    });
  };
  const int toc = b.field("TOC", "\\o \"1-3\" \\h");
  std::vector<docx::Block> blocks;
  const std::vector<std::pair<int, std::string>> entries{{1, "Introduction"}, {2, "Scope"}, {2, "Terms"}, {1, "Method"}};
  int page = 1;
  for (const auto& [level, title] : entries) {
    const int link = b.link("", "_Toc" + std::to_string(page));
    std::vector<docx::Inline> line;
    if (blocks.empty()) line.push_back(mark(InlineKind::fieldStart, toc));
    line.insert(line.end(), {mark(InlineKind::linkStart, link), text(title), mark(InlineKind::tab),
                             text(std::to_string(page * 3)), mark(InlineKind::linkEnd, link)});
    blocks.push_back(paragraph(std::move(line), tocLine(level)));
    ++page;
  }
  blocks.push_back(paragraph({mark(InlineKind::fieldEnd, toc)}));
  const auto columns = b.paragraph([](docx::ParagraphProps& p) {
    p.tabs = {{2880, docx::TabAlignment::center, docx::TabLeader::none},
              {5760, docx::TabAlignment::decimal, docx::TabLeader::none},
              {8640, docx::TabAlignment::start, docx::TabLeader::hyphen}};
  });
  blocks.push_back(paragraph({text("Item"), mark(InlineKind::tab), text("centred"), mark(InlineKind::tab),
                              text("12.50"), mark(InlineKind::tab), text("end")},
                             columns));
  for (int k = 1; k <= 4; ++k) {
    blocks.push_back(paragraph({mark(InlineKind::bookmarkStart, k, "_Toc" + std::to_string(k)),
                                text("Section " + std::to_string(k)), mark(InlineKind::bookmarkEnd, k)},
                               headingStyle(b, 0)));
  }
  b.body(std::move(blocks));
}

void buildRevisions(DocumentBuilder& b) {
  const int added = b.change(docx::ChangeKind::insertion, "Ann", "2024-05-06T07:08:00Z");
  const int removed = b.change(docx::ChangeKind::deletion, "Bob", "2024-05-07T08:09:00Z");
  const int mark = b.change(docx::ChangeKind::deletion, "Bob");
  docx::Paragraph joined = test::para({text("The first paragraph "),
                                       test::mark(InlineKind::changeStart, removed), text("lost its end"),
                                       test::mark(InlineKind::changeEnd, removed)});
  joined.markChange = mark;
  b.body({
      test::block(std::move(joined)),
      paragraph({text("and runs on "), test::mark(InlineKind::changeStart, added), text("with new words"),
                 test::mark(InlineKind::changeEnd, added), text(".")}),
      paragraph({text("Untouched.")}),
  });
}

struct DocumentCase {
  std::string name;
  std::function<void(DocumentBuilder&)> build;
};

const DocumentCase kDocuments[] = {
    {"report", buildReport},
    {"contents", buildContents},
    {"revisions", buildRevisions},
};

class PageRenderDocument : public testing::TestWithParam<DocumentCase> {};

TEST_P(PageRenderDocument, PageIsTheStoredOne) {
  DocumentBuilder b;
  GetParam().build(b);
  EXPECT_TRUE(test::SameStoredPage(GetParam().name, test::renderWholePage(b.document())));
}

INSTANTIATE_TEST_SUITE_P(Cases, PageRenderDocument, testing::ValuesIn(kDocuments), test::caseName);

// ---- hostile models ----

struct HostileCase {
  std::string name;
  std::function<void(DocumentBuilder&)> build;
  std::string_view mustHold;  // a piece of the page that shows the text survived
};

docx::Block nestedTables(int depth) {
  docx::Block inner = paragraph({text("deepest")});
  for (int k = 0; k < depth; ++k) inner = table({row({cell({std::move(inner)})})});
  return inner;
}

const HostileCase kHostileCases[] = {
    {"TablesNestedFarTooDeep", [](auto& b) { b.body({nestedTables(200)}); }, ">deepest<"},
    {"HundredThousandUnclosedChanges",
     [](auto& b) {
       const int change = b.change(docx::ChangeKind::insertion, "Ann");
       std::vector<docx::Inline> inlines(100000, mark(InlineKind::changeStart, change));
       inlines.push_back(text("end"));
       inlines.push_back(mark(InlineKind::tab));
       inlines.push_back(text("after"));
       b.body({paragraph(std::move(inlines))});
     },
     ">after<"},
    {"HundredThousandTabs",
     [](auto& b) {
       std::vector<docx::Inline> inlines(100000, mark(InlineKind::tab));
       inlines.push_back(text("last"));
       b.body({paragraph(std::move(inlines))});
     },
     ">last<"},
    {"IndexesOutOfRange",
     [](auto& b) {
       docx::Paragraph p = test::para({mark(InlineKind::drawing, 99), mark(InlineKind::linkStart, -4), text("x"),
                                       mark(InlineKind::fieldStart, 1 << 30), mark(InlineKind::changeStart, 77),
                                       mark(InlineKind::footnoteReference, 1 << 30),
                                       mark(InlineKind::commentReference, -9), mark(InlineKind::symbol, -1, "Symbol"),
                                       mark(InlineKind::symbol, 0x7FFFFFFF, "Arial"), text("y")});
       p.listLabel = 12;
       p.markChange = 1000;
       p.sectionEnd = 1 << 30;
       b.body({test::block(std::move(p)), paragraph({text("z")})});
     },
     ">z<"},
    {"NotesReferringToEachOther",
     [](auto& b) {
       b.footnote({paragraph({text("one"), mark(InlineKind::footnoteReference, 1)})});
       b.footnote({paragraph({text("two"), mark(InlineKind::footnoteReference, 0)})});
       b.body({paragraph({mark(InlineKind::footnoteReference, 0)})});
     },
     ">two<"},
    {"ManyParagraphsInOneDeletedChain",
     [](auto& b) {
       const int gone = b.change(docx::ChangeKind::deletion, "Ann");
       std::vector<docx::Block> blocks;
       for (int k = 0; k < 20000; ++k) {
         docx::Paragraph p = test::para({text("w")});
         p.markChange = gone;
         blocks.push_back(test::block(std::move(p)));
       }
       blocks.push_back(paragraph({text("end")}));
       b.body(std::move(blocks));
     },
     ">end<"},
};

class PageRenderHostile : public testing::TestWithParam<HostileCase> {};

TEST_P(PageRenderHostile, GivesASanePage) {
  DocumentBuilder b;
  GetParam().build(b);
  const std::string page = test::renderWholePage(b.document());
  EXPECT_TRUE(page.ends_with("</body>\n</html>\n"));
  EXPECT_NE(page.find(GetParam().mustHold), std::string::npos);
  // Every element opened is closed: as many start tags of each kind as end tags.
  for (std::string_view name : {"a", "ins", "del", "p", "div", "table", "td", "tr"}) {
    const std::string start = "<" + std::string(name) + (name.size() == 1 ? " " : "");
    EXPECT_EQ(count(page, start) + (name == "p" ? count(page, "<p>") : 0), count(page, "</" + std::string(name) + ">"))
        << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, PageRenderHostile, testing::ValuesIn(kHostileCases), test::caseName);

}  // namespace
}  // namespace vellumine::render
