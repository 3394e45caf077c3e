// The exact page is frozen: every corpus document's page, as vellumine-convert --exact writes it
// (framed, declared UTF-8, sanitised: finishedPage), with and without the stories, must stay byte for byte what
// tests/fixtures/exact_pages.tsv records (size and a 64-bit FNV-1a digest per page).  A mend that
// changes pages on purpose rewrites the table with
//   VELLUMINE_UPDATE_EXACT_PAGES=1 build/tests/convert/convert_tests --gtest_filter='Corpus/ExactPage*'
// and the diff of the table shows which documents changed.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "app/page_writer.h"
#include "package/unzip_docx.h"
#include "support/test_support.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

fs::path tablePath() { return test::fixturesDir() / "exact_pages.tsv"; }

std::string documentId(const fs::path& docx) {
  return docx.parent_path().filename().string() + "_" + docx.stem().string();
}

std::string digest(const std::string& page) {
  std::uint64_t hash = 1469598103934665603ull;
  for (unsigned char c : page) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  static const char kHex[] = "0123456789abcdef";
  std::string out(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) out[static_cast<std::size_t>(i)] = kHex[hash & 0xF];
  return out;
}

// "size digest" of the page the exact engine writes for one variant.
std::string pageRecord(const fs::path& package, bool includeStories) {
  ConversionSettings settings;
  settings.includeStories = includeStories;
  const std::string page = finishedPage(convertPackageFolder(package, settings));
  return std::to_string(page.size()) + " " + digest(page);
}

// The stored table: "id\tvariant" -> "size digest".
std::map<std::string, std::string> readTable() {
  std::map<std::string, std::string> table;
  std::ifstream in(tablePath());
  std::string id, variant, size, hash;
  while (in >> id >> variant >> size >> hash) table[id + "\t" + variant] = size + " " + hash;
  return table;
}

bool updating() { return std::getenv("VELLUMINE_UPDATE_EXACT_PAGES") != nullptr; }

// In update mode each test adds its rows and the whole table is written again.
void recordRows(const std::string& id, const std::string& body, const std::string& full) {
  static std::mutex lock;
  std::lock_guard<std::mutex> guard(lock);
  std::map<std::string, std::string> table = readTable();
  table[id + "\tbody"] = body;
  table[id + "\tfull"] = full;
  std::ofstream out(tablePath(), std::ios::trunc);
  for (const auto& [key, value] : table) {
    std::string fields = value;
    fields[fields.find(' ')] = '\t';
    out << key << "\t" << fields << "\n";
  }
}

class ExactPage : public testing::TestWithParam<fs::path> {};

TEST_P(ExactPage, StaysByteForByte) {
  test::TempDir package;
  ASSERT_NO_THROW(extractPackage(GetParam(), package.path()));
  const std::string id = documentId(GetParam());
  const std::string body = pageRecord(package.path(), false);
  const std::string full = pageRecord(package.path(), true);
  if (updating()) {
    recordRows(id, body, full);
    return;
  }
  static const std::map<std::string, std::string> table = readTable();
  auto expected = [&](const char* variant) {
    auto it = table.find(id + "\t" + variant);
    return it == table.end() ? std::string("(no row)") : it->second;
  };
  EXPECT_EQ(body, expected("body")) << id << ": the page without stories changed";
  EXPECT_EQ(full, expected("full")) << id << ": the page with stories changed";
}

INSTANTIATE_TEST_SUITE_P(Corpus, ExactPage, testing::ValuesIn(test::corpusDocuments()), test::corpusTestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ExactPage);

}  // namespace
}  // namespace vellumine
