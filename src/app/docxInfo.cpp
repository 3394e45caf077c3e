// Core properties of a package into the three values the status bar shows, and those values plus
// the document's file size into the texts of the status-bar cells.
#include "app/docxInfo.h"

#include "text/encoding.h"
#include "text/fileutil.h"
#include "text/strutil.h"
#include "text/xml_encoding.h"

namespace vellumine {

namespace {

constexpr std::string_view kCreatedOpen = "dcterms:created xsi:type=\"dcterms:W3CDTF\">";
constexpr std::string_view kCreatedClose = "</dcterms:created";
constexpr TextPos kDateLength = 10;  // yyyy-mm-dd

std::u16string labelled(std::string_view label, std::string_view utf8Value) {
  return Utf8ToWide(std::string(label) + std::string(utf8Value));
}

// The core part as UTF-8; a part in no readable encoding has no properties to show, and the
// document itself may still be readable.
std::string coreText(const std::filesystem::path& packageFolder) {
  try {
    return xmlPartToUtf8(ReadWholeFile(packageFolder / "docProps" / "core.xml"));
  } catch (const EEncodingError&) {
    return {};
  }
}

}  // namespace

DocumentProperties readDocumentProperties(const std::filesystem::path& packageFolder) {
  const std::string core = coreText(packageFolder);
  DocumentProperties properties;
  // Bare start tags only: an element written with attributes is not found, and entities stay.
  properties.title = TextBetween(core, "<dc:title>", "</dc:title>");
  properties.author = TextBetween(core, "<dc:creator>", "</dc:creator>");
  properties.created = StrLeft(TextBetween(core, kCreatedOpen, kCreatedClose), kDateLength);
  return properties;
}

StatusTexts statusTexts(const DocumentProperties& properties, const std::filesystem::path& documentPath) {
  StatusTexts texts;
  texts.title = labelled(" Title: ", properties.title);
  texts.author = labelled(" Author: ", properties.author);
  texts.date = labelled(" Date: ", properties.created);
  texts.size = labelled(" File Size: ", SizeText(FileSizeOf(documentPath)));
  return texts;
}

}  // namespace vellumine
