// Fields as a story reads them: complex fields (w:fldChar begin, separate, end, with w:instrText
// between) and simple ones (w:fldSimple) on one stack.  Each field met outside an instruction is
// recorded in Document::fields and marked in the inlines by fieldStart and fieldEnd around its
// result; a HYPERLINK field's result is also a link (linkStart, linkEnd).  While any field's
// instruction is being read nothing is shown; a field nested in an instruction belongs to it: its
// shown result becomes part of the enclosing instruction's text, and it is not recorded itself.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "docx/model.h"

namespace vellumine::docx {

// A field's type and argument from its instruction text: the first word in upper case, and the rest
// trimmed.
Field fieldFromInstruction(std::string_view instruction);

// The target of a HYPERLINK field's argument: the address (first word or quoted text), \l the
// anchor, \o the tooltip.
Link linkFromHyperlinkField(std::string_view argument);

// A mark the story puts among its inlines: its kind and number.
struct FieldMark {
  InlineKind kind;
  std::int32_t number;
};

class FieldStack {
 public:
  FieldStack(std::vector<Field>& fields, std::vector<Link>& links) : fields_(fields), links_(links) {}

  // w:fldChar events; each appends to marks what the story shows at that point.
  void begin(std::vector<FieldMark>& marks);
  void separate(std::vector<FieldMark>& marks);
  void end(std::vector<FieldMark>& marks);
  // w:fldSimple: opened with its instruction, closed when the element is left (with any complex
  // field begun inside it and never ended).
  void beginSimple(std::string_view instruction, std::vector<FieldMark>& marks);
  void endSimple(std::vector<FieldMark>& marks);

  // w:instrText of the innermost field.
  void instruction(std::string_view text);
  // Whether content is hidden now: some field's instruction is being read.
  bool hidden() const { return instructionDepth_ > 0; }
  // Text met while hidden: the shown result of a field nested in an instruction belongs to that
  // instruction; any other is dropped.
  void hiddenText(std::string_view text);

 private:
  struct Entry {
    std::int32_t field;    // index in fields, -1 for a field inside an instruction
    std::int32_t owner;    // the stack entry of the recorded field whose instruction holds this one
    std::int32_t link;     // index in links once a HYPERLINK result starts, -1 none
    bool inInstruction;    // before its separate
    bool simple;
    std::string instruction;
  };

  void push(bool simple, std::string instruction, std::vector<FieldMark>& marks);
  void startResult(Entry& entry, std::vector<FieldMark>& marks);
  void pop(std::vector<FieldMark>& marks);

  std::vector<Field>& fields_;
  std::vector<Link>& links_;
  std::vector<Entry> stack_;
  int instructionDepth_ = 0;  // entries still in their instruction
};

}  // namespace vellumine::docx
