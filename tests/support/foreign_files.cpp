// The foreign files, built in code: compound files with CompoundBuilder, archives with
// ZipBuilder, the text formats as the first bytes their writers put down.
#include "support/foreign_files.h"

#include "support/compound_builder.h"
#include "support/zip_builder.h"

namespace vellumine::test {

namespace {

// An encrypted package as office suites write it: the encryption description, the encrypted
// bytes, and a storage describing the transform.
std::string encryptedPackage(bool largeSectors) {
  CompoundBuilder b;
  if (largeSectors) b.largeSectors();
  return b.storage(u"\x0006" u"DataSpaces").stream(u"Version", u"\x0006" u"DataSpaces").stream(u"EncryptionInfo")
      .stream(u"EncryptedPackage").build();
}

std::string openDocument(const std::string& mediaType) {
  return ZipBuilder()
      .add("mimetype", mediaType, Method::Stored)
      .add("content.xml", "<office:document-content/>")
      .add("META-INF/manifest.xml", "<manifest:manifest/>")
      .build();
}

}  // namespace

std::vector<ForeignFile> foreignFiles() {
  const std::string noWordDocument = "This package holds no Word document.";
  return {
      {"EncryptedPackage", encryptedPackage(false),
       "This document is protected by a password; Vellumine cannot open encrypted documents."},
      {"EncryptedPackageOfLargeSectors", encryptedPackage(true),
       "This document is protected by a password; Vellumine cannot open encrypted documents."},
      {"Word97Document",
       CompoundBuilder().stream(u"WordDocument").stream(u"1Table").stream(u"\x0005SummaryInformation").build(),
       "This is a Word 97-2003 document (.doc), not a .docx."},
      {"OpenDocumentText", openDocument("application/vnd.oasis.opendocument.text"),
       "This is an OpenDocument text (.odt), not a .docx."},
      {"OpenDocumentSpreadsheet", openDocument("application/vnd.oasis.opendocument.spreadsheet"),
       "This is an OpenDocument spreadsheet (.ods), not a .docx."},
      {"OpenDocumentOfAnUnknownKind", openDocument("application/vnd.oasis.opendocument.novel\n"),
       "This is an OpenDocument file, not a .docx."},
      {"RtfDocument", "{\\rtf1\\ansi\\deff0 {\\fonttbl {\\f0 Times;}} Hello.\\par }",
       "This is an RTF document (.rtf), not a .docx."},
      {"PdfDocument", "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj << /Type /Catalog >> endobj\n",
       "This is a PDF document (.pdf), not a .docx."},
      {"HtmlPage", "<!DOCTYPE html>\n<html><body><p>Hello.</p></body></html>\n", "This is an HTML page, not a .docx."},
      {"HtmlBehindAByteOrderMarkAndBlanks", "\xEF\xBB\xBF \r\n\t<HTML lang=\"en\"><p>Hello.</p>",
       "This is an HTML page, not a .docx."},
      {"ArchiveWithoutWordDocument",
       ZipBuilder().add("[Content_Types].xml", "<Types/>").add("docProps/core.xml", "<cp:coreProperties/>").build(),
       noWordDocument},
      {"ArchiveNamingAMissingMainPart",
       ZipBuilder()
           .add("_rels/.rels",
                "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                "2006/relationships/officeDocument\" Target=\"/word/main.xml\"/></Relationships>")
           .add("word/styles.xml", "<w:styles/>")
           .build(),
       noWordDocument},
      {"EmptyArchive", ZipBuilder().build(), noWordDocument},
  };
}

}  // namespace vellumine::test
