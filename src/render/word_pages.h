// Where Word broke the pages when it last laid the document out (w:lastRenderedPageBreak): each
// place in the body becomes an empty span.vm-wpb with Word's page number (data-word-page="2" for
// the page the first place starts), numbered as the body is written.  The page's own sheet hides
// the spans; a class on the root element (vm-wpb-on, set by the viewer's View menu) shows each as
// a small label in the left margin at the line where that page began.  The spans are empty and,
// when shown, taken out of the flow: they change neither the text, nor the layout, nor the lines.
#pragma once
#include <algorithm>
#include <cstddef>
#include <string_view>

namespace vellumine::render {

struct PageState;

// Word's pages as its marks are met.  A page that starts inside a table row is marked once in
// each of the row's cells, so every cell counts on from the page the row started on, and the
// body goes on after the row from the furthest page a cell reached.
class WordPageCounter {
 public:
  struct Row {
    int start = 1;
    int furthest = 1;
  };

  // Only the body has Word's pages; headers, notes and comments are not counted.
  void setCounting(bool on) { counting_ = on; }
  bool counting() const { return counting_; }

  // The page the mark met now starts.
  int next() {
    ++written_;
    return ++page_;
  }
  std::size_t written() const { return written_; }

  // A row's cells; enterRow returns the enclosing row (a table in a cell), for leaveRow.
  Row enterRow() {
    const Row outer = row_;
    row_ = {page_, page_};
    return outer;
  }
  void enterCell() { page_ = row_.start; }
  void leaveCell() { row_.furthest = std::max(row_.furthest, page_); }
  void leaveRow(Row outer) {
    page_ = std::max(row_.furthest, page_);
    row_ = outer;
  }

 private:
  bool counting_ = false;
  int page_ = 1;  // Word's first page starts with the body
  std::size_t written_ = 0;
  Row row_;
};

// Writes the span of the mark met now, when the body is written; nothing elsewhere.
void writeWordPageMark(PageState& state);

// The rules that hide the spans and, under html.vm-wpb-on, show them; the page holds them only
// when it has a span.
std::string_view wordPageSheet();

}  // namespace vellumine::render
