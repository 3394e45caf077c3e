// Field codes out of a part before the construct passes see it.  One walk over the field
// characters finds the instruction parts (a depth count tells which separate or end character
// closes the outermost open instruction); one copy then leaves out the field data and, inside those
// parts, every run that holds no instruction text.  Runs after preClean, and on each story part
// before its characters are dropped.
#include "convert/field_codes.h"

#include <vector>

#include "convert/markup_scan.h"
#include "text/bytesearch.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// [begin, end) of the part.
struct ByteRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The tags as the part writes them.
struct FieldNames {
  explicit FieldNames(std::string_view prefix)
      : fieldChar(tagName("<", prefix, "fldChar")), fieldData(tagName("<", prefix, "fldData")),
        fieldDataEnd(tagName("</", prefix, "fldData>")), run(tagName("<", prefix, "r")),
        runEnd(tagName("</", prefix, "r>")), instruction(tagName("<", prefix, "instrText")),
        charType(tagName(" ", prefix, "fldCharType")) {}

  static std::string tagName(std::string_view open, std::string_view prefix, std::string_view name) {
    std::string text(open);
    return text.append(prefix).append(name);
  }

  std::string fieldChar, fieldData, fieldDataEnd, run, runEnd, instruction, charType;
};

bool closesItself(std::string_view tag) { return tag.ends_with("/>"); }

// The instruction parts of the outermost fields that are in an instruction at all, in part order:
// from behind a begin character to the separate or end character of the same field.  A separate
// or end character belongs to the innermost open field; one that opens no field and closes none
// is passed over.  An instruction part still open at the end of the part is not returned.
std::vector<ByteRange> findInstructionParts(std::string_view part, const FieldNames& names) {
  std::vector<ByteRange> parts;
  std::size_t depth = 0;        // open fields
  std::size_t hidingDepth = 0;  // the depth of the field whose instruction is open; 0: none
  std::size_t partStart = 0;
  for (std::size_t at = findStartTag(part, names.fieldChar, 0); at != npos;) {
    const std::string_view tag = tagAt(part, at);
    const std::string type = AttrValue(tag, names.charType);
    if (type == "begin") {
      ++depth;
      if (hidingDepth == 0) {
        hidingDepth = depth;
        partStart = at + tag.size();
      }
    } else if (type == "separate" || type == "end") {
      if (hidingDepth != 0 && depth == hidingDepth) {
        parts.push_back({partStart, at});
        hidingDepth = 0;
      }
      if (type == "end" && depth > 0) --depth;
    }
    at = findStartTag(part, names.fieldChar, at + tag.size());
  }
  return parts;
}

// Every fldData element, its content with it.  One whose end tag never comes stays.
void findFieldData(std::string_view part, const FieldNames& names, std::vector<ByteRange>& cuts) {
  ForwardFinder dataEnds(part, names.fieldDataEnd, false);
  for (std::size_t at = findStartTag(part, names.fieldData, 0); at != npos;) {
    const std::string_view tag = tagAt(part, at);
    std::size_t end = at + tag.size();
    if (!closesItself(tag)) {
      const std::size_t close = dataEnds.from(end);
      if (close != npos) {
        end = close + names.fieldDataEnd.size();
        cuts.push_back({at, end});
      }
    } else {
      cuts.push_back({at, end});
    }
    at = findStartTag(part, names.fieldData, end);
  }
}

// The next run start tag at or after a position, for positions that only grow: a start found once
// is kept while it lies ahead, so the walk reads the part once however many parts ask.
class RunStarts {
 public:
  RunStarts(std::string_view part, std::string_view name) : part_(part), name_(name) {}
  std::size_t from(std::size_t position) {
    if (!searched_ || (found_ != npos && found_ < position)) {
      found_ = findStartTag(part_, name_, position);
      searched_ = true;
    }
    return found_;
  }

 private:
  std::string_view part_, name_;
  std::size_t found_ = npos;
  bool searched_ = false;
};

// The runs of the instruction parts that hold no instruction text.  A run must lie wholly inside
// its part; the first run that does not (the run of the closing character), or that holds another
// run (a text box in a drawing), ends the search in that part, so markup that does not nest as
// runs do is left as it stands.
void findHiddenRuns(std::string_view part, const FieldNames& names, const std::vector<ByteRange>& instructionParts,
                    std::vector<ByteRange>& cuts) {
  RunStarts runStarts(part, names.run);
  ForwardFinder runEnds(part, names.runEnd, false);
  ForwardFinder instructions(part, names.instruction, false);
  for (const ByteRange& range : instructionParts) {
    for (std::size_t at = runStarts.from(range.begin); at != npos && at < range.end;) {
      const std::string_view tag = tagAt(part, at);
      std::size_t end = at + tag.size();
      if (!closesItself(tag)) {
        const std::size_t close = runEnds.from(end);
        if (close == npos) break;
        end = close + names.runEnd.size();
      }
      if (end > range.end) break;
      const std::size_t next = runStarts.from(at + tag.size());
      if (next < end) break;
      if (instructions.from(at) >= end) cuts.push_back({at, end});
      at = next;
    }
  }
}

// The part without the cuts (each list in part order; a cut of one list may hold cuts of the
// other, as a hidden run holds its fldData).
std::string withoutCuts(std::string_view part, const std::vector<ByteRange>& first,
                        const std::vector<ByteRange>& second) {
  std::string out;
  out.reserve(part.size());
  std::size_t copied = 0;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < first.size() || j < second.size()) {
    const bool takeFirst = j == second.size() || (i < first.size() && first[i].begin <= second[j].begin);
    const ByteRange cut = takeFirst ? first[i++] : second[j++];
    if (cut.end <= copied) continue;  // inside a cut already made
    if (cut.begin > copied) out.append(part, copied, cut.begin - copied);
    copied = cut.end;
  }
  out.append(part, copied);
  return out;
}

}  // namespace

void removeFieldCodes(std::string& part, std::string_view prefix) {
  const FieldNames names(prefix);
  if (findBytes(part, names.fieldChar) == npos && findBytes(part, names.fieldData) == npos) return;
  std::vector<ByteRange> dataCuts;
  findFieldData(part, names, dataCuts);
  std::vector<ByteRange> runCuts;
  findHiddenRuns(part, names, findInstructionParts(part, names), runCuts);
  if (dataCuts.empty() && runCuts.empty()) return;
  part = withoutCuts(part, dataCuts, runCuts);
}

void hideFieldCodes(Conversion& c) { removeFieldCodes(c.text, ""); }

}  // namespace vellumine
