#include "app/load_document.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/document_kind_errors.h"
#include "app/session_folder.h"
#include "convert/ddocx.h"
#include "docx_writer.h"
#include "support/foreign_files.h"
#include "support/active_content.h"
#include "support/hostile_markup.h"
#include "support/test_support.h"
#include "support/zip_builder.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Records what a load shows.
struct Recorder {
  std::vector<int> progress;
  std::vector<std::string> steps;
  std::vector<std::string> captions;
  std::vector<fs::path> navigations;
  int finished = 0;

  LoadObserver observer() {
    LoadObserver o;
    o.showProgress = [this](int p, std::string_view step) {
      progress.push_back(p);
      steps.emplace_back(step);
    };
    o.setCaption = [this](const std::string& caption) { captions.push_back(caption); };
    o.navigate = [this](const fs::path& html) { navigations.push_back(html); };
    o.finished = [this] { ++finished; };
    return o;
  }
};

class LoadDocument : public testing::Test {
 protected:
  test::TempDir dir;
  fs::path tmp = dir.path() / "tmp";
  fs::path docs = dir.path() / "docs";
  DocumentState state;
  Recorder recorder;

  void SetUp() override {
    fs::create_directories(tmp);
    fs::create_directories(docs);
    state.tmpFolder = tmp;
  }

  fs::path makeDocx(const std::string& name, const std::vector<std::string>& paragraphs,
                    const std::vector<test::PackagePart>& extra = {}) {
    fs::path path = docs / name;
    test::writeDocx(path, paragraphs, extra);
    return path;
  }

  void load(const fs::path& path) { loadDocument(state, path, recorder.observer()); }
};

TEST_F(LoadDocument, WritesThePageBesideTheDocumentPart) {
  fs::path doc = makeDocx("Report.docx", {"First paragraph"}, {{"docProps/core.xml", test::coreXml("Q3 &lt;report&gt; R&amp;D", "A", "")}});
  load(doc);
  EXPECT_EQ(state.packageFolder, tmp / "Report");
  EXPECT_EQ(state.documentXmlPath, tmp / "Report" / "word" / "document.xml");
  EXPECT_EQ(state.htmlPath, tmp / "Report" / "word" / "doc.html");
  EXPECT_EQ(state.currentDocumentPath, doc);
  const std::string page = readFile(state.htmlPath);
  EXPECT_NE(page.find("First paragraph"), std::string::npos) << page;
  EXPECT_NE(page.find("<title>Q3 &lt;report&gt; R&amp;D</title>"), std::string::npos) << page;
  EXPECT_EQ(state.conversion, nullptr);  // only the exact page keeps its conversion
  EXPECT_TRUE(state.warnings.empty());
  EXPECT_TRUE(state.documentLoaded);
  EXPECT_FALSE(state.loading);
}

TEST_F(LoadDocument, ExactPageIsFramedOnlyInTheWrittenPage) {
  state.engine = PageEngine::exact;
  load(makeDocx("Report.docx", {"First paragraph"}));
  const std::string page = readFile(state.htmlPath);
  EXPECT_NE(page.find("First paragraph"), std::string::npos);
  EXPECT_NE(page.find("<div id=\"page\">"), std::string::npos);
  EXPECT_NE(page.find(";border:none;}#page{width:"), std::string::npos);
  ASSERT_NE(state.conversion, nullptr);
  EXPECT_EQ(state.conversion->text.find("<div id=\"page\">"), std::string::npos);
  EXPECT_EQ(state.conversion->text.find("#page{width:"), std::string::npos);
}

// A main part cut off in the middle: the text before the fault is shown and the load says why.
TEST_F(LoadDocument, DamagedDocumentShowsWhatWasReadAndWarns) {
  std::string xml = test::documentXml({"Read before the fault", "Lost after it"});
  xml.resize(xml.find("Lost after"));
  const fs::path path = docs / "Cut.docx";
  test::writeZip(path, {{"word/document.xml", xml}});
  load(path);
  EXPECT_NE(readFile(state.htmlPath).find("Read before the fault"), std::string::npos);
  ASSERT_EQ(state.warnings.size(), 1u);
  EXPECT_NE(state.warnings.front().find("word/document.xml"), std::string::npos) << state.warnings.front();
  EXPECT_EQ(recorder.finished, 1);

  load(makeDocx("Good.docx", {"Sound"}));
  EXPECT_TRUE(state.warnings.empty());  // the next document starts clean
}

// word/doc.html of a Shift_JIS document: UTF-8 (its text converted), said first, nothing active.
TEST_F(LoadDocument, ViewersPageIsUtf8AndSaysSoFirst) {
  const fs::path path = docs / "shift_jis.docx";
  test::writeZip(path, {{"word/document.xml", test::shiftJisDocumentXml()}});
  load(path);
  const std::string page = readFile(state.htmlPath);
  // Said before anything else in the head: the browser must not guess from what precedes it.
  const std::size_t head = page.find("<head>");
  ASSERT_NE(head, std::string::npos) << page;
  EXPECT_EQ(page.find_first_not_of(" \r\n", head + 6), page.find("<meta charset=\"utf-8\">")) << page;
  EXPECT_NE(page.find(test::kShiftJisTextAsUtf8), std::string::npos) << page;
  for (const std::string& finding : test::findActiveContent(page)) ADD_FAILURE() << finding << "\nin: " << page;
}

// Four steps of the load around the engine's own: the faithful engine's four, the pass table's.
class LoadSteps : public LoadDocument, public testing::WithParamInterface<PageEngine> {};

std::size_t engineSteps(PageEngine engine) {
  if (engine == PageEngine::faithful) return 5;  // reading, numbering, converting pictures, writing, done
  std::size_t steps = 0;
  for (const ConversionStep& step : conversionSteps()) steps += step.stepText.empty() ? 0 : 1;
  return steps;
}

TEST_P(LoadSteps, ReportsEveryStepAndHandsThePageOver) {
  state.engine = GetParam();
  load(makeDocx("Report.docx", {"Text"}));
  const std::size_t steps = 4 + engineSteps(GetParam());
  ASSERT_EQ(recorder.progress.size(), steps + 1);
  EXPECT_EQ(recorder.progress.front(), 0);
  EXPECT_EQ(recorder.progress.back(), static_cast<int>(10 * steps));
  EXPECT_EQ(recorder.steps[1], kStepLoadingDocument);
  EXPECT_EQ(recorder.steps[2], kStepLoadingXml);
  EXPECT_EQ(recorder.steps[steps - 1], kStepPreparingShow);
  EXPECT_EQ(recorder.steps[steps], kStepLoadingHtml);
  EXPECT_EQ(recorder.captions, std::vector<std::string>{"Vellumine - " + (docs / "Report.docx").string()});
  EXPECT_EQ(recorder.navigations, std::vector<fs::path>{state.htmlPath});
  EXPECT_EQ(recorder.finished, 1);
}

INSTANTIATE_TEST_SUITE_P(BothEngines, LoadSteps, testing::Values(PageEngine::faithful, PageEngine::exact),
                         [](const testing::TestParamInfo<PageEngine>& info) {
                           return std::string(info.param == PageEngine::faithful ? "Faithful" : "Exact");
                         });

TEST_F(LoadDocument, SecondDocumentDeletesTheFirstPackageFolder) {
  load(makeDocx("Report.docx", {"One"}));
  fs::create_directories(docs / "b");
  fs::path other = docs / "b" / "Other.docx";
  test::writeDocx(other, {"Two"});
  load(other);
  EXPECT_FALSE(fs::exists(tmp / "Report"));
  EXPECT_TRUE(fs::exists(tmp / "Other" / "word" / "document.xml"));
  EXPECT_TRUE(fs::exists(tmp / "Other" / "word" / "doc.html"));
}

TEST_F(LoadDocument, SameDocumentTwiceShowsTheSamePage) {
  fs::path doc = makeDocx("Report.docx", {"Same"});
  load(doc);
  std::string first = readFile(state.htmlPath);
  std::ofstream(tmp / "Report" / "stale.txt") << "from the first load";
  load(doc);
  EXPECT_FALSE(fs::exists(tmp / "Report" / "stale.txt"));
  EXPECT_EQ(readFile(state.htmlPath), first);
}

TEST_F(LoadDocument, MissingCorePropertiesLoadWithEmptyTexts) {
  load(makeDocx("Bare.docx", {"No properties"}));
  EXPECT_EQ(state.properties.title, "");
  EXPECT_EQ(state.properties.author, "");
  EXPECT_EQ(state.properties.created, "");
  EXPECT_EQ(recorder.finished, 1);
}

TEST_F(LoadDocument, CorePropertiesAreRead) {
  load(makeDocx("Props.docx", {"x"}, {{"docProps/core.xml", test::coreXml("T", "A", "2009-04-21T08:12:00Z")}}));
  EXPECT_EQ(state.properties.title, "T");
  EXPECT_EQ(state.properties.author, "A");
  EXPECT_EQ(state.properties.created, "2009-04-21");
}

TEST_F(LoadDocument, FailedLoadKeepsThePreviousPageButNotItsFolder) {
  fs::path good = makeDocx("Good.docx", {"Good text"});
  load(good);
  const Conversion* shown = state.conversion.get();
  fs::path bad = docs / "Broken.docx";
  std::ofstream(bad) << "this is not a zip archive at all, just text long enough to scan";
  Recorder failing;
  EXPECT_THROW(loadDocument(state, bad, failing.observer()), std::runtime_error);
  EXPECT_FALSE(fs::exists(tmp / "Good"));             // deleted before the extraction failed
  EXPECT_TRUE(failing.captions.empty());              // the caption changes only after extraction
  EXPECT_TRUE(failing.navigations.empty());
  EXPECT_EQ(failing.finished, 0);
  EXPECT_EQ(state.conversion.get(), shown);           // the view keeps the previous page
  EXPECT_TRUE(state.documentLoaded);
  EXPECT_FALSE(state.loading);
  EXPECT_EQ(state.packageFolder, tmp / "Broken");
}

// A file that is no Word package changes nothing: the shown document, its folder and its page stay.
class LoadForeignFile : public LoadDocument, public testing::WithParamInterface<test::ForeignFile> {};

TEST_P(LoadForeignFile, FailsWithItsMessageAndKeepsThePreviousDocument) {
  const fs::path good = makeDocx("Good.docx", {"Good text"});
  load(good);
  const std::string page = readFile(state.htmlPath);
  const Conversion* shown = state.conversion.get();
  const fs::path foreign = docs / (GetParam().name + ".docx");
  WriteTextFile(foreign, GetParam().bytes);
  Recorder failing;
  try {
    loadDocument(state, foreign, failing.observer());
    ADD_FAILURE() << "loaded";
  } catch (const ENotAWordDocument& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().message);
  }
  EXPECT_EQ(state.currentDocumentPath, good);
  EXPECT_EQ(state.packageFolder, tmp / "Good");
  EXPECT_EQ(readFile(state.htmlPath), page);
  EXPECT_EQ(state.conversion.get(), shown);
  EXPECT_FALSE(fs::exists(tmp / GetParam().name));
  EXPECT_TRUE(failing.progress.empty());  // not even the gauge moved
  EXPECT_FALSE(state.loading);
}

INSTANTIATE_TEST_SUITE_P(LoadDocument, LoadForeignFile, testing::ValuesIn(test::foreignFiles()), test::caseName);

TEST_F(LoadDocument, MainPartThatDoesNotUnpackFailsOnceUnpacked) {
  load(makeDocx("Good.docx", {"Good text"}));
  const fs::path locked = docs / "Locked.docx";
  WriteTextFile(locked, test::ZipBuilder().add("word/document.xml", test::documentXml({"x"})).encrypted().build());
  EXPECT_THROW(load(locked), ENoWordDocument);
  EXPECT_FALSE(fs::exists(tmp / "Good"));  // as for any failed extraction
  EXPECT_EQ(recorder.finished, 1);
}

TEST_F(LoadDocument, NonLatinNamesOpen) {
  fs::path doc = makeDocx("Отчёт 報告.docx", {"Unicode name"});
  load(doc);
  EXPECT_EQ(state.packageFolder, tmp / "Отчёт 報告");
  EXPECT_NE(readFile(state.htmlPath).find("Unicode name"), std::string::npos);
}

TEST_F(LoadDocument, DotNamesNeverTouchTmpOrItsParent) {
  std::ofstream(dir.path() / "beside-tmp.txt") << "keep";
  std::ofstream(tmp / "in-tmp.txt") << "keep";
  for (const char* name : {"...docx", "..docx", ".docx"}) {
    load(makeDocx(name, {"dots"}));
    EXPECT_EQ(state.packageFolder.parent_path(), tmp) << name;
  }
  load(makeDocx("Plain.docx", {"after"}));
  EXPECT_TRUE(fs::exists(dir.path() / "beside-tmp.txt"));
  EXPECT_TRUE(fs::exists(tmp / "in-tmp.txt"));
  EXPECT_FALSE(fs::exists(tmp / "_"));
}

TEST_F(LoadDocument, ALoadInsideALoadIsRefused) {
  fs::path doc = makeDocx("Report.docx", {"x"});
  bool refused = false;
  LoadObserver observer;
  observer.showProgress = [&](int progress, std::string_view) {
    if (progress != 10) return;
    try {
      loadDocument(state, doc, {});
    } catch (const std::runtime_error& e) {
      refused = std::string(e.what()) == "A document is still loading.";
    }
  };
  loadDocument(state, doc, observer);
  EXPECT_TRUE(refused);
}

TEST_F(LoadDocument, CloseDeletesThePackageFolderAndKeepsTmp) {
  load(makeDocx("Report.docx", {"x"}));
  closeDocument(state);
  EXPECT_FALSE(fs::exists(tmp / "Report"));
  EXPECT_TRUE(fs::is_directory(tmp));
}

TEST_F(LoadDocument, CloseShownDocumentForgetsTheDocumentAndKeepsTheWindowsChoices) {
  state.settings.includeStories = false;
  state.engine = PageEngine::exact;
  load(makeDocx("Report.docx", {"x"}));
  const fs::path session = state.tmpFolder;
  closeShownDocument(state);
  EXPECT_FALSE(fs::exists(tmp / "Report"));
  EXPECT_TRUE(fs::is_directory(tmp));
  EXPECT_EQ(state.tmpFolder, session);
  EXPECT_FALSE(state.settings.includeStories);
  EXPECT_EQ(state.engine, PageEngine::exact);
  EXPECT_TRUE(state.packageFolder.empty());
  EXPECT_TRUE(state.currentDocumentPath.empty());
  EXPECT_TRUE(state.htmlPath.empty());
  EXPECT_EQ(state.conversion, nullptr);
  EXPECT_TRUE(state.warnings.empty());
  EXPECT_FALSE(state.documentLoaded);
  EXPECT_EQ(state.progress, 0);
}

TEST_F(LoadDocument, CloseShownDocumentIsRefusedWhileALoadRuns) {
  fs::path doc = makeDocx("Report.docx", {"x"});
  bool refused = false;
  LoadObserver observer;
  observer.showProgress = [&](int progress, std::string_view) {
    if (progress != 10) return;
    try {
      closeShownDocument(state);
    } catch (const std::runtime_error& e) {
      refused = std::string(e.what()) == "A document is still loading.";
    }
  };
  loadDocument(state, doc, observer);
  EXPECT_TRUE(refused);
  EXPECT_TRUE(fs::exists(state.htmlPath));
}

TEST_F(LoadDocument, TwoViewersKeepTheirOwnPackageFolders) {
  fs::path doc = makeDocx("Report.docx", {"shared name"});
  SessionFolder firstSession(tmp);
  SessionFolder secondSession(tmp);
  DocumentState first;
  first.tmpFolder = firstSession.path();
  DocumentState second;
  second.tmpFolder = secondSession.path();
  loadDocument(first, doc, {});
  loadDocument(second, doc, {});
  closeDocument(second);
  EXPECT_TRUE(fs::exists(first.htmlPath));
  EXPECT_FALSE(fs::exists(second.packageFolder));
}

}  // namespace
}  // namespace vellumine
