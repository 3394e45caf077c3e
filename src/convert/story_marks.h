// The marks that tie a page to its notes and comments.  After conversion a reference still stands
// in the HTML as the element the document wrote ("<footnoteReference id="2"/>",
// "<commentRangeStart id="0"/>"); these become superscript marks linked to their note or comment,
// numbered in the order of first reference, and a comment's range within one paragraph gets a light
// background.  Ids added to the page contain a "-", which no bookmark name can, so they never
// clash with the document's own anchors.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "convert/docx_stories.h"

namespace vellumine {

enum class StoryKind { footnote, endnote, comment };

// The notes or comments of one kind in the order the page lists them, with their marks.
class StoryList {
 public:
  StoryList(StoryKind kind, const std::vector<StoryItem>& items);

  // Registers a reference to id (custom: the document's own mark, empty for a numbered one).
  // The first reference to an item lists it and gives it the next number; a reference to an
  // item that is not there gets a number of its own and no list place.  Returns true when
  // the reference listed an item for the first time.
  bool reference(std::string_view id, std::string_view custom);
  // Lists the items nobody referenced after the referenced ones, without a mark.
  void listUnreferenced();

  StoryKind kind() const { return kind_; }
  // The list places in order: indices into the items.
  const std::vector<std::size_t>& order() const { return order_; }
  const StoryItem& item(std::size_t index) const { return items_[index]; }

  // 1-based list place of id; 0 when it is not listed.
  std::size_t placeOf(std::string_view id) const;
  // The mark a reference to id shows (a dangling one keeps the number it was given).
  std::string markOf(std::string_view id) const;
  std::string markAt(std::size_t place) const { return marks_[place - 1]; }
  bool referencedAt(std::size_t place) const { return referenced_[place - 1]; }

  // "fn-3", "fnref-3" and their kin for list place 3.
  std::string itemId(std::size_t place) const;
  std::string referenceId(std::size_t place) const;

 private:
  std::string numberMark(int number) const;

  StoryKind kind_;
  const std::vector<StoryItem>& items_;
  std::unordered_map<std::string, std::size_t> firstIndex_;  // id -> index of its first item
  std::unordered_map<std::size_t, std::size_t> place_;       // item index -> 1-based list place
  std::unordered_map<std::string, std::string> danglingMarks_;
  std::vector<std::size_t> order_;
  std::vector<std::string> marks_;
  std::vector<bool> referenced_;
  int nextNumber_ = 1;
};

// The three lists of a page, filled by reading references: the body first, then every item that
// a reference listed, in turn, so that a note referenced only from another note is numbered too.
struct StoryLists {
  StoryLists(const Stories& stories);
  StoryList footnotes, endnotes, comments;

  StoryList& of(StoryKind kind);
  // Reads the references of the texts shown (the body, a header) and of every item they list,
  // then lists what nobody referenced.
  void number(const std::vector<std::string_view>& shown);
};

// Rewrites the references of one HTML text into marks: the first reference to each listed item
// carries the id its back-link goes to.
class MarkWriter {
 public:
  explicit MarkWriter(StoryLists& lists) : lists_(lists) {}

  // html with its references rewritten, commented ranges marked and the markers taken out.
  std::string rewrite(std::string_view html);
  // The same for the content of a listed note: its own note mark ("<footnoteRef/>") becomes the
  // back-link; without one the back-link opens the note's first paragraph.
  std::string rewriteNote(std::string_view html, const StoryList& list, std::size_t place);

 private:
  // backLink: what a note mark of noteKind becomes (null: note marks are dropped).
  std::string rewriteText(std::string_view html, const std::string* backLink, StoryKind noteKind);
  void writeReference(std::string& out, StoryList& list, const std::string& id, std::string_view custom);

  StoryLists& lists_;
  std::unordered_set<std::string> referenceIdsWritten_;
  std::size_t backLinksWritten_ = 0;
};

// A note reference with a custom mark is followed in its run by the mark's text; the text is
// moved into the reference itself (as its vellumineMark attribute), so that the mark stays the
// mark once the runs of the paragraph have been joined.  document: the main part before the passes.
void moveCustomMarks(std::string& document);

// True when html shows anything: text other than blanks and non-breaking spaces, or a picture.
bool hasVisibleContent(std::string_view html);

}  // namespace vellumine
