// The sniffer on files built in code: every foreign kind gets its message, every Word package and
// every file the sniffer cannot judge passes to the extraction, and the folder check after
// extraction agrees with the archive check.
#include "app/document_sniffer.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/document_kind_errors.h"
#include "package/unzip_docx.h"
#include "support/foreign_files.h"
#include "support/test_support.h"
#include "support/zip_builder.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;
using test::Method;
using test::ZipBuilder;

// The message a check fails with; empty when it passes.
std::string failureOf(const std::function<void()>& check) {
  try {
    check();
  } catch (const ENotAWordDocument& e) {
    return e.what();
  }
  return {};
}

fs::path written(const test::TempDir& dir, const std::string& name, const std::string& bytes) {
  const fs::path file = dir.path() / (name + ".docx");
  WriteTextFile(file, bytes);
  return file;
}

std::string relationshipsNaming(const std::string& target) {
  return "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
         "relationships/officeDocument\" Target=\"" + target + "\"/></Relationships>";
}

const std::string kNoWordDocument = "This package holds no Word document.";

class ForeignFile : public testing::TestWithParam<test::ForeignFile> {};

TEST_P(ForeignFile, GetsItsMessageBeforeAndAfterExtraction) {
  test::TempDir dir;
  const fs::path file = written(dir, GetParam().name, GetParam().bytes);
  EXPECT_EQ(failureOf([&] { checkDocumentFile(file); }), GetParam().message);
  // An archive unpacked anyway (the folder check is what a folder input gets) fails the same way.
  if (GetParam().bytes.starts_with("PK")) {
    extractPackage(file, dir.path() / "package");
    EXPECT_EQ(failureOf([&] { checkPackageFolder(dir.path() / "package"); }), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(DocumentSniffer, ForeignFile, testing::ValuesIn(test::foreignFiles()), test::caseName);

// Files the archive check lets through, and what the folder check says once they are unpacked.
struct PassingCase {
  std::string name;
  std::string bytes;
  std::optional<std::string> afterExtraction;  // nullopt: no archive to unpack
};
void PrintTo(const PassingCase& c, std::ostream* os) { *os << c.name; }

std::vector<PassingCase> passingCases() {
  const std::string document = "<w:document><w:body/></w:document>";
  const std::string docx = ZipBuilder().add("word/document.xml", document).add("word/styles.xml", "<w:styles/>").build();
  return {
      {"WordPackage", docx, ""},
      {"MainPartInOtherLetterCase", ZipBuilder().add("Word/Document.XML", document).build(), ""},
      {"MainPartNamedByTheRelationships",
       ZipBuilder().add("_rels/.rels", relationshipsNaming("/word/main.xml")).add("word/main.xml", document).build(), ""},
      {"MainPartBeforeAnOpenDocumentMimetype",
       ZipBuilder().add("mimetype", "application/vnd.oasis.opendocument.text", Method::Stored)
           .add("word/document.xml", document).build(), ""},
      // The relationships cannot be read here: the extraction drops the part, the folder check decides.
      {"UnreadableRelationships",
       ZipBuilder().add("_rels/.rels", relationshipsNaming("word/main.xml")).crcMismatch()
           .add("word/main.xml", document).build(), kNoWordDocument},
      {"MainPartThatDoesNotUnpack", ZipBuilder().add("word/document.xml", document).encrypted().build(), kNoWordDocument},
      {"NotAnArchive", "plain text, long enough for the reader to look at it", std::nullopt},
      {"ArchiveCutShort", docx.substr(0, docx.size() / 2), std::nullopt},
      {"EmptyFile", "", std::nullopt},
      {"TagThatOnlyBeginsLikeHtml", "<htmlish>", std::nullopt},
      {"DoctypeOfAnotherLanguage", "<!DOCTYPE svg><svg/>", std::nullopt},
      {"PdfSignatureAfterText", "Not a PDF: %PDF-1.7", std::nullopt},
  };
}

class PassingFile : public testing::TestWithParam<PassingCase> {};

TEST_P(PassingFile, IsLeftToTheExtraction) {
  test::TempDir dir;
  const fs::path file = written(dir, GetParam().name, GetParam().bytes);
  EXPECT_EQ(failureOf([&] { checkDocumentFile(file); }), "");
  if (!GetParam().afterExtraction) return;
  extractPackage(file, dir.path() / "package");
  EXPECT_EQ(failureOf([&] { checkPackageFolder(dir.path() / "package"); }), *GetParam().afterExtraction);
}

INSTANTIATE_TEST_SUITE_P(DocumentSniffer, PassingFile, testing::ValuesIn(passingCases()), test::caseName);

// Folders given as the input: the parts written, a name ending in "/" a folder.
struct FolderCase {
  std::string name;
  std::vector<std::pair<std::string, std::string>> parts;
  std::string message;
};
void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

const FolderCase kFolderCases[] = {
    {"DocumentPart", {{"word/document.xml", "<w:body/>"}}, ""},
    {"MainPartNamedByTheRelationships", {{"_rels/.rels", relationshipsNaming("doc/main.xml")}, {"doc/main.xml", "x"}}, ""},
    {"Nothing", {}, kNoWordDocument},
    {"DocumentPartThatIsAFolder", {{"word/document.xml/", ""}}, kNoWordDocument},
    {"RelationshipsLeavingThePackage", {{"_rels/.rels", relationshipsNaming("../outside.xml")}}, kNoWordDocument},
    {"OpenDocumentPresentation", {{"mimetype", "application/vnd.oasis.opendocument.presentation"}},
     "This is an OpenDocument presentation (.odp), not a .docx."},
};

class PackageFolder : public testing::TestWithParam<FolderCase> {};

TEST_P(PackageFolder, NeedsTheMainDocumentPart) {
  test::TempDir dir;
  const fs::path folder = dir.path() / "package";
  fs::create_directories(folder);
  WriteTextFile(dir.path() / "outside.xml", "<w:body/>");
  for (const auto& [name, bytes] : GetParam().parts) {
    fs::create_directories((folder / name).parent_path());
    if (!name.ends_with('/')) WriteTextFile(folder / name, bytes);
  }
  EXPECT_EQ(failureOf([&] { checkPackageFolder(folder); }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(DocumentSniffer, PackageFolder, testing::ValuesIn(kFolderCases), test::caseName);

}  // namespace
}  // namespace vellumine
