// vellumine-convert as a user runs it: arguments, exit status, what it writes and where.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "app/docxInfo.h"
#include "app/document_page.h"
#include "app/page_writer.h"
#include "app/version.h"
#include "convert/ddocx.h"
#include "support/foreign_files.h"
#include "support/active_content.h"
#include "support/hostile_markup.h"
#include "support/test_support.h"
#include "support/picture_samples.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

struct RunResult {
  int status = -1;
  std::string output;  // standard output and standard error together
};

std::string quoted(const std::string& s) { return "'" + s + "'"; }

// output holds standard error too unless errors is false, when it goes nowhere.
RunResult runConverter(const std::string& arguments, bool errors = true) {
  const std::string command = std::string(quoted(VELLUMINE_CONVERT)) + " " + arguments + (errors ? " 2>&1" : " 2>/dev/null");
  RunResult result;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// The converter on a pseudo-terminal (script(1)), which is its standard input, output and error.
// script itself reads /dev/null: with its own standard input closed it would run nothing.
RunResult runOnTerminal(const std::string& arguments) {
  return runConverter("--version >/dev/null && script -qec " +
                      quoted(std::string(quoted(VELLUMINE_CONVERT)) + " " + arguments) + " /dev/null </dev/null");
}

fs::path samplePackage() { return test::fixturesDir() / "packages" / "sample"; }

// The page the viewer shows for an extracted package, as it leaves the program.
std::string viewersPage(const fs::path& package, bool includeStories = true,
                        render::ChangesView changes = render::ChangesView::markup) {
  ConversionSettings settings;
  settings.includeStories = includeStories;
  const PageRequest request{PageEngine::faithful, settings, readDocumentProperties(package).title, changes};
  return finishedPage(makeDocumentPage(package, request).page);
}

// A package whose page shows one picture, its file written beside the document part.
void writePackageWithPicture(const fs::path& package, std::string_view pictureBytes) {
  fs::copy(test::fixturesDir() / "packages" / "drawing-aligned", package, fs::copy_options::recursive);
  fs::create_directories(package / "word" / "media");
  WriteTextFile(package / "word" / "media" / "image1.png", pictureBytes);
}

TEST(Cli, HelpExplainsTheOptionsAndSucceeds) {
  const RunResult r = runConverter("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.output.find("--keep-package"), std::string::npos);
  EXPECT_NE(r.output.find("-o FILE"), std::string::npos);
  EXPECT_NE(r.output.find("--embed-images"), std::string::npos);
}

TEST(Cli, VersionNamesTheProgramAndSucceeds) {
  const RunResult r = runConverter("--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, "vellumine-convert " + std::string(kProductVersion) + "\n");
}

TEST(Cli, UsageErrorsExitWithTwo) {
  EXPECT_EQ(runConverter("").status, 2);
  EXPECT_EQ(runConverter(quoted(samplePackage().string())).status, 2);  // no -o
  EXPECT_EQ(runConverter("--frobnicate x -o y").status, 2);
  EXPECT_EQ(runConverter("- -d y < /dev/null").status, 2);  // standard input is read once
  EXPECT_EQ(runConverter("- - -o y < /dev/null").status, 2);
  EXPECT_EQ(runOnTerminal("- -o -").status, 2);  // a .docx is never typed in
}

TEST(Cli, PackageFolderGivesTheViewersPage) {
  test::TempDir out;
  const fs::path page = out.path() / "sample.htm";
  const RunResult r = runConverter(quoted(samplePackage().string()) + " -o " + quoted(page.string()));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(ReadWholeFile(page), viewersPage(samplePackage()));
  EXPECT_FALSE(fs::exists(out.path() / "media"));  // no images, no media folder
}

// The whole document by default, the main text alone with --body-only; --exact gives the earlier
// conversion's page of the main text, with or without --body-only.
TEST(Cli, WholeDocumentByDefaultMainTextAloneWithBodyOnlyExactPageWithExact) {
  const fs::path package = test::fixturesDir() / "packages" / "stories-notes";
  ConversionSettings bodyOnly;
  bodyOnly.includeStories = false;
  const std::string input = quoted(package.string());
  const std::string whole = runConverter(input + " -o -").output;
  const std::string body = runConverter(input + " --body-only -o -").output;
  EXPECT_EQ(whole, viewersPage(package));
  EXPECT_EQ(body, viewersPage(package, false));
  EXPECT_NE(whole, body);
  EXPECT_EQ(runConverter(input + " --exact -o -").output, convertPackageFolder(package, bodyOnly));
  EXPECT_EQ(runConverter(input + " --exact --body-only -o -").output, convertPackageFolder(package, bodyOnly));
  EXPECT_NE(runConverter("--help").output.find("--body-only"), std::string::npos);
  EXPECT_NE(runConverter("--help").output.find("--exact"), std::string::npos);
}

struct ChangesOption {
  std::string name;
  std::string arguments;
  render::ChangesView view;
};

const ChangesOption kChangesOptions[] = {
    {"MarkupByDefault", "", render::ChangesView::markup},
    {"Markup", "--changes=markup", render::ChangesView::markup},
    {"Final", "--changes=final", render::ChangesView::final},
    {"Original", "--changes=original", render::ChangesView::original},
    {"ValueAsTheNextArgument", "--changes original", render::ChangesView::original},
};

class CliChanges : public testing::TestWithParam<ChangesOption> {};

// Each view gives the page the viewer shows in that view.
TEST_P(CliChanges, GivesTheViewersPageInThatView) {
  const fs::path package = test::fixturesDir() / "packages" / "tracked-changes";
  const RunResult r = runConverter(quoted(package.string()) + " " + GetParam().arguments + " -o -");
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(r.output, viewersPage(package, true, GetParam().view));
}

INSTANTIATE_TEST_SUITE_P(Cli, CliChanges, testing::ValuesIn(kChangesOptions), test::caseName);

TEST(CliChanges, ViewsDifferAndBadValuesAreUsageErrors) {
  const std::string input = quoted((test::fixturesDir() / "packages" / "tracked-changes").string());
  const std::string final = runConverter(input + " --changes=final -o -").output;
  EXPECT_NE(final, runConverter(input + " --changes=original -o -").output);
  EXPECT_NE(final, runConverter(input + " -o -").output);
  for (const std::string bad : {"--changes=", "--changes=accepted", "--changes=Final", "--changes"}) {
    const RunResult r = runConverter(input + " -o - " + bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.output.find("--changes"), std::string::npos) << bad << ": " << r.output;
  }
  // The exact page has no view of changes.
  EXPECT_EQ(runConverter(input + " --exact --changes=final -o -").output, runConverter(input + " --exact -o -").output);
  EXPECT_NE(runConverter("--help").output.find("--changes=VIEW"), std::string::npos);
}

// What the reading survived goes to standard error, one line per kind, and the page is written.
TEST(Cli, DamagedPartIsReportedAndThePageWrittenAnyway) {
  test::TempDir package, out;
  fs::create_directories(package.path() / "word");
  WriteTextFile(package.path() / "word" / "document.xml",
                "<w:document><w:body><w:p><w:r><w:t>kept</w:t></w:r></w:p><w:p><w:r><w:t>lost</w:t>");
  const fs::path page = out.path() / "page.htm";
  const RunResult r = runConverter(quoted(package.path().string()) + " -o " + quoted(page.string()));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output.rfind("vellumine-convert: " + package.path().string() + ": warning: word/document.xml is damaged", 0), 0u)
      << r.output;
  EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
  EXPECT_NE(ReadWholeFile(page).find("kept"), std::string::npos);
}

TEST(Cli, DashWritesThePageToStandardOutput) {
  const RunResult r = runConverter(quoted(samplePackage().string()) + " -o -");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.output, viewersPage(samplePackage()));
  // A page that does not reach the output is a failure, not a success with nothing written.
  EXPECT_EQ(runConverter(quoted(samplePackage().string()) + " -o - >/dev/full").status, 1);
}

TEST(Cli, ImagesOfThePackageAreCopiedBesideTheOutput) {
  test::TempDir package, out;
  fs::create_directories(package.path() / "word" / "media");
  WriteTextFile(package.path() / "word" / "document.xml", "<w:body><w:p>x</w:p></w:body>");
  WriteTextFile(package.path() / "word" / "media" / "image1.png", "PNGDATA");
  const RunResult r =
      runConverter(quoted(package.path().string()) + " -o " + quoted((out.path() / "x.htm").string()));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(ReadWholeFile(out.path() / "media" / "image1.png"), "PNGDATA");
}

// A picture converted for the page goes with the page, beside the original, in both modes.
TEST(Cli, ConvertedPicturesAreCopiedWithTheMedia) {
  test::TempDir dir;
  writePackageWithPicture(dir.path() / "doc", test::tinyEmf());
  const std::string document = quoted((dir.path() / "doc").string());
  fs::create_directories(dir.path() / "one");
  const RunResult one = runConverter(document + " -o " + quoted((dir.path() / "one" / "page.htm").string()));
  const RunResult batch = runConverter(document + " -d " + quoted((dir.path() / "batch").string()));
  ASSERT_EQ(one.status, 0) << one.output;
  ASSERT_EQ(batch.status, 0) << batch.output;
  EXPECT_EQ(one.output, "");
  const std::string converted = ReadWholeFile(dir.path() / "doc" / "word" / "media" / "image1.png.svg");
  EXPECT_NE(converted.find("<svg "), std::string::npos);
  EXPECT_NE(ReadWholeFile(dir.path() / "one" / "page.htm").find("<img src=\"media/image1.png.svg\""), std::string::npos);
  EXPECT_EQ(ReadWholeFile(dir.path() / "one" / "media" / "image1.png.svg"), converted);
  EXPECT_NE(ReadWholeFile(dir.path() / "batch" / "doc.htm").find("<img src=\"doc_media/image1.png.svg\""),
            std::string::npos);
  EXPECT_EQ(ReadWholeFile(dir.path() / "batch" / "doc_media" / "image1.png.svg"), converted);
}

TEST(Cli, PictureThatCannotBeConvertedIsAWarning) {
  test::TempDir dir;
  writePackageWithPicture(dir.path() / "doc", test::tiffClaiming(10'000, 6'000));
  const RunResult r = runConverter(quoted((dir.path() / "doc").string()) + " -o " + quoted((dir.path() / "p.htm").string()));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, "vellumine-convert: " + (dir.path() / "doc").string() +
                          ": warning: 1 picture could not be converted (word/media/image1.png)\n");
  EXPECT_NE(ReadWholeFile(dir.path() / "p.htm").find(">picture not converted</span>"), std::string::npos);
}

// What the page leaves as boxes is told on standard error, one line per kind of thing; a document
// that leaves nothing out says nothing (the tests above).
TEST(Cli, ItemsNotShownAreOneWarningLinePerKind) {
  test::TempDir dir;
  const fs::path package = dir.path() / "doc";
  fs::create_directories(package / "word");
  const std::string object = "<w:r><w:object w:dxaOrig=\"1440\" w:dyaOrig=\"720\"/></w:r>";
  WriteTextFile(package / "word" / "document.xml",
                "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
                "<w:p>" + object + object + "<w:r><w:t>after</w:t></w:r></w:p></w:body></w:document>");
  const RunResult r = runConverter(quoted(package.string()) + " -o " + quoted((dir.path() / "p.htm").string()));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, "vellumine-convert: " + package.string() + ": warning: 2 objects not shown\n");
  const std::string page = ReadWholeFile(dir.path() / "p.htm");
  EXPECT_NE(page.find(">object not shown</span>"), std::string::npos);
  EXPECT_NE(page.find("after"), std::string::npos);
}

TEST(Cli, MissingInputFailsWithItsNameAndMessage) {
  test::TempDir out;
  const RunResult r = runConverter("/nonexistent/a.docx -o " + quoted((out.path() / "x.htm").string()));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.output, "vellumine-convert: /nonexistent/a.docx: File not found.\n");
}

TEST(Cli, DamagedDocumentFailsWithTheReadersMessageAndLeavesNoTemporaryFolder) {
  test::TempDir dir;
  const fs::path bad = dir.path() / "bad.docx";
  WriteTextFile(bad, "this is not an archive");
  const RunResult r = runConverter(quoted(bad.string()) + " -o " + quoted((dir.path() / "x.htm").string()));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("bad.docx: "), std::string::npos) << r.output;
  EXPECT_FALSE(fs::exists(dir.path() / "x.htm"));
}

// A file that is no Word package: its message under its name, from a file and from standard
// input alike, and nothing written, not even the package folder asked for.
class CliForeignFile : public testing::TestWithParam<test::ForeignFile> {};

TEST_P(CliForeignFile, FailsWithItsMessageAndWritesNothing) {
  test::TempDir dir;
  const fs::path file = dir.path() / (GetParam().name + ".docx");
  WriteTextFile(file, GetParam().bytes);
  const fs::path page = dir.path() / "page.htm";
  const RunResult fromFile = runConverter(quoted(file.string()) + " -o " + quoted(page.string()) +
                                          " --keep-package " + quoted((dir.path() / "kept").string()));
  EXPECT_EQ(fromFile.status, 1);
  EXPECT_EQ(fromFile.output, "vellumine-convert: " + file.string() + ": " + GetParam().message + "\n");
  const RunResult fromInput = runConverter("- -o - < " + quoted(file.string()));
  EXPECT_EQ(fromInput.status, 1);
  EXPECT_EQ(fromInput.output, "vellumine-convert: -: " + GetParam().message + "\n");
  EXPECT_FALSE(fs::exists(page));
  EXPECT_FALSE(fs::exists(dir.path() / "kept"));
}

INSTANTIATE_TEST_SUITE_P(Cli, CliForeignFile, testing::ValuesIn(test::foreignFiles()), test::caseName);

TEST(Cli, FolderWithoutTheMainDocumentPartFails) {
  test::TempDir package, out;
  fs::create_directories(package.path() / "word");
  WriteTextFile(package.path() / "word" / "styles.xml", "<w:styles/>");
  const RunResult r = runConverter(quoted(package.path().string()) + " -o " + quoted((out.path() / "x.htm").string()));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.output, "vellumine-convert: " + package.path().string() + ": This package holds no Word document.\n");
  EXPECT_FALSE(fs::exists(out.path() / "x.htm"));
}

TEST(Cli, KeepPackageRefusesAFolderThatHoldsFiles) {
  const auto corpus = test::corpusDocuments();
  if (corpus.empty()) GTEST_SKIP() << "corpus not found";
  test::TempDir dir;
  WriteTextFile(dir.path() / "mine.txt", "keep me");
  const RunResult r = runConverter(quoted(corpus.front().string()) + " --keep-package " +
                                   quoted(dir.path().string()) + " -o -");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("exists and is not empty"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(dir.path() / "mine.txt"), "keep me");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(Cli, KeepPackageLeavesTheExtractedPartsForInspection) {
  const auto corpus = test::corpusDocuments();
  if (corpus.empty()) GTEST_SKIP() << "corpus not found";
  test::TempDir dir;
  const fs::path kept = dir.path() / "pkg";
  const RunResult r = runConverter(quoted(corpus.front().string()) + " --keep-package " +
                                   quoted(kept.string()) + " -o " + quoted((dir.path() / "x.htm").string()));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(fs::exists(kept / "[Content_Types].xml"));
  EXPECT_EQ(ReadWholeFile(dir.path() / "x.htm"), viewersPage(kept));
}

// A page, a batch page and standard output all leave through the sanitiser.
TEST(Cli, EveryOutputIsSanitised) {
  test::TempDir package, out;
  fs::create_directories(package.path() / "word" / "_rels");
  WriteTextFile(package.path() / "word" / "document.xml",
                "<w:body><w:p><w:hyperlink r:id=\"rS\"><w:r><w:t>x</w:t></w:r></w:hyperlink><script>alert(1)</script>"
                "</w:p></w:body>");
  WriteTextFile(package.path() / "word" / "_rels" / "document.xml.rels",
                "<Relationships><Relationship Id=\"rS\" Target=\"data:text/html,x\"/></Relationships>");
  const std::string input = quoted(package.path().string());
  const RunResult toStdout = runConverter(input + " -o -");
  const RunResult toFile = runConverter(input + " -o " + quoted((out.path() / "page.htm").string()));
  const RunResult toBatch = runConverter(input + " -d " + quoted((out.path() / "batch").string()));
  ASSERT_EQ(toStdout.status + toFile.status + toBatch.status, 0) << toStdout.output << toFile.output << toBatch.output;
  const std::string batchName = package.path().filename().string() + ".htm";
  for (const std::string& page : {toStdout.output, ReadWholeFile(out.path() / "page.htm"),
                                  ReadWholeFile(out.path() / "batch" / batchName)}) {
    EXPECT_NE(page.find(">x<"), std::string::npos) << page;
    EXPECT_EQ(page.find("script"), std::string::npos) << page;
    for (const std::string& finding : test::findActiveContent(page)) ADD_FAILURE() << finding << "\nin: " << page;
  }
}

// Every output of a Shift_JIS document is UTF-8 (its text converted), says so first, and holds
// nothing active.
TEST(Cli, EveryOutputIsUtf8AndSaysSoFirst) {
  test::TempDir package, out;
  fs::create_directories(package.path() / "word" / "_rels");
  WriteTextFile(package.path() / "word" / "document.xml", test::shiftJisDocumentXml());
  WriteTextFile(package.path() / "word" / "_rels" / "document.xml.rels",
                "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><Relationships/>");
  const std::string input = quoted(package.path().string());
  const RunResult toStdout = runConverter(input + " -o -", false);  // the sample's bad numbers are warned about
  const RunResult toFile = runConverter(input + " -o " + quoted((out.path() / "page.htm").string()));
  const RunResult embedded = runConverter(input + " --embed-images -o " + quoted((out.path() / "embedded.htm").string()));
  const RunResult toBatch = runConverter(input + " -d " + quoted((out.path() / "batch").string()));
  ASSERT_EQ(toStdout.status + toFile.status + embedded.status + toBatch.status, 0)
      << toStdout.output << toFile.output << embedded.output << toBatch.output;
  const std::string batchName = package.path().filename().string() + ".htm";
  for (const std::string& page : {toStdout.output, ReadWholeFile(out.path() / "page.htm"),
                                  ReadWholeFile(out.path() / "embedded.htm"), ReadWholeFile(out.path() / "batch" / batchName)}) {
    const std::size_t head = page.find("<head>");
    ASSERT_NE(head, std::string::npos) << page;
    EXPECT_EQ(page.find_first_not_of(" \r\n", head + 6), page.find("<meta charset=\"utf-8\">")) << page;
    EXPECT_NE(page.find(test::kShiftJisTextAsUtf8), std::string::npos) << page;
    for (const std::string& finding : test::findActiveContent(page)) ADD_FAILURE() << finding << "\nin: " << page;
  }
}

TEST(CliBatch, EachDocumentGetsItsOwnPageAndMediaFolderNamedAfterIt) {
  test::TempDir a, b, out;
  for (const test::TempDir* dir : {&a, &b}) writePackageWithPicture(dir->path() / "report", dir->path().string());
  const RunResult r = runConverter(quoted((a.path() / "report").string()) + " " +
                                   quoted((b.path() / "report").string()) + " -j 2 -d " +
                                   quoted((out.path() / "pages").string()));
  ASSERT_EQ(r.status, 0) << r.output;
  const fs::path pages = out.path() / "pages";
  EXPECT_NE(ReadWholeFile(pages / "report.htm").find("src=\"report_media/image1.png\""), std::string::npos);
  EXPECT_NE(ReadWholeFile(pages / "report (2).htm").find("src=\"report (2)_media/image1.png\""),
            std::string::npos);
  EXPECT_EQ(ReadWholeFile(pages / "report_media" / "image1.png"), a.path().string());
  EXPECT_EQ(ReadWholeFile(pages / "report (2)_media" / "image1.png"), b.path().string());
}

TEST(CliBatch, OneFailedDocumentDoesNotStopTheOthersButFailsTheRun) {
  test::TempDir out;
  const RunResult r = runConverter("/nonexistent/gone.docx " + quoted(samplePackage().string()) +
                                   " -d " + quoted(out.path().string()));
  EXPECT_EQ(r.status, 1);
  // Not on a terminal: the error and nothing else.
  EXPECT_EQ(r.output, "vellumine-convert: /nonexistent/gone.docx: File not found.\n");
  EXPECT_EQ(ReadWholeFile(out.path() / "sample.htm"), viewersPage(samplePackage()));
  EXPECT_FALSE(fs::exists(out.path() / "gone.htm"));
}

TEST(CliBatch, OptionsThatDoNotFitTogetherAreUsageErrors) {
  EXPECT_EQ(runConverter("a b -o x.htm").status, 2);
  EXPECT_EQ(runConverter("a -o x.htm -d y").status, 2);
  EXPECT_EQ(runConverter("a -d y -j 0").status, 2);
  EXPECT_EQ(runConverter("a -d y -j two").status, 2);
}

TEST(CliBatch, TerminalShowsProgressAndASummary) {
  test::TempDir out;
  const std::string sample = quoted(samplePackage().string());
  const RunResult r = runOnTerminal(sample + " /nonexistent/gone.docx " + sample + " -j 1 -d " + quoted(out.path().string()));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("vellumine-convert: /nonexistent/gone.docx: File not found."), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("[1/3] sample"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("[3/3] sample"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("vellumine-convert: 2 converted, 1 failed, "), std::string::npos) << r.output;
}

TEST(CliEmbedImages, PageTakesItsImagesInAndNoMediaFolderIsWritten) {
  test::TempDir dir;
  writePackageWithPicture(dir.path() / "doc", "GIF89a");
  const fs::path single = dir.path() / "single" / "page.htm";
  fs::create_directories(single.parent_path());
  const std::string document = quoted((dir.path() / "doc").string());
  const RunResult one = runConverter(document + " --embed-images -o " + quoted(single.string()));
  const RunResult batch = runConverter(document + " --embed-images -d " + quoted((dir.path() / "batch").string()));
  const RunResult piped = runConverter(document + " --embed-images -o -");
  ASSERT_EQ(one.status, 0) << one.output;
  ASSERT_EQ(batch.status, 0) << batch.output;
  ASSERT_EQ(piped.status, 0) << piped.output;
  const std::string expected = ReplaceAllText(viewersPage(dir.path() / "doc"), "src=\"media/image1.png\"",
                                              "src=\"data:image/gif;base64,R0lGODlh\"");
  EXPECT_NE(expected.find("R0lGODlh"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(single), expected);
  EXPECT_EQ(ReadWholeFile(dir.path() / "batch" / "doc.htm"), expected);
  EXPECT_EQ(piped.output, expected);
  EXPECT_FALSE(fs::exists(single.parent_path() / "media"));
  EXPECT_FALSE(fs::exists(dir.path() / "batch" / "doc_media"));
}

TEST(CliEmbedImages, ImageThatCannotBeEmbeddedIsEmptiedWithAWarning) {
  test::TempDir dir;
  writePackageWithPicture(dir.path() / "doc", "<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
  const RunResult r = runConverter(quoted((dir.path() / "doc").string()) + " --embed-images -o " +
                                   quoted((dir.path() / "page.htm").string()));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(ReadWholeFile(dir.path() / "page.htm").find("<img src=\"\" class="), std::string::npos);
  EXPECT_EQ(r.output, "vellumine-convert: " + (dir.path() / "doc").string() +
                          ": warning: image media/image1.png left out: not an image type browsers show (png, jpeg, "
                          "gif, bmp, webp)\n");
}

// A TIFF becomes a PNG, which is embedded; a metafile becomes an SVG, which never is.
TEST(CliEmbedImages, ConvertedPngIsEmbeddedConvertedSvgIsNot) {
  test::TempDir dir;
  writePackageWithPicture(dir.path() / "tiff", test::tinyTiff(2, 2));
  writePackageWithPicture(dir.path() / "emf", test::tinyEmf());
  const RunResult tiff = runConverter(quoted((dir.path() / "tiff").string()) + " --embed-images -o -", false);
  const RunResult emf = runConverter(quoted((dir.path() / "emf").string()) + " --embed-images -o " +
                                     quoted((dir.path() / "emf.htm").string()));
  ASSERT_EQ(tiff.status, 0);
  EXPECT_NE(tiff.output.find("<img src=\"data:image/png;base64,iVBORw0KGgo"), std::string::npos) << tiff.output;
  EXPECT_EQ(emf.status, 0);
  EXPECT_NE(ReadWholeFile(dir.path() / "emf.htm").find("<img src=\"\" class="), std::string::npos);
  EXPECT_EQ(emf.output, "vellumine-convert: " + (dir.path() / "emf").string() +
                            ": warning: image media/image1.png.svg left out: not an image type browsers show (png, "
                            "jpeg, gif, bmp, webp)\n");
}

// Standard input is the same document as the file: the same page, or the same failure, under the name "-".
void expectSameAsTheFile(const fs::path& document) {
  const RunResult fromFile = runConverter(quoted(document.string()) + " -o -");
  const RunResult fromInput = runConverter("- -o - < " + quoted(document.string()));
  EXPECT_EQ(fromInput.status, fromFile.status);
  EXPECT_SAME_TEXT(fromInput.output, ReplaceAllText(fromFile.output, "vellumine-convert: " + document.string() + ": ",
                                                    "vellumine-convert: -: "));
}

class CorpusStandardInput : public testing::TestWithParam<fs::path> {};

TEST_P(CorpusStandardInput, GivesThePageOfTheFile) { expectSameAsTheFile(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusStandardInput, testing::ValuesIn(test::corpusDocuments()), test::corpusTestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusStandardInput);

TEST(CliStandardInput, DamagedInputFailsAsTheDamagedFileDoes) {
  const auto corpus = test::corpusDocuments();
  if (corpus.empty()) GTEST_SKIP() << "corpus not found";
  const std::string whole = ReadWholeFile(corpus.front());
  struct Damage {
    std::string name;
    std::string bytes;
  };
  const Damage damages[] = {
      {"text.docx", "this is not an archive"},
      {"head.docx", whole.substr(0, whole.size() / 2)},  // the end record is gone
      // The entries' data zeroed, the directory kept.
      {"zeroed.docx", whole.substr(0, whole.size() / 4) + std::string(whole.size() / 2, '\0') +
                          whole.substr(whole.size() / 4 + whole.size() / 2)},
  };
  test::TempDir dir;
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.name);
    const fs::path file = dir.path() / damage.name;
    WriteTextFile(file, damage.bytes);
    expectSameAsTheFile(file);
    EXPECT_EQ(runConverter("- -o - < " + quoted(file.string())).status, 1);
  }
}

}  // namespace
}  // namespace vellumine
