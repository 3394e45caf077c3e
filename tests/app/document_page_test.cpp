// makeDocumentPage with the views of tracked changes: the hand-made package with every kind of
// change gives its stored page in each view, the page leaves the sanitiser as it went in (<ins>,
// <del>, their titles and the authors' colours all survive), and the exact engine ignores the view.
// Word's page marks: kept by the sanitiser on the faithful page, no trace of them on the exact one.
#include "app/document_page.h"

#include <gtest/gtest.h>

#include "app/docxInfo.h"
#include "app/page_writer.h"
#include "support/page_support.h"
#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;
using render::ChangesView;

fs::path trackedChangesPackage() { return test::fixturesDir() / "packages" / "tracked-changes"; }

DocumentPage pageOf(const fs::path& package, ChangesView view, PageEngine engine = PageEngine::faithful) {
  PageRequest request{engine, {}, readDocumentProperties(package).title, view};
  if (engine == PageEngine::exact) request.settings.includeStories = false;
  return makeDocumentPage(package, request);
}

struct StoredView {
  std::string name;
  ChangesView view;
};

const StoredView kStoredViews[] = {
    {"tracked-changes-markup", ChangesView::markup},
    {"tracked-changes-final", ChangesView::final},
    {"tracked-changes-original", ChangesView::original},
};

class DocumentPageChanges : public testing::TestWithParam<StoredView> {};

TEST_P(DocumentPageChanges, GivesTheStoredPageUntouchedByTheSanitiser) {
  const DocumentPage made = pageOf(trackedChangesPackage(), GetParam().view);
  EXPECT_EQ(made.trackedChanges, 15u);
  EXPECT_TRUE(made.warnings.empty());
  EXPECT_TRUE(test::SameStoredPage(GetParam().name, made.page));
  EXPECT_SAME_TEXT(finishedPage(made.page), made.page);
}

std::string viewName(const testing::TestParamInfo<StoredView>& info) {
  std::string name = info.param.name;
  for (char& c : name) {
    if (c == '-') c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Views, DocumentPageChanges, testing::ValuesIn(kStoredViews), viewName);

// What each view must never show: deleted words in the final view, inserted ones in the original.
TEST(DocumentPageChanges, FinalShowsNoDeletedWordAndOriginalNoInsertedOne) {
  const std::string final = pageOf(trackedChangesPackage(), ChangesView::final).page;
  const std::string original = pageOf(trackedChangesPackage(), ChangesView::original).page;
  for (std::string_view deleted : {"drafted", "Moved words ", "old ", "Deleted"}) {
    EXPECT_EQ(final.find(deleted), std::string::npos) << deleted;
    EXPECT_NE(original.find(deleted), std::string::npos) << deleted;
  }
  for (std::string_view inserted : {"finished", " moved words", "Inserted", "an escaped author"}) {
    EXPECT_EQ(original.find(inserted), std::string::npos) << inserted;
    EXPECT_NE(final.find(inserted), std::string::npos) << inserted;
  }
}

TEST(DocumentPageChanges, ExactEngineIgnoresTheView) {
  const fs::path package = trackedChangesPackage();
  const DocumentPage markup = pageOf(package, ChangesView::markup, PageEngine::exact);
  EXPECT_EQ(pageOf(package, ChangesView::final, PageEngine::exact).page, markup.page);
  EXPECT_EQ(pageOf(package, ChangesView::original, PageEngine::exact).page, markup.page);
  EXPECT_EQ(markup.trackedChanges, 0u);
}

// ---- Word's page marks ----

// A package of a paragraph broken by Word's page and a table row that starts Word's next page,
// with the marks or without them.
class WordPageMarks : public testing::Test {
 protected:
  fs::path packageOf(bool marks) {
    const std::string mark = marks ? "<w:lastRenderedPageBreak/>" : "";
    const auto cell = [&](const std::string& text) {
      return "<w:tc><w:p><w:r>" + mark + "<w:t>" + text + "</w:t></w:r></w:p></w:tc>";
    };
    const std::string body =
        "<w:p><w:r><w:t xml:space=\"preserve\">Before the break </w:t>" + mark +
        "<w:t>after it.</w:t></w:r></w:p><w:tbl><w:tblGrid><w:gridCol w:w=\"3000\"/><w:gridCol w:w=\"3000\"/>"
        "</w:tblGrid><w:tr>" + cell("Q2") + cell("1,344") + "</w:tr></w:tbl><w:p/>";
    const fs::path package = folders.path() / (marks ? "marked" : "plain");
    fs::create_directories(package / "word");
    WriteTextFile(package / "word" / "document.xml",
                  "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>" +
                      body + "</w:body></w:document>");
    return package;
  }
  test::TempDir folders;
};

TEST_F(WordPageMarks, FaithfulPageKeepsThemNumberedThroughTheSanitiser) {
  const DocumentPage made = pageOf(packageOf(true), ChangesView::markup);
  EXPECT_NE(made.page.find("Before the break <span class=\"vm-wpb\" data-word-page=\"2\"></span>after it."),
            std::string::npos);
  // The row's two cells mark the same page.
  const std::string third = "<td class=\"c1\"><p class=\"p1\"><span class=\"vm-wpb\" data-word-page=\"3\"></span>";
  const std::size_t first = made.page.find(third);
  ASSERT_NE(first, std::string::npos) << made.page;
  EXPECT_NE(made.page.find(third, first + 1), std::string::npos);
  EXPECT_SAME_TEXT(finishedPage(made.page), made.page);
}

TEST_F(WordPageMarks, ExactPageIsTheSameWithoutThem) {
  const std::string marked = pageOf(packageOf(true), ChangesView::markup, PageEngine::exact).page;
  EXPECT_EQ(marked.find("vm-wpb"), std::string::npos);
  EXPECT_EQ(marked, pageOf(packageOf(false), ChangesView::markup, PageEngine::exact).page);
}

}  // namespace
}  // namespace vellumine
