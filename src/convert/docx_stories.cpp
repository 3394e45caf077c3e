// Converting the stories.  A notes or comments part holds many items ("<w:footnote w:id=..>" and
// so on); each becomes the body of a document text of its own and runs through the whole pass
// table, so lists, tables, links and pictures come out as they do in the body.  One conversion is
// kept per part and reused item after item: the style table and the compiled patterns are made
// once, not once per note.
#include "convert/docx_stories.h"

#include <utility>

#include "convert/ddocx.h"
#include "convert/field_codes.h"
#include "convert/markup_scan.h"
#include "convert/word_prefix.h"
#include "text/bytesearch.h"
#include "text/fileutil.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Note types that hold the lines between body and notes, not notes.
bool isSeparatorNote(std::string_view type) {
  return type == "separator" || type == "continuationSeparator" || type == "continuationNotice";
}

// Removes every element of this name (with its content unless it closes itself), in one pass.
void removeElements(std::string& text, std::string_view name) {
  const std::string close = "</" + std::string(name.substr(1)) + ">";
  std::size_t at = findStartTag(text, name, 0);
  if (at == npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t copied = 0;
  while (at != npos) {
    const std::string_view tag = tagAt(text, at);
    std::size_t end = at + tag.size();
    if (tag.size() < 2 || tag.substr(tag.size() - 2) != "/>") {
      const std::size_t closeAt = findBytes(text, close, end);
      if (closeAt != npos) end = closeAt + close.size();
    }
    out.append(text, copied, at - copied);
    copied = end;
    at = findStartTag(text, name, end);
  }
  out.append(text, copied);
  text = std::move(out);
}

// The converted content of a page made from "<w:body>" + item + "</w:body>": what stands between
// the body start tag and the body end tag in front of the page's closing tags.
std::string bodyContent(std::string_view page) {
  constexpr std::string_view kTail = "</body></div></body></html>";
  std::size_t begin = page.find("<body");
  begin = begin == npos ? 0 : page.find('>', begin);
  begin = begin == npos ? page.size() : begin + 1;
  std::size_t end = page.size();
  if (page.ends_with(kTail)) end -= kTail.size();
  return begin < end ? std::string(page.substr(begin, end - begin)) : std::string();
}

// Converts one item after another with the styles and numbering of the body and the
// relationships of one story part.
class StoryConverter {
 public:
  StoryConverter(const Conversion& body, std::string relationships) {
    c_.packageFolder = body.packageFolder;
    c_.settings = body.settings;
    c_.autoShadeColour = body.autoShadeColour;
    c_.styles = body.styles;
    c_.styleTable = body.styleTable;
    c_.numbering = body.numbering;
    normaliseWordPrefix(relationships);
    stripWordPrefix(relationships);
    c_.relationships = std::move(relationships);
  }

  // content: the inside of one note, comment, header or footer element, names with "w:".
  std::string convertItem(std::string_view content) {
    std::string text;
    text.reserve(content.size() + 32);
    text.append("<w:body>").append(content).append("</w:body>");
    keepFieldResults(text);
    c_.text = std::move(text);
    convert(c_);
    return bodyContent(c_.text);
  }

 private:
  Conversion c_;
};

// Every item element of a notes or comments part, in part order: its start tag and content.
template <class Visit>
void forEachItem(std::string_view part, std::string_view itemName, const Visit& visit) {
  const std::string close = "</" + std::string(itemName.substr(1)) + ">";
  for (std::size_t at = findStartTag(part, itemName, 0); at != npos;) {
    const std::string_view tag = tagAt(part, at);
    std::size_t next = at + tag.size();
    std::string_view content;
    if (tag.size() >= 2 && tag.substr(tag.size() - 2) != "/>") {
      const std::size_t closeAt = findBytes(part, close, next);
      const std::size_t end = closeAt == npos ? part.size() : closeAt;
      content = part.substr(next, end - next);
      next = closeAt == npos ? part.size() : closeAt + close.size();
    }
    visit(tag, content);
    at = findStartTag(part, itemName, next);
  }
}

void convertItems(const Conversion& body, std::vector<StoryText>& texts, std::string_view itemName,
                  std::vector<StoryItem>& items) {
  for (StoryText& text : texts) {
    normaliseWordPrefix(text.part);
    StoryConverter converter(body, std::move(text.relationships));
    forEachItem(text.part, itemName, [&](std::string_view tag, std::string_view content) {
      if (isSeparatorNote(AttrValue(tag, " w:type"))) return;
      StoryItem item;
      item.id = AttrValue(tag, " w:id");
      item.author = AttrValue(tag, " w:author");
      item.initials = AttrValue(tag, " w:initials");
      item.date = AttrValue(tag, " w:date");
      item.html = converter.convertItem(content);
      items.push_back(std::move(item));
    });
  }
}

// A header or footer part is one story: the content of its root element.
std::string convertWholePart(const Conversion& body, StoryText& text) {
  if (text.part.empty()) return {};
  normaliseWordPrefix(text.part);
  std::string_view part = text.part;
  for (std::string_view root : {"<w:hdr", "<w:ftr"}) {
    const std::size_t at = findStartTag(part, root, 0);
    if (at == npos) continue;
    const std::size_t begin = at + tagAt(part, at).size();
    const std::size_t end = findBytes(part, "</" + std::string(root.substr(1)) + ">", begin);
    StoryConverter converter(body, std::move(text.relationships));
    return converter.convertItem(part.substr(begin, end == npos ? npos : end - begin));
  }
  return {};
}

StoryText readStoryText(const StoryPart& part) {
  if (part.part.empty()) return {};
  return {ReadWholeFile(part.part), part.relationships.empty() ? std::string() : ReadWholeFile(part.relationships)};
}

std::vector<StoryText> readStoryTexts(const std::vector<StoryPart>& parts) {
  std::vector<StoryText> texts;
  for (const StoryPart& part : parts) texts.push_back(readStoryText(part));
  return texts;
}

}  // namespace

void keepFieldResults(std::string& story) {
  // The instruction parts are found by the field characters, so they go first.
  removeFieldCodes(story, "w:");
  for (std::string_view name : {"<w:instrText", "<w:delInstrText", "<w:fldChar"}) removeElements(story, name);
}

StoryTexts readStoryTexts(const StorySources& sources) {
  return {readStoryTexts(sources.footnotes), readStoryTexts(sources.endnotes), readStoryTexts(sources.comments),
          readStoryText(sources.header),     readStoryText(sources.footer),
          readStoryTexts(sources.otherHeadersAndFooters)};
}

bool Stories::empty() const {
  return footnotes.empty() && endnotes.empty() && comments.empty() && header.empty() && footer.empty() &&
         otherHeadersAndFooters.empty();
}

Stories convertStories(const Conversion& body, StoryTexts texts) {
  Stories stories;
  convertItems(body, texts.footnotes, "<w:footnote", stories.footnotes);
  convertItems(body, texts.endnotes, "<w:endnote", stories.endnotes);
  convertItems(body, texts.comments, "<w:comment", stories.comments);
  stories.header = convertWholePart(body, texts.header);
  stories.footer = convertWholePart(body, texts.footer);
  for (StoryText& text : texts.otherHeadersAndFooters) {
    std::string html = convertWholePart(body, text);
    if (!html.empty()) stories.otherHeadersAndFooters.push_back(std::move(html));
  }
  return stories;
}

}  // namespace vellumine
