// Core properties of a package into the three values the status bar shows, and those values plus
// the document's file size into the texts of the status-bar cells.
#include "app/docxInfo.h"

#include "text/encoding.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {

namespace {

constexpr std::string_view kCreatedOpen = "dcterms:created xsi:type=\"dcterms:W3CDTF\">";
constexpr std::string_view kCreatedClose = "</dcterms:created";
constexpr TextPos kDateLength = 10;  // yyyy-mm-dd

std::u16string labelled(std::string_view label, std::string_view utf8Value) {
  return Utf8ToWide(std::string(label) + std::string(utf8Value));
}

}  // namespace

DocumentProperties readDocumentProperties(const std::filesystem::path& packageFolder) {
  std::string core = ReadWholeFile(packageFolder / "docProps" / "core.xml");
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
