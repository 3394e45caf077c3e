#include "support/docx_builder.h"

#include <utility>

namespace vellumine::test {

namespace {

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

constexpr std::string_view kNamespaces =
    R"( xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")"
    R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships")"
    R"( xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing")"
    R"( xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main")"
    R"( xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture")"
    R"( xmlns:c="http://schemas.openxmlformats.org/drawingml/2006/chart")"
    R"( xmlns:dgm="http://schemas.openxmlformats.org/drawingml/2006/diagram")"
    R"( xmlns:m="http://schemas.openxmlformats.org/officeDocument/2006/math")"
    R"( xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006")"
    R"( xmlns:v="urn:schemas-microsoft-com:vml")"
    R"( xmlns:o="urn:schemas-microsoft-com:office:office")"
    R"( xmlns:w10="urn:schemas-microsoft-com:office:word")"
    R"( xmlns:wps="http://schemas.microsoft.com/office/word/2010/wordprocessingShape")"
    R"( xmlns:wpg="http://schemas.microsoft.com/office/word/2010/wordprocessingGroup")"
    R"( xmlns:wpc="http://schemas.microsoft.com/office/word/2010/wordprocessingCanvas")"
    R"( xmlns:w14="http://schemas.microsoft.com/office/word/2010/wordml")"
    R"( xmlns:wp14="http://schemas.microsoft.com/office/word/2010/wordprocessingDrawing")";

std::string inQuotes(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string number(long long value) { return std::to_string(value); }

const char* inlineKindName(docx::InlineKind kind) {
  using K = docx::InlineKind;
  switch (kind) {
    case K::text: return "text";
    case K::tab: return "tab";
    case K::positionalTab: return "ptab";
    case K::lineBreak: return "br";
    case K::pageBreak: return "pageBreak";
    case K::columnBreak: return "columnBreak";
    case K::lastRenderedPageBreak: return "lastRendered";
    case K::noBreakHyphen: return "nbHyphen";
    case K::softHyphen: return "softHyphen";
    case K::symbol: return "sym";
    case K::drawing: return "drawing";
    case K::footnoteReference: return "footnoteRef";
    case K::endnoteReference: return "endnoteRef";
    case K::footnoteRefMark: return "footnoteMark";
    case K::endnoteRefMark: return "endnoteMark";
    case K::separator: return "separator";
    case K::commentReference: return "commentRef";
    case K::commentStart: return "commentStart";
    case K::commentEnd: return "commentEnd";
    case K::bookmarkStart: return "bookmarkStart";
    case K::bookmarkEnd: return "bookmarkEnd";
    case K::linkStart: return "linkStart";
    case K::linkEnd: return "linkEnd";
    case K::fieldStart: return "fieldStart";
    case K::fieldEnd: return "fieldEnd";
    case K::changeStart: return "changeStart";
    case K::changeEnd: return "changeEnd";
    case K::equation: return "equation";
  }
  return "?";
}

// Kinds whose number is worth writing.
bool hasNumber(docx::InlineKind kind) {
  using K = docx::InlineKind;
  return kind != K::text && kind != K::tab && kind != K::pageBreak && kind != K::columnBreak &&
         kind != K::lastRenderedPageBreak && kind != K::noBreakHyphen && kind != K::softHyphen &&
         kind != K::footnoteRefMark && kind != K::endnoteRefMark;
}

std::string describeInline(const docx::Inline& item) {
  std::string out = inlineKindName(item.kind);
  if (hasNumber(item.kind)) out += "(" + number(item.number) + ")";
  if (!item.text.empty()) out += inQuotes(item.text);
  if (item.runProps != 0) out += "@" + number(item.runProps);
  if (item.formerRunProps != docx::kSameRunProps) out += " was@" + number(item.formerRunProps);
  return out;
}

void describeBlocks(const std::vector<docx::Block>& blocks, const std::string& indent, std::string& out);

void describeParagraph(const docx::Paragraph& paragraph, const std::string& indent, std::string& out) {
  out += indent + "p";
  if (paragraph.props != 0) out += " props=" + number(paragraph.props);
  if (paragraph.sectionEnd >= 0) out += " section=" + number(paragraph.sectionEnd);
  if (paragraph.markChange >= 0) out += " markChange=" + number(paragraph.markChange);
  out += ": " + describeInlines(paragraph) + "\n";
}

void describeTable(const docx::Table& table, const std::string& indent, std::string& out) {
  out += indent + "table props=" + number(table.props) + " grid=[";
  for (std::size_t i = 0; i < table.grid.size(); ++i) out += (i ? "," : "") + number(table.grid[i]);
  out += "]\n";
  for (const docx::Row& row : table.rows) {
    out += indent + "  row props=" + number(row.props) + " exception=" + number(row.tablePropsException);
    if (row.change >= 0) out += " change=" + number(row.change);
    out += "\n";
    for (const docx::Cell& cell : row.cells) {
      out += indent + "    cell props=" + number(cell.props) + "\n";
      describeBlocks(cell.blocks, indent + "      ", out);
    }
  }
}

void describeBlocks(const std::vector<docx::Block>& blocks, const std::string& indent, std::string& out) {
  for (const docx::Block& block : blocks) {
    if (const auto* paragraph = std::get_if<docx::Paragraph>(&block.node)) {
      describeParagraph(*paragraph, indent, out);
    } else {
      describeTable(std::get<docx::Table>(block.node), indent, out);
    }
  }
}

void collectParagraphs(const std::vector<docx::Block>& blocks, std::vector<std::string>& out) {
  for (const docx::Block& block : blocks) {
    if (const auto* paragraph = std::get_if<docx::Paragraph>(&block.node)) {
      out.push_back(describeInlines(*paragraph));
      continue;
    }
    for (const docx::Row& row : std::get<docx::Table>(block.node).rows) {
      for (const docx::Cell& cell : row.cells) collectParagraphs(cell.blocks, out);
    }
  }
}

const char* drawingKindName(docx::DrawingKind kind) {
  using K = docx::DrawingKind;
  switch (kind) {
    case K::picture: return "picture";
    case K::textBox: return "textBox";
    case K::shape: return "shape";
    case K::group: return "group";
    case K::chart: return "chart";
    case K::smartArt: return "smartArt";
    case K::object: return "object";
    case K::unknown: return "unknown";
  }
  return "?";
}

const char* wrapName(docx::WrapKind wrap) {
  using W = docx::WrapKind;
  switch (wrap) {
    case W::inline_: return "inline";
    case W::square: return "square";
    case W::tight: return "tight";
    case W::through: return "through";
    case W::topAndBottom: return "topAndBottom";
    case W::behindText: return "behindText";
    case W::inFrontOfText: return "inFrontOfText";
  }
  return "?";
}

const char* changeKindName(docx::ChangeKind kind) {
  using C = docx::ChangeKind;
  switch (kind) {
    case C::insertion: return "insertion";
    case C::deletion: return "deletion";
    case C::moveFrom: return "moveFrom";
    case C::moveTo: return "moveTo";
  }
  return "?";
}

const char* noteKindName(docx::NoteKind kind) {
  using N = docx::NoteKind;
  switch (kind) {
    case N::normal: return "normal";
    case N::separator: return "separator";
    case N::continuationSeparator: return "continuationSeparator";
    case N::continuationNotice: return "continuationNotice";
  }
  return "?";
}

std::string slots(const std::array<int, 3>& indexes) {
  return "[" + number(indexes[0]) + "," + number(indexes[1]) + "," + number(indexes[2]) + "]";
}

void describeReferents(const docx::Document& document, std::string& out) {
  for (std::size_t i = 0; i < document.drawings.size(); ++i) {
    const docx::Drawing& d = document.drawings[i];
    out += "drawing " + number(static_cast<long long>(i)) + " " + drawingKindName(d.kind) + " " + number(d.widthEmu) +
           "x" + number(d.heightEmu) + " target=" + inQuotes(d.target) + " descr=" + inQuotes(d.description) +
           " title=" + inQuotes(d.title) + " crop=" + number(d.cropLeft) + "," + number(d.cropTop) + "," +
           number(d.cropRight) + "," + number(d.cropBottom) + " wrap=" + wrapName(d.wrap) + " h=" +
           inQuotes(d.horizontalAlign) + "/" + number(d.horizontalOffsetEmu) + "/" + inQuotes(d.horizontalFrom) +
           // The vertical position of a drawing in the line says nothing: left out.
           (d.wrap == docx::WrapKind::inline_ ? std::string()
                                              : " v=" + inQuotes(d.verticalAlign) + "/" + number(d.verticalOffsetEmu) +
                                                    "/" + inQuotes(d.verticalFrom)) +
           " textBox=" + number(d.textBox) + "\n";
  }
  for (std::size_t i = 0; i < document.links.size(); ++i) {
    const docx::Link& l = document.links[i];
    out += "link " + number(static_cast<long long>(i)) + " url=" + inQuotes(l.url) + " anchor=" + inQuotes(l.anchor) +
           " tooltip=" + inQuotes(l.tooltip) + "\n";
  }
  for (std::size_t i = 0; i < document.fields.size(); ++i) {
    out += "field " + number(static_cast<long long>(i)) + " " + document.fields[i].type + " " +
           inQuotes(document.fields[i].argument) + "\n";
  }
  for (std::size_t i = 0; i < document.changes.size(); ++i) {
    const docx::Change& c = document.changes[i];
    out += "change " + number(static_cast<long long>(i)) + " " + changeKindName(c.kind) + " author=" +
           inQuotes(c.author) + " date=" + inQuotes(c.date) + "\n";
  }
}

}  // namespace

std::string element(std::string_view name, std::string_view attributes, std::string_view content) {
  std::string out = "<" + std::string(name);
  if (!attributes.empty()) out += " " + std::string(attributes);
  if (content.empty()) return out + "/>";
  return out + ">" + std::string(content) + "</" + std::string(name) + ">";
}

std::string wText(std::string_view text) {
  return "<w:t xml:space=\"preserve\">" + escaped(text) + "</w:t>";
}

std::string wRun(std::string_view content, std::string_view rPr) {
  const std::string props = rPr.empty() ? std::string() : element("w:rPr", {}, rPr);
  return "<w:r>" + props + std::string(content) + "</w:r>";
}

std::string wTextRun(std::string_view text, std::string_view rPr) { return wRun(wText(text), rPr); }

std::string wParagraph(std::string_view content, std::string_view pPr) {
  const std::string props = pPr.empty() ? std::string() : element("w:pPr", {}, pPr);
  return "<w:p>" + props + std::string(content) + "</w:p>";
}

std::string wCell(std::string_view content, std::string_view tcPr) {
  const std::string props = tcPr.empty() ? std::string() : element("w:tcPr", {}, tcPr);
  return "<w:tc>" + props + std::string(content) + "</w:tc>";
}

std::string wRow(const std::vector<std::string>& cells, std::string_view trPr) {
  std::string out = "<w:tr>";
  if (!trPr.empty()) out += element("w:trPr", {}, trPr);
  for (const std::string& cell : cells) out += cell;
  return out + "</w:tr>";
}

std::string wTable(const std::vector<int>& grid, const std::vector<std::string>& rows, std::string_view tblPr) {
  std::string out = "<w:tbl>";
  if (!tblPr.empty()) out += element("w:tblPr", {}, tblPr);
  out += "<w:tblGrid>";
  for (int width : grid) out += "<w:gridCol w:w=\"" + std::to_string(width) + "\"/>";
  out += "</w:tblGrid>";
  for (const std::string& row : rows) out += row;
  return out + "</w:tbl>";
}

std::string wComplexField(std::string_view instruction, const char* result) {
  std::string out = wRun("<w:fldChar w:fldCharType=\"begin\"/>");
  out += wRun("<w:instrText xml:space=\"preserve\">" + escaped(instruction) + "</w:instrText>");
  if (result != nullptr) {
    out += wRun("<w:fldChar w:fldCharType=\"separate\"/>");
    out += result;
  }
  return out + wRun("<w:fldChar w:fldCharType=\"end\"/>");
}

std::string_view wordNamespaces() { return kNamespaces; }

std::string wordPart(std::string_view rootName, std::string_view content) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<" + std::string(rootName) +
         std::string(kNamespaces) + ">" + std::string(content) + "</" + std::string(rootName) + ">";
}

std::string relationshipType(std::string_view type) {
  return "http://schemas.openxmlformats.org/officeDocument/2006/relationships/" + std::string(type);
}

DocxPackage::DocxPackage(std::string_view body) {
  parts_["word/document.xml"] = wordPart("w:document", "<w:body>" + std::string(body) + "</w:body>");
  addRelationship("", "rIdMain", "officeDocument", "word/document.xml");
}

DocxPackage& DocxPackage::addPart(std::string name, std::string bytes) {
  parts_[std::move(name)] = std::move(bytes);
  return *this;
}

DocxPackage& DocxPackage::removePart(std::string_view name) {
  auto it = parts_.find(name);
  if (it != parts_.end()) parts_.erase(it);
  return *this;
}

DocxPackage& DocxPackage::addRelationship(std::string source, std::string id, std::string_view type,
                                          std::string target, bool external) {
  relationships_[std::move(source)].push_back(Rel{std::move(id), relationshipType(type), std::move(target), external});
  return *this;
}

std::map<std::string, std::string, std::less<>> DocxPackage::allParts() const {
  std::map<std::string, std::string, std::less<>> all;
  for (const auto& [source, rels] : relationships_) {
    const std::size_t slash = source.rfind('/');
    const std::string name = slash == std::string::npos
                                 ? "_rels/" + source + ".rels"
                                 : source.substr(0, slash + 1) + "_rels/" + source.substr(slash + 1) + ".rels";
    std::string xml = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (const Rel& rel : rels) {
      xml += "<Relationship Id=\"" + escaped(rel.id) + "\" Type=\"" + escaped(rel.type) + "\" Target=\"" +
             escaped(rel.target) + "\"" + (rel.external ? " TargetMode=\"External\"" : "") + "/>";
    }
    all[name] = xml + "</Relationships>";
  }
  for (const auto& [name, bytes] : parts_) all[name] = bytes;
  return all;
}

docx::PartSource DocxPackage::source() const {
  return [parts = allParts()](std::string_view name) -> std::optional<std::string> {
    auto it = parts.find(name);
    if (it == parts.end()) return std::nullopt;
    return it->second;
  };
}

docx::Document readPackage(const DocxPackage& package, docx::Warnings& warnings) {
  return docx::readDocument(package.source(), warnings);
}

std::string describeInlines(const docx::Paragraph& paragraph) {
  std::string out;
  for (const docx::Inline& item : paragraph.inlines) {
    if (!out.empty()) out += ' ';
    out += describeInline(item);
  }
  return out;
}

std::vector<std::string> describeParagraphs(const docx::Story& story) {
  std::vector<std::string> out;
  collectParagraphs(story.blocks, out);
  return out;
}

std::string describeDocument(const docx::Document& document) {
  std::string out = "main " + document.mainPart + "\nbody\n";
  describeBlocks(document.body.blocks, "  ", out);
  for (std::size_t i = 0; i < document.sections.size(); ++i) {
    out += "section " + number(static_cast<long long>(i)) + " headers=" + slots(document.sections[i].headers) +
           " footers=" + slots(document.sections[i].footers) + "\n";
  }
  auto notes = [&out](const char* what, const std::vector<docx::Note>& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      out += std::string(what) + " " + number(static_cast<long long>(i)) + " id=" + inQuotes(list[i].id) + " " +
             noteKindName(list[i].kind) + "\n";
      describeBlocks(list[i].story.blocks, "  ", out);
    }
  };
  notes("footnote", document.footnotes);
  notes("endnote", document.endnotes);
  for (std::size_t i = 0; i < document.comments.size(); ++i) {
    const docx::Comment& c = document.comments[i];
    out += "comment " + number(static_cast<long long>(i)) + " id=" + inQuotes(c.id) + " author=" + inQuotes(c.author) +
           " initials=" + inQuotes(c.initials) + " date=" + inQuotes(c.date) + "\n";
    describeBlocks(c.story.blocks, "  ", out);
  }
  auto headers = [&out](const char* what, const std::vector<docx::HeaderFooter>& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      out += std::string(what) + " " + number(static_cast<long long>(i)) + " " + list[i].partName + "\n";
      describeBlocks(list[i].story.blocks, "  ", out);
    }
  };
  headers("header", document.headers);
  headers("footer", document.footers);
  for (std::size_t i = 0; i < document.textBoxes.size(); ++i) {
    out += "textBox " + number(static_cast<long long>(i)) + "\n";
    describeBlocks(document.textBoxes[i].blocks, "  ", out);
  }
  describeReferents(document, out);
  return out;
}

}  // namespace vellumine::test
