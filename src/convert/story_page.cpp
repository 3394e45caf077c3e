// Assembling the page of the whole document in one copy: the body as converted, with the stories
// set around it.  Every mark, back-link and id comes from the lists of story_marks, so each link
// added here has its target on the page.
#include "convert/story_page.h"

#include <string>
#include <string_view>
#include <vector>

#include "convert/story_marks.h"
#include "text/bytesearch.h"
#include "text/markup_escape.h"

namespace vellumine {

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kPageEnd = "</div></body></html>";

// Set apart from the body: muted, behind a thin rule.
constexpr std::string_view kHeaderStyle =
    "color:#595959;opacity:0.8;border-bottom:1px solid #c0c0c0;margin-bottom:12px;padding-bottom:4px";
constexpr std::string_view kFooterStyle =
    "color:#595959;opacity:0.8;border-top:1px solid #c0c0c0;margin-top:12px;padding-top:4px";
constexpr std::string_view kListStyle = "border-top:1px solid #a0a0a0;margin-top:16px;padding-top:4px";
constexpr std::string_view kCommentStyle = "margin-bottom:6px";
constexpr std::string_view kCommentHeadingStyle = "color:#595959";

bool mentionsReferences(std::string_view html) {
  for (std::string_view needle : {"<footnoteRef", "<endnoteRef", "<comment"}) {
    if (findBytes(html, needle) != npos) return true;
  }
  return false;
}

// A block of its own; its id tells the viewer that the block is not part of the body's text.
void appendBlock(std::string& out, std::string_view id, std::string_view style, std::string_view html) {
  out.append("\r\n<div id=\"").append(id).append("\" style=\"").append(style).append("\">");
  out.append(html).append("</div>");
}

void appendNotes(std::string& out, MarkWriter& writer, const StoryList& list, std::string_view listId) {
  if (list.order().empty()) return;
  out.append("\r\n<div id=\"").append(listId).append("\" style=\"").append(kListStyle).append("\">");
  for (std::size_t place = 1; place <= list.order().size(); ++place) {
    out.append("\r\n<div id=\"").append(list.itemId(place)).append("\">");
    out.append(writer.rewriteNote(list.item(list.order()[place - 1]).html, list, place));
    out.append("</div>");
  }
  out.append("</div>");
}

// "[AB1] Author 2015-08-14 13:43": the marker links back to the comment's first reference.
void appendCommentHeading(std::string& out, const StoryList& list, std::size_t place, const StoryItem& comment) {
  out.append("<p style=\"").append(kCommentHeadingStyle).append("\">");
  const bool linked = list.referencedAt(place);
  if (linked) out.append("<a href=\"#").append(list.referenceId(place)).append("\">");
  out += '[';
  appendEscaped(out, comment.initials);
  out.append(list.markAt(place)).append("]");
  if (linked) out += "</a>";
  if (!comment.author.empty()) {
    out += " <b>";
    appendEscaped(out, comment.author);
    out += "</b>";
  }
  if (!comment.date.empty()) {
    out += ' ';
    appendEscaped(out, displayDate(comment.date));
  }
  out += "</p>";
}

void appendComments(std::string& out, MarkWriter& writer, const StoryList& list) {
  if (list.order().empty()) return;
  out.append("\r\n<div id=\"vellumine-comments\" style=\"").append(kListStyle).append("\">");
  for (std::size_t place = 1; place <= list.order().size(); ++place) {
    const StoryItem& comment = list.item(list.order()[place - 1]);
    out.append("\r\n<div id=\"").append(list.itemId(place)).append("\" style=\"").append(kCommentStyle).append("\">");
    appendCommentHeading(out, list, place, comment);
    out.append(writer.rewrite(comment.html)).append("</div>");
  }
  out.append("</div>");
}

// Where the body's content starts: right behind the body start tag.
std::size_t bodyContentStart(std::string_view page) {
  const std::size_t body = page.find("<body");
  if (body == npos) return 0;
  const std::size_t end = page.find('>', body);
  return end == npos ? page.size() : end + 1;
}

}  // namespace

std::string displayDate(std::string_view date) {
  auto digits = [&](std::size_t from, std::size_t count) {
    for (std::size_t k = from; k < from + count; ++k) {
      if (k >= date.size() || date[k] < '0' || date[k] > '9') return false;
    }
    return true;
  };
  const bool iso = digits(0, 4) && date.size() >= 16 && date[4] == '-' && digits(5, 2) && date[7] == '-' &&
                   digits(8, 2) && date[10] == 'T' && digits(11, 2) && date[13] == ':' && digits(14, 2);
  if (!iso) return std::string(date);
  return std::string(date.substr(0, 10)) + " " + std::string(date.substr(11, 5));
}

void addStoriesToPage(Conversion& c, const Stories& stories) {
  if (stories.empty() && !mentionsReferences(c.text)) return;
  const std::string_view page = c.text;
  const std::string_view header = hasVisibleContent(stories.header) ? stories.header : std::string_view();
  const std::string_view footer = hasVisibleContent(stories.footer) ? stories.footer : std::string_view();
  std::vector<std::string_view> others;
  for (const std::string& html : stories.otherHeadersAndFooters) {
    if (hasVisibleContent(html)) others.push_back(html);
  }

  // The lists are numbered in reading order first, so that marks and back-links agree.
  StoryLists lists(stories);
  std::vector<std::string_view> shown{page, header, footer};
  shown.insert(shown.end(), others.begin(), others.end());
  lists.number(shown);
  MarkWriter writer(lists);

  const std::size_t contentStart = bodyContentStart(page);
  const std::size_t contentEnd = page.ends_with(kPageEnd) ? page.size() - kPageEnd.size() : page.size();
  std::string out;
  out.reserve(page.size() + page.size() / 16 + 1024);
  out.append(page.substr(0, contentStart));
  if (!header.empty()) appendBlock(out, "vellumine-header", kHeaderStyle, writer.rewrite(header));
  out.append(writer.rewrite(page.substr(contentStart, contentEnd - contentStart)));
  appendNotes(out, writer, lists.footnotes, "vellumine-footnotes");
  appendNotes(out, writer, lists.endnotes, "vellumine-endnotes");
  appendComments(out, writer, lists.comments);
  if (!footer.empty()) appendBlock(out, "vellumine-footer", kFooterStyle, writer.rewrite(footer));
  for (std::size_t k = 0; k < others.size(); ++k) {
    appendBlock(out, "vellumine-section-" + std::to_string(k + 2), kFooterStyle, writer.rewrite(others[k]));
  }
  out.append(kPageEnd);
  c.text = std::move(out);
}

}  // namespace vellumine
