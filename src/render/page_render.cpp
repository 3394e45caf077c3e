// The faithful page as a whole: the head with its one style sheet, the body's sections as paper
// sheets of their page width and margins (their properties as data- attributes for the page
// view), the first section's header above the text, then the notes, comments, footer and the other
// sections' headers and footers.  The body is written first (the style sheet's classes are made
// while it is written), then the head, then both are joined in one string.
#include "render/page_render.h"

#include <algorithm>
#include <array>
#include <vector>

#include "render/block_writer.h"
#include "render/css_units.h"
#include "render/equation_writer.h"
#include "render/html_escape.h"
#include "render/layout_chunks.h"
#include "render/page_state.h"
#include "render/paragraph_writer.h"
#include "render/shape_writer.h"
#include "render/unwrapped_drawing.h"
#include "render/word_pages.h"

namespace vellumine::render {

namespace {

using docx::SectionProps;

// A document without a page size gets US Letter with one-inch margins.
constexpr int kLetterWidth = 12240, kLetterHeight = 15840, kInch = 1440, kHalfInch = 720;

constexpr std::string_view kBaseSheet =
    "html{background:#E8E8E8}\n"
    "body{margin:0;padding:24px 8px;color:#000000;font-family:serif;font-size:10pt;line-height:1.15}\n"
    ".vm-section{box-sizing:border-box;max-width:100%;margin:0 auto 24px;background:#FFFFFF;"
    "box-shadow:0 1px 4px rgba(0,0,0,0.3);overflow-wrap:break-word}\n"
    ".vm-section.vm-continuous{margin-top:-24px}\n"
    "p,h1,h2,h3,h4,h5,h6{margin:0;padding:0;font-size:inherit;font-weight:inherit;white-space:pre-wrap}\n"
    "a{color:inherit;text-decoration:inherit}\n"
    ".vm-tbl{border-collapse:collapse;border-spacing:0}\n"
    "td{padding:0;vertical-align:top}\n"
    ".vm-tb{display:inline-flex;align-items:baseline;max-width:100%;text-indent:0}\n"
    ".vm-ts{min-width:0}\n"
    ".vm-tl{flex:1 1 0;min-width:0;position:relative;overflow:hidden;white-space:nowrap}\n"
    ".vm-tl::before{content:\"\u200B\"}\n"  // a zero-width space, written as itself
    ".vm-ld-heavy{font-weight:bold}\n"
    ".vm-pb{display:block;height:0;margin:6px 0;border-top:1px dashed #B0B0B0;break-after:page}\n"
    ".vm-cb{display:block;height:0}\n"
    ".vm-clear-l{clear:left}\n.vm-clear-r{clear:right}\n.vm-clear{clear:both}\n"
    ".vm-crop{display:inline-block;overflow:hidden}\n"
    ".vm-crop img{display:block;max-width:none}\n"
    ".vm-fl{float:left;margin:0 9.6px 4.8px 0}\n"
    ".vm-fr{float:right;margin:0 0 4.8px 9.6px}\n"
    ".vm-bc{display:block;margin:4.8px auto}\n"
    ".vm-bl{display:block;margin:4.8px 0}\n"
    ".vm-br{display:block;margin:4.8px 0 4.8px auto}\n"
    ".vm-ns{display:inline-block;box-sizing:border-box;overflow:hidden;padding:4px;border:1px dashed #A0A0A0;"
    "color:#707070;font:9pt sans-serif;white-space:normal;text-indent:0}\n"
    ".vm-tbx{display:inline-block;box-sizing:border-box;vertical-align:top;padding:4.8px 9.6px;"
    "white-space:normal;text-indent:0}\n"
    ".vm-cr{background-color:#FFF2A8}\n"
    ".vm-cref{color:#595959;font:8pt sans-serif}\n"
    ".vm-hdr{color:#595959;opacity:0.8;border-bottom:1px solid #C0C0C0;margin-bottom:12px;padding-bottom:4px}\n"
    ".vm-ftr{color:#595959;opacity:0.8;border-top:1px solid #C0C0C0;margin-top:12px;padding-top:4px}\n"
    ".vm-notes{border-top:1px solid #A0A0A0;margin-top:16px;padding-top:4px}\n"
    ".vm-comment{margin-bottom:6px}\n"
    ".vm-chead{color:#595959;font-size:9pt;white-space:normal}\n"
    "@media print{html{background:none}body{padding:0}"
    ".vm-section{box-shadow:none;margin:0;width:auto!important;padding:0!important}}\n";

// After the formats' classes, so that they win over them.
constexpr std::string_view kContextSheet =
    ".vm-cs-b{margin-top:0;padding-top:0}\n"
    ".vm-cs-a{margin-bottom:0}\n"
    ".vm-dropcap{float:left;margin:0 4px 0 0;padding:0;text-indent:0}\n"
    ".vm-dropcap-m{margin-inline-start:-1.2em}\n"
    ".vm-move{text-decoration-style:double}\n"
    "tr.vm-ins>td{text-decoration:underline}\n"
    "tr.vm-del>td{text-decoration:line-through}\n"
    "td.vm-ins{background-color:#DDEBF7}\n"
    "td.vm-del{background-color:#FBE0E0;text-decoration:line-through}\n";

// One colour per author of tracked changes, in the order they first appear.
constexpr std::array<std::string_view, 8> kAuthorColours{"#C00000", "#0060C0", "#008A3E", "#7030A0",
                                                          "#C55A11", "#007C80", "#B000B0", "#806000"};

struct Leader {
  std::string_view className;
  std::string_view character;
};
constexpr std::array<Leader, 5> kLeaders{{{"vm-ld-dot", "."}, {"vm-ld-hyphen", "-"}, {"vm-ld-line", "_"},
                                          {"vm-ld-heavy", "_"}, {"vm-ld-mid", "\u00B7"}}};

// The leader's characters, more than any line holds, set against the filler's end and clipped at
// its start.  Placed absolutely, they do not widen the filler's box; the zero-width blank before
// them gives the filler the baseline they stand on.
void appendLeaderRules(std::string& out) {
  for (const Leader& leader : kLeaders) {
    out.append(".").append(leader.className).append("::after{position:absolute;top:0;right:0;content:\"");
    for (int k = 0; k < 200; ++k) out += leader.character;
    out += "\"}\n";
  }
}

void appendAuthorRules(std::string& out) {
  for (std::size_t k = 0; k < kAuthorColours.size(); ++k) {
    std::string number;
    appendInteger(number, static_cast<long long>(k + 1));
    out.append(".vm-au").append(number).append(",.vm-au").append(number).append(" *{color:");
    out.append(kAuthorColours[k]).append(";text-decoration-color:").append(kAuthorColours[k]).append("}\n");
  }
}

struct Geometry {
  int width = kLetterWidth, height = kLetterHeight;
  int top = kInch, right = kInch, bottom = kInch, left = kInch;
  int header = kHalfInch, footer = kHalfInch, gutter = 0;
};

Geometry geometryOf(const SectionProps& section) {
  Geometry g;
  g.width = section.pageWidth.value_or(kLetterWidth);
  g.height = section.pageHeight.value_or(kLetterHeight);
  g.top = section.marginTop.value_or(kInch);
  g.right = section.marginRight.value_or(kInch);
  g.bottom = section.marginBottom.value_or(kInch);
  g.left = section.marginLeft.value_or(kInch);
  g.header = section.marginHeader.value_or(kHalfInch);
  g.footer = section.marginFooter.value_or(kHalfInch);
  g.gutter = section.marginGutter.value_or(0);
  return g;
}

std::string_view startName(docx::SectionStart start) {
  switch (start) {
    case docx::SectionStart::nextPage: return "nextPage";
    case docx::SectionStart::continuous: return "continuous";
    case docx::SectionStart::evenPage: return "evenPage";
    case docx::SectionStart::oddPage: return "oddPage";
    case docx::SectionStart::nextColumn: return "nextColumn";
  }
  return "nextPage";
}

void appendDataPx(std::string& out, std::string_view name, long long twips) {
  out.append(" data-").append(name).append("=\"");
  appendHundredths(out, hundredthsOf(twips, 15));
  out += '"';
}

void appendDataInteger(std::string& out, std::string_view name, long long value) {
  out.append(" data-").append(name).append("=\"");
  appendInteger(out, value);
  out += '"';
}

// Columns of given widths as "width space width space ..." in pixels (the last space is 0), and a
// line between the columns; equal columns need only the count and the space.
void appendColumnData(std::string& out, const docx::Columns& columns) {
  if (columns.separator) out += " data-column-separator=\"1\"";
  if (columns.equalWidth || columns.columns.empty()) return;
  out += " data-column-widths=\"";
  constexpr std::size_t kMostColumns = 45;  // Word's own limit
  for (std::size_t k = 0; k < columns.columns.size() && k < kMostColumns; ++k) {
    if (k > 0) out += ' ';
    appendHundredths(out, hundredthsOf(std::max(columns.columns[k].width, 0), 15));
    out += ' ';
    appendHundredths(out, hundredthsOf(std::max(columns.columns[k].space, 0), 15));
  }
  out += '"';
}

// wholePage: the sheet is at least a page tall (unwrapped_drawing.h: sectionsPlacingFromThePage).
void appendSectionStart(std::string& out, const SectionProps& section, bool first, bool wholePage) {
  const Geometry g = geometryOf(section);
  out += "<div class=\"vm-section";
  if (!first && section.start == docx::SectionStart::continuous) out += " vm-continuous";
  out += '"';
  appendDataPx(out, "page-width", g.width);
  appendDataPx(out, "page-height", g.height);
  appendDataPx(out, "margin-top", g.top);
  appendDataPx(out, "margin-right", g.right);
  appendDataPx(out, "margin-bottom", g.bottom);
  appendDataPx(out, "margin-left", g.left);
  appendDataPx(out, "margin-header", g.header);
  appendDataPx(out, "margin-footer", g.footer);
  appendDataPx(out, "gutter", g.gutter);
  out.append(" data-orientation=\"").append(section.landscape ? "landscape" : "portrait").append("\"");
  out.append(" data-start=\"").append(startName(section.start)).append("\"");
  appendDataInteger(out, "columns", section.columns.count);
  appendDataPx(out, "column-space", section.columns.space);
  appendColumnData(out, section.columns);
  if (section.titlePage) out += " data-title-page=\"1\"";
  static constexpr std::array<std::string_view, 3> kTypes{"default", "first", "even"};
  for (std::size_t t = 0; t < kTypes.size(); ++t) {
    if (section.headers[t] >= 0) appendDataInteger(out, std::string("header-").append(kTypes[t]), section.headers[t]);
    if (section.footers[t] >= 0) appendDataInteger(out, std::string("footer-").append(kTypes[t]), section.footers[t]);
  }
  if (section.pageNumberStart) appendDataInteger(out, "page-number-start", *section.pageNumberStart);
  if (section.pageNumberFormat) {
    out += " data-page-number-format=\"";
    appendHtmlAttribute(out, *section.pageNumberFormat);
    out += '"';
  }
  out += " style=\"width:";
  appendTwipsPx(out, g.width);
  if (wholePage && g.height > 0) {
    out += ";min-height:";
    appendTwipsPx(out, g.height);
  }
  out += ";padding:";
  const std::array<int, 4> margins{g.top, g.right, g.bottom, g.left};
  for (std::size_t k = 0; k < margins.size(); ++k) {
    if (k > 0) out += ' ';
    appendTwipsPx(out, margins[k] < 0 ? 0 : margins[k]);
  }
  out += "\">\n";
}

PaperFrame paperOf(const SectionProps& section) {
  const Geometry g = geometryOf(section);
  return PaperFrame{true, g.width, g.height, g.left, g.top, g.right, g.bottom, g.header, g.footer, g.top};
}

// Where a story starts on the paper, for the drawings placed from the page in it: a header at its
// distance from the top, a footer one line (12 pt) above its distance from the bottom, the body
// and the notes (whose place on the paper is not known) at the top margin.
enum class StoryStart : std::uint8_t { text, header, footer };

long long storyTopOf(const PaperFrame& paper, StoryStart start) {
  constexpr long long kFooterLine = 240;
  switch (start) {
    case StoryStart::header: return paper.marginHeader;
    case StoryStart::footer: return paper.height - paper.marginFooter - kFooterLine;
    case StoryStart::text: break;
  }
  return paper.marginTop;
}

long long textWidth(const SectionProps& section) {
  const Geometry g = geometryOf(section);
  const long long width = static_cast<long long>(g.width) - g.left - g.right;
  return width > 0 ? width : kLetterWidth - 2 * kInch;
}

// Bytes of text in the body, for the size the page is reserved at: one walk, no recursion.
std::size_t bodyTextBytes(const docx::Story& body) {
  std::size_t bytes = 0;
  std::vector<const std::vector<docx::Block>*> pending{&body.blocks};
  while (!pending.empty()) {
    const std::vector<docx::Block>* blocks = pending.back();
    pending.pop_back();
    for (const docx::Block& block : *blocks) {
      if (const auto* paragraph = std::get_if<docx::Paragraph>(&block.node)) {
        bytes += 24;
        for (const docx::Inline& item : paragraph->inlines) bytes += item.text.size() + 8;
        continue;
      }
      for (const docx::Row& row : std::get<docx::Table>(block.node).rows) {
        for (const docx::Cell& cell : row.cells) pending.push_back(&cell.blocks);
      }
    }
  }
  return bytes;
}

bool holdsNoteMark(const docx::Story& story) {
  for (const docx::Block& block : story.blocks) {
    const auto* paragraph = std::get_if<docx::Paragraph>(&block.node);
    if (paragraph == nullptr) continue;
    for (const docx::Inline& item : paragraph->inlines) {
      if (item.kind == docx::InlineKind::footnoteRefMark || item.kind == docx::InlineKind::endnoteRefMark) return true;
    }
  }
  return false;
}

// Which header or footer part a block shows, for the page view, which puts it on the pages of the
// sections that name it (data-header-default="2" on a section names header part 2).
struct PartMark {
  std::string_view kind;  // "header" or "footer"; empty for the note and comment lists
  int index = -1;
};

class PageWriter : private BodyBlocks {
 public:
  PageWriter(const docx::Document& document, const PageOptions& options, docx::Warnings& warnings)
      : document_(document), options_(options), state_(document, options, warnings), chunks_(document) {}

  std::string write() {
    std::string body;
    body.reserve(bodyTextBytes(document_.body) * 2 + 4096);
    state_.out = &body;
    writeBody(body);
    return assemble(body);
  }

 private:
  const SectionProps& sectionAt(std::size_t index) const {
    static const SectionProps kDefault{};
    return index < document_.sections.size() ? document_.sections[index] : kDefault;
  }

  void blockStarts(const docx::Block& block) override { chunks_.beforeBlock(block); }

  void blockEnded(std::size_t startInOut, bool marginAbove) override {
    std::string& out = *state_.out;
    chunks_.afterBlock(out, std::string_view(out).substr(startInOut), marginAbove);
  }

  void sectionEnded(int /*section*/) override {
    // One step per section-ending paragraph: damaged indexes can neither skip nor repeat sections.
    if (section_ + 1 >= document_.sections.size()) return;
    ++section_;
    std::string& out = *state_.out;
    chunks_.closeChunk(out);
    out += "</div>\n";
    appendSectionStart(out, sectionAt(section_), false, section_ < wholePages_.size() && wholePages_[section_]);
    state_.lineWidth = textWidth(sectionAt(section_));
    chunks_.setTextWidth(state_.lineWidth);
    state_.paper = paperOf(sectionAt(section_));
  }

  // A story into its own string; empty when it shows nothing.
  std::string storyHtml(const docx::Story& story, StoryStart start = StoryStart::text) {
    const long long savedTop = state_.paper.storyTop;
    state_.paper.storyTop = storyTopOf(state_.paper, start);
    std::string html;
    std::string* saved = state_.out;
    state_.out = &html;
    state_.openCommentRanges.clear();
    const std::size_t before = state_.visibleWritten;
    writeBlocks(state_, story.blocks, {});
    state_.out = saved;
    state_.openCommentRanges.clear();
    state_.paper.storyTop = savedTop;
    if (state_.visibleWritten == before) html.clear();
    return html;
  }

  const docx::Story* headerOrFooter(const std::vector<docx::HeaderFooter>& parts, int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < parts.size() ? &parts[static_cast<std::size_t>(index)].story
                                                                        : nullptr;
  }

  void writeBody(std::string& out) {
    out += "<div id=\"page\"";
    if (document_.settings.evenAndOddHeaders) out += " data-even-odd=\"1\"";
    out += ">\n";
    wholePages_ = sectionsPlacingFromThePage(document_);
    appendSectionStart(out, sectionAt(0), true, wholePages_[0]);
    state_.lineWidth = textWidth(sectionAt(0));
    chunks_.setTextWidth(state_.lineWidth);
    state_.paper = paperOf(sectionAt(0));
    const SectionProps& first = sectionAt(0);
    const std::size_t shownType = first.titlePage ? 1 : 0;
    shownHeader_ = first.headers[shownType];
    shownFooter_ = first.footers[shownType];
    if (options_.includeStories) {
      if (const docx::Story* header = headerOrFooter(document_.headers, shownHeader_)) {
        appendBlock(out, "vellumine-header", "vm-hdr", storyHtml(*header, StoryStart::header),
                    PartMark{"header", shownHeader_});
      }
    }
    state_.openCommentRanges.clear();
    state_.wordPages.setCounting(true);
    writeBlocks(state_, document_.body.blocks, {}, this);
    chunks_.closeChunk(out);
    state_.wordPages.setCounting(false);
    state_.openCommentRanges.clear();
    if (options_.includeStories) writeStories(out);
    out += "</div>\n</div>\n";
  }

  static void appendBlock(std::string& out, std::string_view id, std::string_view className, const std::string& html,
                          PartMark part = {}) {
    if (html.empty()) return;
    out.append("<div id=\"").append(id).append("\" class=\"").append(className) += '"';
    if (!part.kind.empty()) {
      out.append(" data-part=\"").append(part.kind) += '"';
      appendDataInteger(out, "part-index", part.index);
    }
    out.append(">\n").append(html).append("</div>\n");
  }

  void writeStories(std::string& out) {
    // In reading order, so that marks are numbered as they are met: the footer and the other
    // headers and footers first, then the lists (whose notes may refer to more notes).
    const std::string footer =
        headerOrFooter(document_.footers, shownFooter_)
            ? storyHtml(*headerOrFooter(document_.footers, shownFooter_), StoryStart::footer)
            : "";
    std::vector<std::string> others;
    std::vector<PartMark> otherMarks;
    for (const auto& [parts, index] : otherHeadersAndFooters()) {
      const bool header = parts == &document_.headers;
      others.push_back(storyHtml(*headerOrFooter(*parts, index), header ? StoryStart::header : StoryStart::footer));
      otherMarks.push_back({header ? "header" : "footer", index});
    }
    writeLists();
    appendBlock(out, "vellumine-footnotes", "vm-notes", lists_[0]);
    appendBlock(out, "vellumine-endnotes", "vm-notes", lists_[1]);
    appendBlock(out, "vellumine-comments", "vm-notes", lists_[2]);
    appendBlock(out, "vellumine-footer", "vm-ftr", footer, PartMark{"footer", shownFooter_});
    std::size_t shown = 0;
    for (std::size_t k = 0; k < others.size(); ++k) {
      if (others[k].empty()) continue;
      std::string id = "vellumine-section-";
      appendInteger(id, static_cast<long long>(shown + 2));
      appendBlock(out, id, "vm-ftr", others[k], otherMarks[k]);
      ++shown;
    }
  }

  // Every header and footer a section names, each once, but the two shown already.
  std::vector<std::pair<const std::vector<docx::HeaderFooter>*, int>> otherHeadersAndFooters() const {
    std::vector<std::pair<const std::vector<docx::HeaderFooter>*, int>> found;
    std::vector<bool> headerSeen(document_.headers.size()), footerSeen(document_.footers.size());
    auto add = [&](const std::vector<docx::HeaderFooter>& parts, std::vector<bool>& seen, int index, int shown) {
      if (index < 0 || static_cast<std::size_t>(index) >= parts.size() || index == shown) return;
      if (seen[static_cast<std::size_t>(index)]) return;
      seen[static_cast<std::size_t>(index)] = true;
      found.emplace_back(&parts, index);
    };
    for (const SectionProps& section : document_.sections) {
      for (int index : section.headers) add(document_.headers, headerSeen, index, shownHeader_);
      for (int index : section.footers) add(document_.footers, footerSeen, index, shownFooter_);
    }
    return found;
  }

  void writeNote(StoryList list, std::size_t place) {
    const std::vector<docx::Note>& notes = list == StoryList::footnotes ? document_.footnotes : document_.endnotes;
    const docx::Note& note = notes[state_.numbers.order(list)[place - 1]];
    std::string& out = lists_[static_cast<std::size_t>(list)];
    out += "<div id=\"";
    StoryNumbers::appendItemId(out, list, place);
    out += "\" class=\"vm-note\">";
    if (state_.numbers.referencedAt(list, place)) state_.backLink = {true, !holdsNoteMark(note.story), list, place};
    out += storyHtml(note.story);
    state_.backLink.active = false;
    out += "</div>\n";
  }

  void writeComment(std::size_t place) {
    const docx::Comment& comment = document_.comments[state_.numbers.order(StoryList::comments)[place - 1]];
    std::string& out = lists_[2];
    out += "<div id=\"";
    StoryNumbers::appendItemId(out, StoryList::comments, place);
    out += "\" class=\"vm-comment\"><p class=\"vm-chead\">";
    const bool linked = state_.numbers.referencedAt(StoryList::comments, place);
    if (linked) {
      out += "<a href=\"#";
      StoryNumbers::appendReferenceId(out, StoryList::comments, place);
      out += "\">";
    }
    out += '[';
    appendHtmlText(out, comment.initials);
    appendHtmlText(out, state_.numbers.markAt(StoryList::comments, place));
    out += ']';
    if (linked) out += "</a>";
    if (!comment.author.empty()) {
      out += " <b>";
      appendHtmlText(out, comment.author);
      out += "</b>";
    }
    if (!comment.date.empty()) {
      out += ' ';
      appendHtmlText(out, displayDate(comment.date));
    }
    out += "</p>";
    out += storyHtml(comment.story);
    out += "</div>\n";
  }

  // Lists grow while they are written (a note can refer to another); what nobody refers to comes
  // last.  Each item is written once.
  void writeLists() {
    std::array<std::size_t, 3> written{};
    for (;;) {
      bool progress = true;
      while (progress) {
        progress = false;
        for (StoryList list : {StoryList::footnotes, StoryList::endnotes, StoryList::comments}) {
          std::size_t& done = written[static_cast<std::size_t>(list)];
          while (done < state_.numbers.order(list).size()) {
            ++done;
            if (list == StoryList::comments) {
              writeComment(done);
            } else {
              writeNote(list, done);
            }
            progress = true;
          }
        }
      }
      const auto normal = [](const std::vector<docx::Note>& notes) {
        return [&notes](std::size_t index) { return notes[index].kind == docx::NoteKind::normal; };
      };
      bool more = state_.numbers.listUnreferenced(StoryList::footnotes, normal(document_.footnotes));
      more |= state_.numbers.listUnreferenced(StoryList::endnotes, normal(document_.endnotes));
      more |= state_.numbers.listUnreferenced(StoryList::comments, [](std::size_t) { return true; });
      if (!more) break;
    }
  }

  std::string assemble(const std::string& body) const {
    std::string page;
    const std::string& rules = state_.sheet.rules();
    page.reserve(body.size() + rules.size() + kBaseSheet.size() + kContextSheet.size() + 4096);
    page += "<!DOCTYPE html>\n<html";
    if (!document_.settings.themeFontLang.empty()) {
      page += " lang=\"";
      appendHtmlAttribute(page, document_.settings.themeFontLang);
      page += '"';
    }
    page += ">\n<head>\n<meta charset=\"utf-8\">\n<title>";
    appendHtmlText(page, options_.title);
    page += "</title>\n<style>\n";
    page += kBaseSheet;
    appendLeaderRules(page);
    page += rules;
    page += kContextSheet;
    if (state_.wordPages.written() > 0) page += wordPageSheet();
    if (state_.mathUsed) page += mathSheet();
    if (state_.shapesUsed) page += shapeSheet();
    if (state_.unwrappedUsed) page += unwrappedSheet();
    chunks_.appendRules(page);
    appendAuthorRules(page);
    page += "</style>\n</head>\n<body>\n";
    page += body;
    page += "</body>\n</html>\n";
    return page;
  }

  const docx::Document& document_;
  const PageOptions& options_;
  PageState state_;
  std::size_t section_ = 0;
  std::vector<bool> wholePages_;  // by section: its sheet is a whole page tall
  int shownHeader_ = -1, shownFooter_ = -1;
  std::array<std::string, 3> lists_;
  LayoutChunks chunks_;
};

}  // namespace

std::string renderPage(const docx::Document& document, const PageOptions& options, docx::Warnings& warnings) {
  return PageWriter(document, options, warnings).write();
}

}  // namespace vellumine::render
