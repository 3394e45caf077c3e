// The benchmark document generator: one block of every construct the converter handles, repeated
// with varying text until the document part reaches the requested size.
#include "docgen.h"

#include <string_view>

#include "text/fileutil.h"

namespace vellumine::bench {

namespace {

constexpr std::string_view kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><w:body>";
constexpr std::string_view kStoriesTail =
    "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rId30\"/><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
    "<w:pgMar w:top=\"1440\" w:right=\"1440\" w:bottom=\"1440\" w:left=\"1440\" w:header=\"708\" "
    "w:footer=\"708\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>";
constexpr std::string_view kTail =
    "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" "
    "w:bottom=\"1440\" w:left=\"1440\" w:header=\"708\" w:footer=\"708\" w:gutter=\"0\"/></w:sectPr>"
    "</w:body></w:document>";

std::string run(std::string_view props, std::string_view text) {
  std::string r = "<w:r>";
  if (!props.empty()) r.append("<w:rPr>").append(props).append("</w:rPr>");
  r.append("<w:t xml:space=\"preserve\">").append(text).append("</w:t></w:r>");
  return r;
}

std::string paragraph(std::string_view props, std::string_view runs) {
  std::string p = "<w:p w:rsidR=\"00A1B2C3\" w:rsidRDefault=\"00D4E5F6\">";
  if (!props.empty()) p.append("<w:pPr>").append(props).append("</w:pPr>");
  return p.append(runs).append("</w:p>");
}

std::string heading(int level, std::string_view text) {
  return paragraph("<w:pStyle w:val=\"" + std::to_string(level) + "\"/>", run("", text));
}

std::string styledParagraph(int n) {
  const std::string k = std::to_string(n);
  return paragraph("<w:pStyle w:val=\"BodyText\"/><w:spacing w:before=\"120\" w:after=\"120\" w:line=\"276\" "
                   "w:lineRule=\"auto\"/><w:ind w:left=\"720\" w:firstLine=\"360\"/><w:jc w:val=\"both\"/>",
                   run("", "Paragraph " + k + " opens with plain words, then ") +
                       run("<w:b/>", "a bold phrase") + run("", ", ") + run("<w:i/>", "an italic one") +
                       run("", ", ") + run("<w:u w:val=\"single\"/>", "underlined words") +
                       run("<w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\"/><w:color w:val=\"1F4E79\"/>"
                           "<w:sz w:val=\"24\"/>",
                           " and coloured Arial text") +
                       run("<w:highlight w:val=\"yellow\"/>", " highlighted") +
                       run("<w:vertAlign w:val=\"superscript\"/>", "2") +
                       run("", " before the paragraph ends with a longer tail of ordinary prose."));
}

// Neighbouring runs with the same font and size (their spans merge), a colour the paragraph style
// already gives, size from the complex-script element only, and stacked toggles.
std::string formattedRuns(int n) {
  const std::string verdana = "<w:rFonts w:ascii=\"Verdana\" w:hAnsi=\"Verdana\"/><w:sz w:val=\"20\"/>";
  return paragraph("<w:pStyle w:val=\"Level" + std::to_string(n % 20 + 1) + "\"/>",
                   run(verdana, "Runs in one font ") + run(verdana, "merge into ") + run(verdana, "one span; ") +
                       run("<w:color w:val=\"404040\"/>", "the style's colour is not repeated, ") +
                       run("<w:szCs w:val=\"28\"/>", "a complex-script size, ") +
                       run("<w:b/><w:i/><w:u w:val=\"double\"/><w:highlight w:val=\"green\"/>", "all at once") +
                       run("<w:noProof/>", " and a run whose properties give nothing."));
}

std::string listItem(int level, int numId, std::string_view text) {
  return paragraph("<w:pStyle w:val=\"ListParagraph\"/><w:numPr><w:ilvl w:val=\"" + std::to_string(level) +
                       "\"/><w:numId w:val=\"" + std::to_string(numId) + "\"/></w:numPr>",
                   run("", text));
}

std::string nestedList(int n) {
  const int numId = n % 2 + 1;
  return listItem(0, numId, "First item") + listItem(1, numId, "Nested item one") +
         listItem(1, numId, "Nested item two") + listItem(0, numId, "Second item");
}

std::string cell(std::string_view props, std::string_view text) {
  return "<w:tc><w:tcPr>" + std::string(props) + "</w:tcPr>" +
         paragraph("<w:pStyle w:val=\"Quote\"/>", run("<w:b/>", text)) + "</w:tc>";
}

std::string table() {
  const std::string width = "<w:tcW w:w=\"2000\" w:type=\"dxa\"/>";
  std::string t =
      "<w:tbl><w:tblPr><w:tblStyle w:val=\"TableGrid\"/><w:tblW w:w=\"5000\" w:type=\"pct\"/>"
      "<w:tblBorders><w:top w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
      "<w:insideH w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/></w:tblBorders>"
      "<w:tblLook w:val=\"04A0\"/></w:tblPr><w:tblGrid><w:gridCol w:w=\"2000\"/><w:gridCol w:w=\"2000\"/>"
      "<w:gridCol w:w=\"2000\"/></w:tblGrid>";
  t += "<w:tr><w:trPr><w:trHeight w:val=\"400\"/></w:trPr>" +
       cell(width + "<w:vMerge w:val=\"restart\"/><w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"D9E2F3\"/>",
            "Merged") +
       cell("<w:tcW w:w=\"4000\" w:type=\"dxa\"/><w:gridSpan w:val=\"2\"/>", "Spanned heading") + "</w:tr>";
  for (int row = 0; row < 2; ++row) {
    t += "<w:tr>" + cell(width + "<w:vMerge/>", "") + cell(width + "<w:vAlign w:val=\"center\"/>", "Cell") +
         cell(width, "Value " + std::to_string(row)) + "</w:tr>";
  }
  return t + "</w:tbl>";
}

std::string hyperlinks() {
  return paragraph("", "<w:hyperlink r:id=\"rId10\" w:history=\"1\">" + run("<w:rStyle w:val=\"Hyperlink\"/>", "an external link") +
                           "</w:hyperlink>" + run("", " and ") +
                           "<w:hyperlink w:anchor=\"_Toc1\" w:history=\"1\">" + run("", "an internal one") +
                           "</w:hyperlink><w:bookmarkStart w:id=\"0\" w:name=\"_Toc1\"/><w:bookmarkEnd w:id=\"0\"/>");
}

std::string drawing() {
  return paragraph(
      "", "<w:r><w:drawing><wp:anchor distT=\"0\" distB=\"0\" distL=\"114300\" distR=\"114300\" simplePos=\"0\" "
          "relativeHeight=\"1\" behindDoc=\"0\" locked=\"0\" layoutInCell=\"1\" allowOverlap=\"1\">"
          "<wp:simplePos x=\"0\" y=\"0\"/><wp:positionH relativeFrom=\"column\"><wp:align>center</wp:align>"
          "</wp:positionH><wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>0</wp:posOffset></wp:positionV>"
          "<wp:extent cx=\"1905000\" cy=\"952500\"/><wp:wrapTopAndBottom/><wp:docPr id=\"1\" name=\"Picture 1\"/>"
          "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic>"
          "<pic:nvPicPr><pic:cNvPr id=\"1\" name=\"image1.png\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill>"
          "<a:blip r:embed=\"rId11\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm>"
          "<a:off x=\"0\" y=\"0\"/><a:ext cx=\"1905000\" cy=\"952500\"/></a:xfrm><a:prstGeom prst=\"rect\">"
          "<a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData></a:graphic></wp:anchor></w:drawing></w:r>");
}

std::string field() {
  return paragraph("", run("", "Page ") + "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText "
                                          "xml:space=\"preserve\"> PAGE </w:instrText></w:r><w:r><w:fldChar "
                                          "w:fldCharType=\"separate\"/></w:r>" +
                           run("", "1") + "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>" +
                           "<w:r><w:tab/></w:r>" + run("", "after a tab"));
}

std::string block(int n) {
  return heading(1 + n % 3, "Section " + std::to_string(n)) + styledParagraph(n) + nestedList(n) + table() +
         styledParagraph(n + 1) + formattedRuns(n) + hyperlinks() + drawing() + field() + "<w:p/>";
}

// A paragraph that carries block n's footnote reference and its commented range.
std::string annotatedParagraph(int n) {
  const std::string k = std::to_string(n);
  return paragraph("", run("", "A sentence with a note") +
                           "<w:r><w:rPr><w:rStyle w:val=\"FootnoteReference\"/></w:rPr><w:footnoteReference w:id=\"" +
                           k + "\"/></w:r>" + run("", " and ") + "<w:commentRangeStart w:id=\"" + k + "\"/>" +
                           run("", "a commented phrase") + "<w:commentRangeEnd w:id=\"" + k +
                           "\"/><w:r><w:rPr><w:rStyle w:val=\"CommentReference\"/></w:rPr><w:commentReference w:id=\"" +
                           k + "\"/></w:r>" + run("", "."));
}

std::string footnote(int n) {
  return "<w:footnote w:id=\"" + std::to_string(n) + "\">" +
         paragraph("<w:pStyle w:val=\"FootnoteText\"/>",
                   "<w:r><w:rPr><w:rStyle w:val=\"FootnoteReference\"/></w:rPr><w:footnoteRef/></w:r>" +
                       run("", " Note " + std::to_string(n) + " with ") + run("<w:i/>", "an italic source") +
                       run("", ", see ") + "<w:hyperlink r:id=\"rId1\">" + run("", "the site") + "</w:hyperlink>" +
                       run("", ".")) +
         "</w:footnote>";
}

std::string comment(int n) {
  return "<w:comment w:id=\"" + std::to_string(n) + "\" w:author=\"Ann Reviewer\" w:date=\"2026-12-08T10:00:00Z\" "
         "w:initials=\"AR\">" +
         paragraph("", "<w:r><w:annotationRef/></w:r>" + run("", "Please check block " + std::to_string(n) + ".")) +
         "</w:comment>";
}

constexpr std::string_view kNotesHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<w:footnotes "
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>"
    "<w:footnote w:type=\"continuationSeparator\" w:id=\"0\"><w:p><w:r><w:continuationSeparator/></w:r></w:p>"
    "</w:footnote>";
constexpr std::string_view kCommentsHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<w:comments "
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">";
constexpr std::string_view kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<w:hdr "
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:p><w:pPr><w:jc w:val=\"right\"/>"
    "</w:pPr><w:r><w:t>Generated report</w:t></w:r><w:r><w:tab/></w:r><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>"
    "<w:r><w:instrText> PAGE </w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>"
    "<w:r><w:t>1</w:t></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r></w:p></w:hdr>";
constexpr std::string_view kStoryRelationships =
    "<Relationship Id=\"rId30\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/header\" "
    "Target=\"header1.xml\"/><Relationship Id=\"rId31\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/footnotes\" Target=\"footnotes.xml\"/>"
    "<Relationship Id=\"rId32\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/comments\" "
    "Target=\"comments.xml\"/>";
constexpr std::string_view kNotesRelationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
    "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink\" "
    "Target=\"https://example.org/notes\" TargetMode=\"External\"/></Relationships>";

constexpr std::string_view kStylesHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:styles "
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:style w:type=\"paragraph\" w:default=\"1\" "
    "w:styleId=\"Normal\"><w:name w:val=\"Normal\"/><w:rPr><w:rFonts w:ascii=\"Calibri\"/><w:sz w:val=\"22\"/>"
    "</w:rPr></w:style><w:style w:type=\"paragraph\" w:styleId=\"1\"><w:name w:val=\"heading 1\"/>"
    "<w:basedOn w:val=\"Normal\"/><w:rPr><w:b/><w:color w:val=\"2F5496\"/><w:sz w:val=\"32\"/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"BodyText\"><w:name w:val=\"Body Text\"/><w:basedOn w:val=\"Normal\"/>"
    "<w:pPr><w:spacing w:after=\"120\"/></w:pPr></w:style><w:style w:type=\"table\" w:styleId=\"TableGrid\">"
    "<w:name w:val=\"Table Grid\"/><w:tblPr><w:tblBorders><w:top w:val=\"single\" w:sz=\"4\" w:color=\"auto\"/>"
    "<w:left w:val=\"single\" w:sz=\"4\" w:color=\"auto\"/><w:bottom w:val=\"single\" w:sz=\"4\" w:color=\"auto\"/>"
    "<w:right w:val=\"single\" w:sz=\"4\" w:color=\"auto\"/><w:insideH w:val=\"single\" w:sz=\"4\" w:color=\"auto\"/>"
    "</w:tblBorders></w:tblPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Quote\"><w:name w:val=\"Quote\"/><w:basedOn w:val=\"Normal\"/>"
    "<w:pPr><w:ind w:left=\"864\" w:right=\"864\"/><w:jc w:val=\"center\"/></w:pPr><w:rPr><w:i/>"
    "<w:color w:val=\"404040\"/></w:rPr></w:style>";

// The fixed styles, then a chain of 20 paragraph styles each based on the one before, as templates
// with many derived styles have them.
std::string stylesPart() {
  std::string styles(kStylesHead);
  for (int i = 1; i <= 20; ++i) {
    const std::string id = "Level" + std::to_string(i);
    const std::string base = i == 1 ? "Quote" : "Level" + std::to_string(i - 1);
    styles += "<w:style w:type=\"paragraph\" w:styleId=\"" + id + "\"><w:name w:val=\"" + id +
              "\"/><w:basedOn w:val=\"" + base + "\"/><w:pPr><w:spacing w:before=\"" + std::to_string(20 * i) +
              "\"/></w:pPr><w:rPr><w:sz w:val=\"" + std::to_string(18 + i % 8) + "\"/></w:rPr></w:style>";
  }
  return styles + "</w:styles>";
}

constexpr std::string_view kNumbering =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:numbering "
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:abstractNum w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\">"
    "<w:numFmt w:val=\"decimal\"/></w:lvl></w:abstractNum><w:abstractNum w:abstractNumId=\"1\"><w:lvl w:ilvl=\"0\">"
    "<w:numFmt w:val=\"bullet\"/></w:lvl></w:abstractNum><w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>"
    "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"1\"/></w:num></w:numbering>";

constexpr std::string_view kContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/><Default Extension=\"png\" ContentType=\"image/png\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "<Override PartName=\"/word/numbering.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml\"/>"
    "<Override PartName=\"/word/footnotes.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.footnotes+xml\"/>"
    "<Override PartName=\"/word/comments.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.comments+xml\"/>"
    "<Override PartName=\"/word/header1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml\"/></Types>";

constexpr std::string_view kPackageRelationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
    "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/></Relationships>";

// A valid 1x1 PNG, so that every converter accepts the image.
constexpr unsigned char kPng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
    0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00,
    0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x00, 0x05,
    0x00, 0x01, 0xFF, 0x89, 0x99, 0x3D, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42,
    0x60, 0x82};

constexpr std::string_view kRelationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
    "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId10\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink\" "
    "Target=\"https://example.org/\" TargetMode=\"External\"/><Relationship Id=\"rId11\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" "
    "Target=\"media/image1.png\"/><Relationship Id=\"rId20\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId21\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering\" "
    "Target=\"numbering.xml\"/></Relationships>";

}  // namespace

GeneratedPackage generatePackage(std::size_t targetBytes, bool withStories) {
  GeneratedPackage package{std::string(kHead), stylesPart(), std::string(kNumbering),
                           std::string(kRelationships), {}, {}, {}};
  package.document.reserve(targetBytes + 8192);
  if (withStories) {
    package.footnotes = kNotesHead;
    package.comments = kCommentsHead;
    package.header = kHeader;
    package.relationships.insert(package.relationships.size() - std::string_view("</Relationships>").size(),
                                 kStoryRelationships);
  }
  for (int n = 1; package.document.size() < targetBytes; ++n) {
    package.document += block(n);
    if (!withStories) continue;
    package.document += annotatedParagraph(n);
    package.footnotes += footnote(n);
    package.comments += comment(n);
  }
  package.document += withStories ? kStoriesTail : kTail;
  if (withStories) {
    package.footnotes += "</w:footnotes>";
    package.comments += "</w:comments>";
  }
  return package;
}

void writePackageFolder(const GeneratedPackage& package, const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder / "word" / "_rels");
  std::filesystem::create_directories(folder / "word" / "media");
  std::filesystem::create_directories(folder / "_rels");
  WriteTextFile(folder / "[Content_Types].xml", kContentTypes);
  WriteTextFile(folder / "_rels" / ".rels", kPackageRelationships);
  WriteTextFile(folder / "word" / "document.xml", package.document);
  WriteTextFile(folder / "word" / "styles.xml", package.styles);
  WriteTextFile(folder / "word" / "numbering.xml", package.numbering);
  WriteTextFile(folder / "word" / "_rels" / "document.xml.rels", package.relationships);
  if (!package.footnotes.empty()) {
    WriteTextFile(folder / "word" / "footnotes.xml", package.footnotes);
    WriteTextFile(folder / "word" / "_rels" / "footnotes.xml.rels", kNotesRelationships);
    WriteTextFile(folder / "word" / "comments.xml", package.comments);
    WriteTextFile(folder / "word" / "header1.xml", package.header);
  }
  WriteTextFile(folder / "word" / "media" / "image1.png",
                std::string_view(reinterpret_cast<const char*>(kPng), sizeof kPng));
}

}  // namespace vellumine::bench
