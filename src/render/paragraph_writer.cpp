// A paragraph's content, inline by inline, in one loop.  Runs are the innermost elements: a span
// of the run's class, left open while the next text has the same class.  Links, fields, tracked
// changes and the comment highlight are a stack of open elements around them; whenever something
// must not stand inside them (a tab's box, a text box) they are closed and opened again before
// the next content, so the elements always nest.  Tabs are planned before the loop (tab_layout)
// and each becomes the edge of a box.  Tracked changes are elements only when marked up; in the
// final and original views what a dropped change holds is left out (dropped_changes.h), tabs
// included, and what a kept change holds is plain content.
#include "render/paragraph_writer.h"

#include <algorithm>
#include <array>

#include "docx/symbol_characters.h"
#include "render/css_units.h"
#include "render/drawing_writer.h"
#include "render/equation_writer.h"
#include "render/dropped_changes.h"
#include "render/html_escape.h"
#include "render/tab_layout.h"
#include "render/word_pages.h"

namespace vellumine::render {

namespace {

using docx::InlineKind;

// More elements open at once than this are not opened (their ends then find nothing to close):
// a damaged paragraph with a thousand unclosed changes costs no more than a sane one.
constexpr std::size_t kMaxOpenMarks = 16;

// By ChangeKind.  A move's two places tell themselves apart by their look (struck through or
// underlined twice).
constexpr std::array<std::string_view, 4> kChangeTitles{"Inserted by ", "Deleted by ", "Moved by ", "Moved by "};

bool standsInRun(InlineKind kind) {
  switch (kind) {
    case InlineKind::text:
    case InlineKind::tab:
    case InlineKind::positionalTab:
    case InlineKind::lineBreak:
    case InlineKind::pageBreak:
    case InlineKind::columnBreak:
    case InlineKind::noBreakHyphen:
    case InlineKind::softHyphen:
    case InlineKind::symbol:
    case InlineKind::drawing:
    case InlineKind::equation:
    case InlineKind::footnoteReference:
    case InlineKind::endnoteReference:
    case InlineKind::footnoteRefMark:
    case InlineKind::endnoteRefMark:
    case InlineKind::commentReference:
      return true;
    default:
      return false;
  }
}

bool isTab(InlineKind kind) { return kind == InlineKind::tab || kind == InlineKind::positionalTab; }

// The run formatting shown: in the original view, what a tracked formatting change replaced.
std::uint32_t shownRunProps(const PageState& state, const docx::Inline& item) {
  const bool former = state.options.changes == ChangesView::original && item.formerRunProps != docx::kSameRunProps &&
                      item.formerRunProps < state.document.runProps.items.size();
  return former ? item.formerRunProps : item.runProps;
}

std::string_view leaderClass(docx::TabLeader leader) {
  switch (leader) {
    case docx::TabLeader::none: return "vm-tl";
    case docx::TabLeader::dot: return "vm-tl vm-ld-dot";
    case docx::TabLeader::hyphen: return "vm-tl vm-ld-hyphen";
    case docx::TabLeader::underscore: return "vm-tl vm-ld-line";
    case docx::TabLeader::heavy: return "vm-tl vm-ld-heavy";
    case docx::TabLeader::middleDot: return "vm-tl vm-ld-mid";
  }
  return "vm-tl";
}

enum class MarkKind : std::uint8_t { link, field, change, comment };

struct OpenMark {
  MarkKind kind;
  std::int32_t number;
  std::string startTag;  // empty: a mark that is counted but writes nothing (a link inside a link)
  std::string_view endTag;
};

class ParagraphWriter {
 public:
  ParagraphWriter(PageState& state, const docx::Paragraph& paragraph, const docx::ParagraphFormat& format,
                  const docx::CellContext& cell)
      : state_(state), out_(*state.out), paragraph_(paragraph), format_(format), cell_(cell),
        dropped_(state.document, state.options.changes) {}

  ParagraphContent write() {
    // Drawings out of the flow are placed from this paragraph's left edge; a text box in it
    // writes paragraphs of its own, so the edge before is kept and given back.
    const long long outerLeft = state_.paragraphLeft;
    state_.paragraphLeft = format_.bidi ? format_.indentEnd : format_.indentStart;
    const docx::ListLabel* label = visibleLabel();
    planTabs(label);
    if (!boxes_.empty()) openBox();
    if (state_.storiesShown() && !state_.openCommentRanges.empty()) pushMark(MarkKind::comment, 0, "<span class=\"vm-cr\">", "</span>");
    writeWaitingBackLink();
    if (label != nullptr) writeLabel(*label);
    for (const docx::Inline& item : paragraph_.inlines) writeInline(item);
    closeRun();
    closeMarks();
    marks_.clear();
    if (boxOpen_) closeBox();
    state_.paragraphLeft = outerLeft;
    return content_;
  }

 private:
  // ---- formats ----

  const docx::RunFormat& runFormat(std::uint32_t runProps) {
    if (cachedFormat_ == nullptr || cachedProps_ != runProps) {
      cachedFormat_ = &state_.resolver.run(paragraph_, runProps, cell_);
      cachedProps_ = runProps;
    }
    return *cachedFormat_;
  }

  const docx::RunFormat& itemFormat(const docx::Inline& item) { return runFormat(shownRunProps(state_, item)); }

  // Content that is not shown: hidden text, and what a change the view drops holds.
  bool hidden(const docx::Inline& item, const DroppedChanges& dropped) {
    return standsInRun(item.kind) && (dropped.dropping() || itemFormat(item).hidden);
  }

  const docx::ListLabel* visibleLabel() {
    const auto& labels = state_.document.listLabels;
    if (paragraph_.listLabel < 0 || static_cast<std::size_t>(paragraph_.listLabel) >= labels.size()) return nullptr;
    const docx::ListLabel& label = labels[static_cast<std::size_t>(paragraph_.listLabel)];
    if (label.text.empty() || state_.resolver.label(paragraph_, label, cell_).hidden) return nullptr;
    return &label;
  }

  // ---- the run span and the open elements ----

  void openRun(ClassName name) {
    if (runOpen_ && runClass_ == name) return;
    closeRun();
    openMarks();
    out_ += "<span class=\"";
    appendClassName(out_, name);
    out_ += "\">";
    runOpen_ = true;
    runClass_ = name;
  }

  void closeRun() {
    if (!runOpen_) return;
    out_ += "</span>";
    runOpen_ = false;
  }

  // Opens the elements that were closed around a box or a text box, before content goes in.
  void openMarks() {
    for (; marksOpen_ < marks_.size(); ++marksOpen_) out_ += marks_[marksOpen_].startTag;
  }

  void closeMarks() {
    closeRun();
    while (marksOpen_ > 0) {
      --marksOpen_;
      if (!marks_[marksOpen_].startTag.empty()) out_ += marks_[marksOpen_].endTag;
    }
  }

  void pushMark(MarkKind kind, std::int32_t number, std::string startTag, std::string_view endTag) {
    if (marks_.size() >= kMaxOpenMarks) return;
    if (!startTag.empty()) closeRun();
    marks_.push_back({kind, number, std::move(startTag), endTag});
  }

  bool linkOpen() const {
    return std::any_of(marks_.begin(), marks_.end(),
                       [](const OpenMark& m) { return m.kind == MarkKind::link && !m.startTag.empty(); });
  }

  // Ends the innermost open element of this kind (and number, unless any is -1); an end without
  // a start is ignored.
  void popMark(MarkKind kind, std::int32_t number) {
    for (std::size_t k = marks_.size(); k-- > 0;) {
      if (marks_[k].kind != kind || (number >= 0 && marks_[k].number != number)) continue;
      if (marks_[k].startTag.empty()) {  // wrote nothing: nothing to close
        marks_.erase(marks_.begin() + static_cast<std::ptrdiff_t>(k));
        if (k < marksOpen_) --marksOpen_;
        return;
      }
      closeRun();
      // Close down to it; those above it open again before the next content.
      while (marksOpen_ > k) {
        --marksOpen_;
        if (!marks_[marksOpen_].startTag.empty()) out_ += marks_[marksOpen_].endTag;
      }
      marks_.erase(marks_.begin() + static_cast<std::ptrdiff_t>(k));
      return;
    }
  }

  void shown() {
    content_.visible = true;
    content_.endsWithBreak = false;
    ++state_.visibleWritten;
  }

  // ---- tabs ----

  void planTabs(const docx::ListLabel* label) {
    const bool labelTab = label != nullptr && label->suffix == docx::LevelSuffix::tab;
    const bool anyTab = std::any_of(paragraph_.inlines.begin(), paragraph_.inlines.end(),
                                    [](const docx::Inline& item) { return isTab(item.kind); });
    if (!labelTab && !anyTab) return;
    std::vector<TabStretch> stretches(1);
    std::vector<TabMark> tabs;
    if (label != nullptr) {
      stretches[0].width = estimateTextWidth(label->text, state_.resolver.label(paragraph_, *label, cell_).size);
      if (labelTab) {
        tabs.push_back({});
        stretches.emplace_back();
      }
    }
    DroppedChanges dropped(state_.document, state_.options.changes);
    for (const docx::Inline& item : paragraph_.inlines) {
      dropped.follow(item);
      if (!standsInRun(item.kind) || hidden(item, dropped)) continue;
      if (isTab(item.kind)) {
        tabs.push_back({item.kind == InlineKind::positionalTab, item.number});
        stretches.emplace_back();
        continue;
      }
      addToStretch(stretches.back(), item);
    }
    if (tabs.empty()) return;
    TabContext context;
    context.stops = format_.tabs;
    context.defaultStop = state_.document.settings.defaultTabStop;
    context.indentStart = format_.indentStart;
    context.firstLine = format_.firstLine;
    context.lineWidth = state_.lineWidth - format_.indentStart - format_.indentEnd;
    boxes_ = layOutTabs(context, stretches, tabs);
  }

  void addToStretch(TabStretch& stretch, const docx::Inline& item) {
    const docx::RunFormat& run = itemFormat(item);
    const int size = run.rtl || run.complexScriptText ? run.sizeCs : run.size;
    long long width = size * 5;  // half an em: a symbol, a hyphen, a mark
    if (item.kind == InlineKind::text) {
      width = estimateTextWidth(item.text, size);
      const std::size_t separator = item.text.find_last_of(".,");
      if (separator != std::string::npos) {
        stretch.widthAfterDecimal = estimateTextWidth(std::string_view(item.text).substr(separator), size);
        stretch.width += width;
        return;
      }
    } else if (item.kind == InlineKind::drawing) {
      const auto& drawings = state_.document.drawings;
      const auto index = static_cast<std::size_t>(item.number);
      width = item.number >= 0 && index < drawings.size() ? std::clamp<long long>(drawings[index].widthEmu / 635, 0, 1'000'000) : 0;
    } else if (item.kind != InlineKind::symbol && item.kind != InlineKind::noBreakHyphen &&
               item.kind != InlineKind::footnoteReference && item.kind != InlineKind::endnoteReference) {
      width = 0;
    }
    stretch.width += width;
    stretch.widthAfterDecimal += width;
  }

  void openBox() {
    const TabBox& box = boxes_[nextBox_];
    closeMarks();
    out_ += "<span class=\"vm-tb\" style=\"min-width:min(";
    appendTwipsPx(out_, box.width);
    out_ += ",100%)\"><span class=\"vm-ts\">";
    boxOpen_ = true;
    inTail_ = false;
  }

  void closeBox() {
    closeMarks();
    out_ += "</span></span>";
    boxOpen_ = false;
    ++nextBox_;
  }

  // A tab: the end of the stretch before it in the current box.
  void writeTab() {
    if (nextBox_ >= boxes_.size()) return;
    if (inTail_) {
      closeBox();
      if (nextBox_ >= boxes_.size()) return;
      openBox();
    }
    const TabBox& box = boxes_[nextBox_];
    closeMarks();
    // The tab itself is kept as text: a copy and a screen reader get "1.<tab>Heading", not "1.Heading".
    out_.append("</span><span class=\"").append(leaderClass(box.leader)).append("\">\t</span>");
    shown();
    if (box.kind == TabBoxKind::toStop) {
      out_ += "</span>";
      boxOpen_ = false;
      ++nextBox_;
      if (nextBox_ < boxes_.size()) openBox();
      return;
    }
    out_ += "<span class=\"vm-ts\">";
    inTail_ = true;
  }

  // ---- labels, notes and comments ----

  void writeLabel(const docx::ListLabel& label) {
    const ClassName name = state_.sheet.runClass(state_.resolver.label(paragraph_, label, cell_));
    openMarks();
    out_ += "<span class=\"vm-lbl ";
    appendClassName(out_, name);
    out_ += "\">";
    appendHtmlText(out_, label.text);
    if (label.suffix == docx::LevelSuffix::space) out_ += ' ';
    out_ += "</span>";
    shown();
    if (label.suffix == docx::LevelSuffix::tab) writeTab();
  }

  void appendBackLink(const PendingBackLink& link, bool superscript) {
    const std::string_view mark = state_.numbers.markAt(link.list, link.place);
    out_ += "<a class=\"vm-nref\" href=\"#";
    StoryNumbers::appendReferenceId(out_, link.list, link.place);
    out_ += "\">";
    if (superscript) out_ += "<sup>";
    appendHtmlText(out_, mark);
    if (superscript) out_ += "</sup>";
    out_ += "</a>";
  }

  // A note without a mark of its own gets its back link before its text.
  void writeWaitingBackLink() {
    PendingBackLink& link = state_.backLink;
    if (!link.active || !link.atFirstParagraph) return;
    link.active = false;
    openMarks();
    appendBackLink(link, true);
    out_ += ' ';
    shown();
  }

  void writeNoteMark(const docx::Inline& item, StoryList list) {
    PendingBackLink& link = state_.backLink;
    if (!link.active || link.list != list) return;
    link.active = false;
    openRun(state_.sheet.runClass(itemFormat(item)));
    appendBackLink(link, false);
    shown();
  }

  void writeNoteReference(const docx::Inline& item, StoryList list) {
    const StoryReference reference = state_.numbers.refer(list, item.number, item.text);
    openRun(state_.sheet.runClass(itemFormat(item)));
    const bool linked = reference.place != 0 && state_.storiesShown() && !linkOpen();
    if (linked) {
      out_ += "<a class=\"vm-nref\" href=\"#";
      StoryNumbers::appendItemId(out_, list, reference.place);
      out_ += '"';
      if (reference.first) {
        out_ += " id=\"";
        StoryNumbers::appendReferenceId(out_, list, reference.place);
        out_ += '"';
      }
      out_ += '>';
    }
    appendHtmlText(out_, reference.mark);
    if (linked) out_ += "</a>";
    shown();
  }

  void writeCommentReference(const docx::Inline& item) {
    if (!state_.storiesShown()) return;
    const StoryReference reference = state_.numbers.refer(StoryList::comments, item.number, {});
    closeRun();
    openMarks();
    const auto& comments = state_.document.comments;
    std::string_view initials;
    if (item.number >= 0 && static_cast<std::size_t>(item.number) < comments.size()) {
      initials = comments[static_cast<std::size_t>(item.number)].initials;
    }
    const bool linked = reference.place != 0 && !linkOpen();
    out_ += "<sup class=\"vm-cref\">";
    if (linked) {
      out_ += "<a href=\"#";
      StoryNumbers::appendItemId(out_, StoryList::comments, reference.place);
      out_ += '"';
      if (reference.first) {
        out_ += " id=\"";
        StoryNumbers::appendReferenceId(out_, StoryList::comments, reference.place);
        out_ += '"';
      }
      out_ += '>';
    }
    out_ += '[';
    appendHtmlText(out_, initials);
    appendHtmlText(out_, reference.mark);
    out_ += ']';
    if (linked) out_ += "</a>";
    out_ += "</sup>";
    shown();
  }

  void startCommentRange(std::int32_t number) {
    if (!state_.storiesShown()) return;
    const bool first = state_.openCommentRanges.empty();
    state_.openCommentRanges.insert(number);
    if (first) pushMark(MarkKind::comment, 0, "<span class=\"vm-cr\">", "</span>");
  }

  void endCommentRange(std::int32_t number) {
    if (state_.openCommentRanges.erase(number) == 0) return;
    if (state_.openCommentRanges.empty()) popMark(MarkKind::comment, -1);
  }

  // ---- links, fields, changes, bookmarks ----

  void startLink(std::int32_t number) {
    const auto& links = state_.document.links;
    if (number < 0 || static_cast<std::size_t>(number) >= links.size() || linkOpen()) {
      pushMark(MarkKind::link, number, {}, {});
      return;
    }
    const docx::Link& link = links[static_cast<std::size_t>(number)];
    std::string tag = "<a href=\"";
    if (!link.url.empty()) {
      appendHtmlAttribute(tag, link.url);
      if (!link.anchor.empty()) {
        tag += '#';
        appendHtmlAttribute(tag, link.anchor);
      }
    } else if (!link.anchor.empty()) {
      tag += "#bm-";
      appendIdText(tag, link.anchor);
    }
    tag += '"';
    if (!link.tooltip.empty()) {
      tag += " title=\"";
      appendHtmlAttribute(tag, link.tooltip);
      tag += '"';
    }
    tag += '>';
    pushMark(MarkKind::link, number, std::move(tag), "</a>");
  }

  void startField(std::int32_t number) {
    const auto& fields = state_.document.fields;
    std::string tag = "<span class=\"vm-fld\"";
    if (number >= 0 && static_cast<std::size_t>(number) < fields.size() &&
        !fields[static_cast<std::size_t>(number)].type.empty()) {
      tag += " data-field=\"";
      appendHtmlAttribute(tag, fields[static_cast<std::size_t>(number)].type);
      tag += '"';
    }
    tag += '>';
    pushMark(MarkKind::field, number, std::move(tag), "</span>");
  }

  // Marked up, a change is an element around its content; in the other views its content is
  // either plain or dropped.
  void startChange(const docx::Inline& item) {
    if (!state_.changesMarked()) {
      dropped_.follow(item);
      return;
    }
    const std::int32_t number = item.number;
    const auto& changes = state_.document.changes;
    if (number < 0 || static_cast<std::size_t>(number) >= changes.size()) {
      pushMark(MarkKind::change, number, {}, {});
      return;
    }
    const docx::Change& change = changes[static_cast<std::size_t>(number)];
    pushMark(MarkKind::change, number, changeStartTag(state_, change), removesContent(change) ? "</del>" : "</ins>");
  }

  void writeBookmark(const docx::Inline& item) {
    if (item.text.empty() || !state_.bookmarkNames.insert(item.text).second) return;
    out_ += "<span id=\"bm-";
    appendIdText(out_, item.text);
    out_ += "\"></span>";
  }

  // ---- content ----

  void writeText(const docx::Inline& item, std::string_view text) {
    if (text.empty()) return;
    const docx::RunFormat& format = itemFormat(item);
    openRun(state_.sheet.runClass(format));
    const docx::SymbolFace face = docx::symbolFaceOf(format.ascii.name);
    if (face != docx::SymbolFace::none) {
      bool mapped = false;
      appendHtmlText(out_, docx::symbolTextAsUnicode(text, face, mapped));
    } else {
      appendHtmlText(out_, text);
    }
    shown();
  }

  void writeLineBreak(const docx::Inline& item) {
    openRun(state_.sheet.runClass(itemFormat(item)));
    static constexpr std::array<std::string_view, 4> kBreaks{"<br>", "<br class=\"vm-clear-l\">",
                                                             "<br class=\"vm-clear-r\">", "<br class=\"vm-clear\">"};
    out_ += kBreaks[item.number >= 1 && item.number <= 3 ? static_cast<std::size_t>(item.number) : 0];
    shown();
    content_.endsWithBreak = true;
  }

  void writeBlockMark(std::string_view html) {
    closeRun();
    openMarks();
    out_ += html;
    shown();
  }

  void writeDrawingInline(const docx::Inline& item) {
    const auto& drawings = state_.document.drawings;
    if (item.number < 0 || static_cast<std::size_t>(item.number) >= drawings.size()) return;
    const docx::Drawing& drawing = drawings[static_cast<std::size_t>(item.number)];
    // A text box's paragraphs must not stand inside a link or a change.
    if (drawing.kind == docx::DrawingKind::textBox || drawing.textBox >= 0) {
      closeMarks();
    } else {
      closeRun();
      openMarks();
    }
    writeDrawing(state_, drawing);
    shown();
  }

  void writeEquationInline(const docx::Inline& item) {
    const auto& equations = state_.document.equations;
    if (item.number < 0 || static_cast<std::size_t>(item.number) >= equations.size()) return;
    closeRun();
    openMarks();
    writeEquation(state_, equations[static_cast<std::size_t>(item.number)]);
    shown();
  }

  void endChange(const docx::Inline& item) {
    if (state_.changesMarked()) {
      popMark(MarkKind::change, item.number);
    } else {
      dropped_.follow(item);
    }
  }

  void writeInline(const docx::Inline& item) {
    if (hidden(item, dropped_)) return;
    switch (item.kind) {
      case InlineKind::text: writeText(item, item.text); break;
      case InlineKind::tab:
      case InlineKind::positionalTab: writeTab(); break;
      case InlineKind::lineBreak: writeLineBreak(item); break;
      case InlineKind::pageBreak: writeBlockMark("<span class=\"vm-pb\"></span>"); break;
      case InlineKind::columnBreak: writeBlockMark("<span class=\"vm-cb\"></span>"); break;
      case InlineKind::lastRenderedPageBreak: writeWordPageMark(state_); break;
      case InlineKind::noBreakHyphen: writeText(item, "\u2011"); break;
      case InlineKind::softHyphen: writeText(item, "\u00AD"); break;
      case InlineKind::symbol: writeText(item, docx::symbolCharacterText(item.text, item.number)); break;
      case InlineKind::drawing: writeDrawingInline(item); break;
      case InlineKind::footnoteReference: writeNoteReference(item, StoryList::footnotes); break;
      case InlineKind::endnoteReference: writeNoteReference(item, StoryList::endnotes); break;
      case InlineKind::footnoteRefMark: writeNoteMark(item, StoryList::footnotes); break;
      case InlineKind::endnoteRefMark: writeNoteMark(item, StoryList::endnotes); break;
      case InlineKind::separator: break;
      case InlineKind::commentReference: writeCommentReference(item); break;
      case InlineKind::commentStart: startCommentRange(item.number); break;
      case InlineKind::commentEnd: endCommentRange(item.number); break;
      case InlineKind::bookmarkStart: writeBookmark(item); break;
      case InlineKind::bookmarkEnd: break;
      case InlineKind::linkStart: startLink(item.number); break;
      case InlineKind::linkEnd: popMark(MarkKind::link, item.number); break;
      case InlineKind::fieldStart: startField(item.number); break;
      case InlineKind::fieldEnd: popMark(MarkKind::field, item.number); break;
      case InlineKind::changeStart: startChange(item); break;
      case InlineKind::changeEnd: endChange(item); break;
      case InlineKind::equation: writeEquationInline(item); break;
    }
  }

  PageState& state_;
  std::string& out_;
  const docx::Paragraph& paragraph_;
  const docx::ParagraphFormat& format_;
  const docx::CellContext& cell_;

  const docx::RunFormat* cachedFormat_ = nullptr;
  std::uint32_t cachedProps_ = 0;
  bool runOpen_ = false;
  ClassName runClass_;
  std::vector<OpenMark> marks_;
  std::size_t marksOpen_ = 0;  // marks_[0, marksOpen_) are written open

  DroppedChanges dropped_;  // the changes open now whose content the view drops

  std::vector<TabBox> boxes_;
  std::size_t nextBox_ = 0;
  bool boxOpen_ = false;
  bool inTail_ = false;

  ParagraphContent content_;
};

}  // namespace

ParagraphContent writeParagraphContent(PageState& state, const docx::Paragraph& paragraph,
                                       const docx::ParagraphFormat& format, const docx::CellContext& cell) {
  return ParagraphWriter(state, paragraph, format, cell).write();
}

bool hasVisibleContent(PageState& state, const docx::Paragraph& paragraph, const docx::CellContext& cell) {
  const auto& labels = state.document.listLabels;
  if (paragraph.listLabel >= 0 && static_cast<std::size_t>(paragraph.listLabel) < labels.size()) {
    const docx::ListLabel& label = labels[static_cast<std::size_t>(paragraph.listLabel)];
    if (!label.text.empty() && !state.resolver.label(paragraph, label, cell).hidden) return true;
  }
  DroppedChanges dropped(state.document, state.options.changes);
  for (const docx::Inline& item : paragraph.inlines) {
    dropped.follow(item);
    if (!standsInRun(item.kind) || dropped.dropping() || (item.kind == InlineKind::text && item.text.empty())) continue;
    if (!state.resolver.run(paragraph, shownRunProps(state, item), cell).hidden) return true;
  }
  return false;
}

bool holdsBlocks(const docx::Document& document, const docx::Paragraph& paragraph) {
  for (const docx::Inline& item : paragraph.inlines) {
    if (item.kind != InlineKind::drawing || item.number < 0) continue;
    const auto index = static_cast<std::size_t>(item.number);
    if (index < document.drawings.size() &&
        (document.drawings[index].kind == docx::DrawingKind::textBox || document.drawings[index].textBox >= 0)) {
      return true;
    }
  }
  return false;
}

bool removesContent(const docx::Change& change) {
  return change.kind == docx::ChangeKind::deletion || change.kind == docx::ChangeKind::moveFrom;
}

void appendChangeClasses(std::string& out, const PageState& state, const docx::Change& change) {
  const bool moved = change.kind == docx::ChangeKind::moveFrom || change.kind == docx::ChangeKind::moveTo;
  out += removesContent(change) ? "vm-del" : "vm-ins";
  if (moved) out += " vm-move";
  out += " vm-au";
  appendInteger(out, state.authorColour(change.author));
}

void appendChangeTitle(std::string& out, const docx::Change& change) {
  out += " title=\"";
  out += kChangeTitles[static_cast<std::size_t>(change.kind)];
  appendHtmlAttribute(out, change.author.empty() ? std::string_view("an unknown author") : change.author);
  if (!change.date.empty()) {
    out += ", ";
    appendHtmlAttribute(out, displayDate(change.date));
  }
  out += '"';
}

void appendChangeAttributes(std::string& out, const PageState& state, const docx::Change& change) {
  out += " class=\"";
  appendChangeClasses(out, state, change);
  out += '"';
  appendChangeTitle(out, change);
}

std::string changeStartTag(const PageState& state, const docx::Change& change) {
  std::string tag = removesContent(change) ? "<del" : "<ins";
  appendChangeAttributes(tag, state, change);
  tag += '>';
  return tag;
}

std::string displayDate(std::string_view date) {
  auto digits = [&](std::size_t from, std::size_t count) {
    for (std::size_t k = from; k < from + count; ++k) {
      if (k >= date.size() || date[k] < '0' || date[k] > '9') return false;
    }
    return true;
  };
  const bool iso = date.size() >= 16 && digits(0, 4) && date[4] == '-' && digits(5, 2) && date[7] == '-' &&
                   digits(8, 2) && date[10] == 'T' && digits(11, 2) && date[13] == ':' && digits(14, 2);
  if (!iso) return std::string(date);
  return std::string(date.substr(0, 10)) + " " + std::string(date.substr(11, 5));
}

}  // namespace vellumine::render
