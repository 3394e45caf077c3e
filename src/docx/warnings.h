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
};

class Warnings {
 public:
  // Records a warning of this kind; detail (the part, the value) is kept for the first one only.
  void add(WarningKind kind, std::string_view detail);
  bool empty() const { return entries_.empty(); }
  int count(WarningKind kind) const;
  // One line per kind, in the order the kinds first occurred, e.g.
  // "word/document.xml is damaged after byte 4096; the text before it is shown".
  std::vector<std::string> lines() const;

 private:
  struct Entry {
    WarningKind kind;
    std::string detail;
    int count;
  };
  std::vector<Entry> entries_;
};

}  // namespace vellumine::docx
