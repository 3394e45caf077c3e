// extractPackage: the viewer's one call, on every real document of the shared corpus, on
// several threads at once, and with its observer.
#include "package/unzip_docx.h"

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "package/package_workspace.h"
#include "package/vclunzip.h"
#include "support/test_support.h"
#include "support/zip_builder.h"

namespace vellumine {
namespace {

using test::Method;
using test::ZipBuilder;

class CorpusDocument : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(CorpusDocument, ExtractsEveryEntryWhole) {
  test::TempDir dir;
  std::filesystem::path folder = dir.path() / "pkg";
  ASSERT_NO_THROW(extractPackage(GetParam(), folder));
  TVCLUnZip listing;
  listing.SetZipName(GetParam());
  listing.ReadZip();
  ASSERT_GT(listing.Count(), 0u);
  for (std::size_t i = 0; i < listing.Count(); ++i) {
    const TZipHeaderInfo& entry = listing.Entry(i);
    if (entry.isFolder()) continue;
    std::filesystem::path part = folder / entry.name();
    ASSERT_TRUE(std::filesystem::is_regular_file(part)) << entry.name();
    EXPECT_EQ(std::filesystem::file_size(part), entry.uncompressedSize()) << entry.name();
  }
}

INSTANTIATE_TEST_SUITE_P(UnzipDocx, CorpusDocument, ::testing::ValuesIn(test::corpusDocuments()),
                         [](const auto& info) {
                           std::string name;
                           for (char c : info.param.stem().string()) {
                             name += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : '_';
                           }
                           return name + "_" + std::to_string(info.index);
                         });

TEST(UnzipDocx, CreatesThePackageFolderAndReportsWarnings) {
  test::PackageWorkspace ws(
      ZipBuilder().add("word/document.xml", "<w:document/>").add("odd.bin", "x", Method::Stored).compressionMethod(14).build());
  int progress = 0;
  std::vector<std::string> warnings;
  ExtractObserver observer{[&progress] { ++progress; },
                           [&warnings](std::string_view message, std::string_view caption) {
                             warnings.push_back(std::string(caption) + ": " + std::string(message));
                           }};
  extractPackage(ws.archive(), ws.out() / "deeper", observer);
  EXPECT_TRUE(std::filesystem::is_regular_file(ws.out() / "deeper/word/document.xml"));
  EXPECT_EQ(warnings, std::vector<std::string>{"Zip Error: Unknown Compression Method"});
  EXPECT_GT(progress, 0);
}

TEST(UnzipDocx, ExtractsOnSeveralThreadsAtOnce) {
  std::string big(300000, 'x');
  test::PackageWorkspace ws(ZipBuilder()
                                .add("word/document.xml", big)
                                .add("word/media/image1.png", big, Method::Stored)
                                .add("docProps/core.xml", "<core/>")
                                .build());
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      try {
        std::filesystem::path folder = ws.out() / std::to_string(t);
        extractPackage(ws.archive(), folder);
        if (std::filesystem::file_size(folder / "word/media/image1.png") != big.size()) ++failures;
      } catch (...) {
        ++failures;
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(failures.load(), 0);
}

}  // namespace
}  // namespace vellumine
