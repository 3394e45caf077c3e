// Blocks one after another, each paragraph resolved once and looked at beside its neighbours:
// the space between two paragraphs of one style is dropped where they ask for it (contextual
// spacing), paragraphs with the same borders share one box, and a paragraph whose mark the view
// of tracked changes drops (a deleted mark in the final view, an inserted one in the original)
// runs on into the next one in the same element; marked up, a changed mark is shown as a pilcrow
// at the paragraph's end.  Empty paragraphs keep one line.
#include "render/block_writer.h"

#include <algorithm>
#include <array>

#include "render/css_units.h"
#include "render/dropped_changes.h"
#include "render/format_css.h"
#include "render/paragraph_writer.h"
#include "render/table_writer.h"
#include "render/unwrapped_drawing.h"

namespace vellumine::render {

namespace {

using docx::Block;
using docx::Paragraph;
using docx::ParagraphFormat;

const Paragraph* paragraphAt(std::span<const Block> blocks, std::size_t index) {
  return index < blocks.size() ? std::get_if<Paragraph>(&blocks[index].node) : nullptr;
}

std::string_view elementName(const ParagraphFormat& format, bool holdsBlocks) {
  static constexpr std::array<std::string_view, 6> kHeadings{"h1", "h2", "h3", "h4", "h5", "h6"};
  if (holdsBlocks) return "div";
  if (format.outlineLevel >= 0 && format.outlineLevel < 6) return kHeadings[static_cast<std::size_t>(format.outlineLevel)];
  return "p";
}

bool sharesBox(const ParagraphFormat& upper, const ParagraphFormat& lower) {
  return hasBorders(upper) && upper.borders == lower.borders && upper.indentStart == lower.indentStart &&
         upper.indentEnd == lower.indentEnd;
}

bool sameStyle(const ParagraphFormat& a, const ParagraphFormat& b) { return a.styleId == b.styleId; }

class BlockWriter {
 public:
  BlockWriter(PageState& state, std::span<const Block> blocks, const docx::CellContext& cell, BodyBlocks* body)
      : state_(state), blocks_(blocks), cell_(cell), body_(body) {}

  void write() {
    std::size_t index = 0;
    while (index < blocks_.size()) {
      const std::size_t first = index;
      if (body_ != nullptr) body_->blockStarts(blocks_[first]);
      const std::size_t start = state_.out->size();
      bool marginAbove = true;
      if (const auto* table = std::get_if<docx::Table>(&blocks_[index].node)) {
        writeTable(state_, *table);
        previous_ = nullptr;
        ++index;
      } else {
        index = writeParagraphs(index);
        marginAbove = marginAbove_;
      }
      if (body_ != nullptr) body_->blockEnded(start, marginAbove);
      if (std::holds_alternative<Paragraph>(blocks_[first].node)) reportSectionEnds(first, index);
    }
  }

 private:
  const ParagraphFormat& formatOf(const Paragraph& paragraph) { return state_.resolver.paragraph(paragraph, cell_); }

  bool markDropped(const Paragraph& paragraph) const {
    return changeDropped(state_.document, paragraph.markChange, state_.options.changes);
  }

  // The paragraphs from first up to the one whose mark still stands: one element.  Returns the
  // index after them.
  std::size_t groupEnd(std::size_t first) const {
    std::size_t last = first;
    while (markDropped(*paragraphAt(blocks_, last)) && paragraphAt(blocks_, last + 1) != nullptr) ++last;
    return last + 1;
  }

  void reportSectionEnds(std::size_t first, std::size_t end) {
    if (body_ == nullptr || end >= blocks_.size()) return;
    for (std::size_t k = first; k < end; ++k) {
      const int section = paragraphAt(blocks_, k)->sectionEnd;
      if (section >= 0) body_->sectionEnded(section);
    }
  }

  void appendClasses(std::string& out, const ParagraphFormat& format, const ParagraphFormat* next, bool anchors) {
    out += " class=\"";
    appendClassName(out, state_.sheet.paragraphClass(format));
    if (anchors) out += kUnwrappedAnchorClass;
    if (format.contextualSpacing && previous_ != nullptr && sameStyle(*previous_, format)) out += " vm-cs-b";
    if (format.contextualSpacing && next != nullptr && sameStyle(format, *next)) out += " vm-cs-a";
    if (previous_ != nullptr && sharesBox(*previous_, format)) out += " vm-jt";
    if (next != nullptr && sharesBox(format, *next)) out += " vm-jb";
    if (format.pageBreakBefore) out += " vm-pbb";
    if (format.keepNext) out += " vm-kn";
    if (format.keepLines) out += " vm-kl";
    if (format.dropCap == docx::DropCap::drop) out += " vm-dropcap";
    if (format.dropCap == docx::DropCap::margin) out += " vm-dropcap vm-dropcap-m";
    out += '"';
  }

  // A drop cap is as tall as the given number of lines of the paragraph it opens.
  static void appendDropCapHeight(std::string& out, const ParagraphFormat& format, const ParagraphFormat* next) {
    if (next == nullptr) return;
    const long long lines = std::clamp(format.dropCapLines, 1, 10);
    // One line of the next paragraph's mark, in hundredths of a point: size / 2 * ratio.
    const long long line = static_cast<long long>(std::clamp(next->mark.size, 2, 3276)) * 50 *
                           lineHeightThousandths(next->mark.ascii.name) / 1000;
    out += " style=\"height:";
    appendHundredths(out, lines * line);
    out += "pt\"";
  }

  // A changed paragraph mark, marked up: a pilcrow struck through (deleted) or underlined
  // (inserted) in its author's colour.  False when the mark is not changed.
  bool writeChangedMark(const Paragraph& paragraph) {
    const auto& changes = state_.document.changes;
    if (paragraph.markChange < 0 || static_cast<std::size_t>(paragraph.markChange) >= changes.size()) return false;
    const docx::Change& change = changes[static_cast<std::size_t>(paragraph.markChange)];
    std::string& out = *state_.out;
    out += changeStartTag(state_, change);
    out += removesContent(change) ? "\u00B6</del>" : "\u00B6</ins>";
    return true;
  }

  std::size_t writeParagraphs(std::size_t first) {
    const Paragraph& paragraph = *paragraphAt(blocks_, first);
    const ParagraphFormat& format = formatOf(paragraph);
    const std::size_t end = groupEnd(first);
    // Space before is a margin over a border or a fill (format_css.cpp, appendSpacing).
    marginAbove_ = format.spaceBefore > 0 && (hasBorders(format) || format.shading.has_value());
    // A paragraph whose mark is hidden and that shows nothing is not there at all.
    if (format.mark.hidden && end == first + 1 && !hasVisibleContent(state_, paragraph, cell_)) return end;
    const Paragraph* nextParagraph = paragraphAt(blocks_, end);
    const ParagraphFormat* next = nextParagraph != nullptr ? &formatOf(*nextParagraph) : nullptr;

    bool holdsBlockContent = false;
    bool anchors = false;  // the element is the containing block of drawings out of the flow
    for (std::size_t k = first; k < end; ++k) {
      holdsBlockContent |= holdsBlocks(state_.document, *paragraphAt(blocks_, k));
      anchors |= anchorsUnwrapped(state_.document, *paragraphAt(blocks_, k));
    }
    const std::string_view element = elementName(format, holdsBlockContent);

    std::string& out = *state_.out;
    out.append("<").append(element);
    appendClasses(out, format, next, anchors);
    if (format.dropCap != docx::DropCap::none) appendDropCapHeight(out, format, next);
    out += '>';
    ParagraphContent content;
    for (std::size_t k = first; k < end; ++k) {
      const Paragraph& part = *paragraphAt(blocks_, k);
      const ParagraphContent written = writeParagraphContent(state_, part, k == first ? format : formatOf(part), cell_);
      content.visible |= written.visible;
      if (written.visible) content.endsWithBreak = written.endsWithBreak;
      if (state_.changesMarked() && writeChangedMark(part)) content = {true, false};
    }
    // An empty paragraph keeps the height of its mark's line, and a line break at the end of a
    // paragraph starts a line of its own, as in Word.
    if (!content.visible || content.endsWithBreak) out += "<br>";
    out.append("</").append(element).append(">\n");
    previous_ = &format;
    return end;
  }

  PageState& state_;
  std::span<const Block> blocks_;
  const docx::CellContext& cell_;
  BodyBlocks* body_;
  const ParagraphFormat* previous_ = nullptr;
  bool marginAbove_ = false;  // the last paragraphs written may have a top margin
};

}  // namespace

void writeBlocks(PageState& state, std::span<const docx::Block> blocks, const docx::CellContext& cell,
                 BodyBlocks* body) {
  BlockWriter(state, blocks, cell, body).write();
}

}  // namespace vellumine::render
