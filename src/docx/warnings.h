// What a reading or a writing survived: a damaged part, a malformed number, something not drawn.
// One line per kind, however often it happens, so a document with a thousand bad widths says so
// once.  The viewer shows the lines in its status bar, vellumine-convert on standard error.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellumine::docx {

enum class WarningKind : std::uint8_t {
  malformedXml,      // a part stops being well-formed; what was read before the fault is kept
  malformedNumber,   // a length, size, width or count that is no number: treated as absent
  missingPart,       // a part the document refers to is not in the package
  deepNesting,       // tables or drawings nested deeper than the model keeps
  unreadablePart,    // a part in an encoding that cannot be read
  notShown,          // something the page does not draw (charts, equations, ...)
  pictureNotConverted,  // an EMF, WMF or TIFF picture that could not be converted; detail: its part
  // A drawing the page shows as a labelled box; detail: what it is ("chart", "shape", ...).  Kept
  // one line per detail rather than per kind, so the reader is told "2 charts not shown" and
  // "1 diagram not shown".
  itemNotShown,
};

// Which lines a caller wants: the items the page leaves as boxes (itemNotShown and pictures not
// converted), what the reading survived (everything else), or both.
enum class WarningLines : std::uint8_t { all, itemsNotShown, survived };

class Warnings {
 public:
  // Records a warning of this kind; detail (the part, the value) is kept for the first one only.
  void add(WarningKind kind, std::string_view detail);
  bool empty() const { return entries_.empty(); }
  int count(WarningKind kind) const;
  // How many drawings and pictures the page leaves as labelled boxes.
  int itemsNotShown() const;
  // One line per kind, in the order the kinds first occurred, e.g.
  // "word/document.xml is damaged after byte 4096; the text before it is shown".
  std::vector<std::string> lines(WarningLines which = WarningLines::all) const;

 private:
  struct Entry {
    WarningKind kind;
    std::string detail;
    int count;
  };
  std::vector<Entry> entries_;
};

}  // namespace vellumine::docx
