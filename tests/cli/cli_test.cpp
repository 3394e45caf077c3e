// vellumine-convert as a user runs it: arguments, exit status, what it writes and where.
#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "support/test_support.h"
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

RunResult runConverter(const std::string& arguments) {
  const std::string command = std::string(quoted(VELLUMINE_CONVERT)) + " " + arguments + " 2>&1";
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

fs::path samplePackage() { return test::fixturesDir() / "packages" / "sample"; }

TEST(Cli, HelpExplainsTheOptionsAndSucceeds) {
  const RunResult r = runConverter("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.output.find("--keep-package"), std::string::npos);
  EXPECT_NE(r.output.find("-o FILE"), std::string::npos);
}

TEST(Cli, UsageErrorsExitWithTwo) {
  EXPECT_EQ(runConverter("").status, 2);
  EXPECT_EQ(runConverter(quoted(samplePackage().string())).status, 2);  // no -o
  EXPECT_EQ(runConverter("--frobnicate x -o y").status, 2);
}

TEST(Cli, PackageFolderGivesTheViewersFramedPage) {
  test::TempDir out;
  const fs::path page = out.path() / "sample.htm";
  const RunResult r = runConverter(quoted(samplePackage().string()) + " -o " + quoted(page.string()));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(ReadWholeFile(page), convertPackageFolder(samplePackage()));
  EXPECT_FALSE(fs::exists(out.path() / "media"));  // no images, no media folder
}

TEST(Cli, WholeDocumentByDefaultMainTextAloneWithBodyOnly) {
  const fs::path package = test::fixturesDir() / "packages" / "stories-notes";
  ConversionSettings bodyOnly;
  bodyOnly.includeStories = false;
  EXPECT_EQ(runConverter(quoted(package.string()) + " -o -").output, convertPackageFolder(package));
  EXPECT_EQ(runConverter(quoted(package.string()) + " --body-only -o -").output, convertPackageFolder(package, bodyOnly));
  EXPECT_NE(runConverter("--help").output.find("--body-only"), std::string::npos);
}

TEST(Cli, DashWritesThePageToStandardOutput) {
  const RunResult r = runConverter(quoted(samplePackage().string()) + " -o -");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.output, convertPackageFolder(samplePackage()));
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
  EXPECT_EQ(ReadWholeFile(dir.path() / "x.htm"), convertPackageFolder(kept));
}

TEST(CliBatch, EachDocumentGetsItsOwnPageAndMediaFolderNamedAfterIt) {
  test::TempDir a, b, out;
  for (const test::TempDir* dir : {&a, &b}) {
    fs::create_directories(dir->path() / "report" / "word" / "media");
    WriteTextFile(dir->path() / "report" / "word" / "document.xml",
                  "<w:body><w:p>src=\"media/image1.png\"</w:p></w:body>");
    WriteTextFile(dir->path() / "report" / "word" / "media" / "image1.png", dir->path().string());
  }
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
  EXPECT_NE(r.output.find("vellumine-convert: /nonexistent/gone.docx: File not found."), std::string::npos);
  EXPECT_EQ(ReadWholeFile(out.path() / "sample.htm"), convertPackageFolder(samplePackage()));
  EXPECT_FALSE(fs::exists(out.path() / "gone.htm"));
}

TEST(CliBatch, OptionsThatDoNotFitTogetherAreUsageErrors) {
  EXPECT_EQ(runConverter("a b -o x.htm").status, 2);
  EXPECT_EQ(runConverter("a -o x.htm -d y").status, 2);
  EXPECT_EQ(runConverter("a -d y -j 0").status, 2);
  EXPECT_EQ(runConverter("a -d y -j two").status, 2);
}

}  // namespace
}  // namespace vellumine
