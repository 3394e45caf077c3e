// Complex and simple fields on one stack: which inlines a field shows (its result only), what
// its instruction says (type and argument), and how fields nested in instructions or results are
// told apart.  Every event is O(1) but the closing of a simple field, which ends what it holds.
#include "docx/field_stack.h"

#include <algorithm>
#include <utility>

#include "text/chartype.h"

namespace vellumine::docx {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && IsAsciiSpace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && IsAsciiSpace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// The next word of text (a quoted text without its quotes), text moved past it.
std::string_view nextWord(std::string_view& text) {
  text = trimmed(text);
  if (text.empty()) return text;
  if (text.front() == '"') {
    const std::size_t close = text.find('"', 1);
    const std::size_t end = close == std::string_view::npos ? text.size() : close;
    const std::string_view word = text.substr(1, end - 1);
    text.remove_prefix(std::min(end + 1, text.size()));
    return word;
  }
  std::size_t end = 0;
  while (end < text.size() && !IsAsciiSpace(static_cast<unsigned char>(text[end]))) ++end;
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  return word;
}

}  // namespace

Field fieldFromInstruction(std::string_view instruction) {
  std::string_view rest = trimmed(instruction);
  std::size_t end = 0;
  while (end < rest.size() && !IsAsciiSpace(static_cast<unsigned char>(rest[end]))) ++end;
  Field field;
  field.type.reserve(end);
  for (std::size_t i = 0; i < end; ++i) {
    field.type += static_cast<char>(AsciiUpper(static_cast<unsigned char>(rest[i])));
  }
  field.argument = std::string(trimmed(rest.substr(end)));
  return field;
}

Link linkFromHyperlinkField(std::string_view argument) {
  Link link;
  std::string_view rest = argument;
  while (!trimmed(rest).empty()) {
    const bool quoted = trimmed(rest).front() == '"';
    const std::string_view word = nextWord(rest);
    if (!quoted && (word == "\\l" || word == "\\L")) {
      link.anchor = std::string(nextWord(rest));
    } else if (!quoted && (word == "\\o" || word == "\\O")) {
      link.tooltip = std::string(nextWord(rest));
    } else if (!quoted && word.size() == 2 && word.front() == '\\') {
      if (word == "\\t" || word == "\\T") nextWord(rest);  // the target frame's name
    } else if (link.url.empty()) {
      link.url = std::string(word);
    }
  }
  return link;
}

void FieldStack::push(bool simple, std::string instruction, std::vector<FieldMark>& marks) {
  Entry entry{-1, -1, -1, !simple, simple, std::move(instruction)};
  if (hidden()) {
    // Inside an instruction: owned by the recorded field whose instruction is being read, which
    // is the innermost entry or that entry's owner (a recorded field in its result is never
    // above an instruction).
    const Entry& top = stack_.back();
    entry.owner = top.field >= 0 ? static_cast<std::int32_t>(stack_.size() - 1) : top.owner;
  } else {
    entry.field = static_cast<std::int32_t>(fields_.size());
    fields_.emplace_back();
    marks.push_back({InlineKind::fieldStart, entry.field});
  }
  if (entry.inInstruction) ++instructionDepth_;
  stack_.push_back(std::move(entry));
  if (simple) startResult(stack_.back(), marks);
}

// The instruction is complete: the field's type is known and its result starts.
void FieldStack::startResult(Entry& entry, std::vector<FieldMark>& marks) {
  if (entry.inInstruction) {
    entry.inInstruction = false;
    --instructionDepth_;
  }
  if (entry.field < 0) return;
  Field& field = fields_[static_cast<std::size_t>(entry.field)];
  field = fieldFromInstruction(entry.instruction);
  entry.instruction.clear();
  entry.instruction.shrink_to_fit();
  if (field.type == "HYPERLINK" && !hidden()) {
    entry.link = static_cast<std::int32_t>(links_.size());
    links_.push_back(linkFromHyperlinkField(field.argument));
    marks.push_back({InlineKind::linkStart, entry.link});
  }
}

void FieldStack::pop(std::vector<FieldMark>& marks) {
  Entry& entry = stack_.back();
  if (entry.inInstruction) {
    --instructionDepth_;
    // A field without a separate shows nothing, but its instruction still says what it is.
    if (entry.field >= 0) fields_[static_cast<std::size_t>(entry.field)] = fieldFromInstruction(entry.instruction);
  }
  if (entry.link >= 0) marks.push_back({InlineKind::linkEnd, entry.link});
  if (entry.field >= 0) marks.push_back({InlineKind::fieldEnd, entry.field});
  stack_.pop_back();
}

void FieldStack::begin(std::vector<FieldMark>& marks) { push(false, std::string(), marks); }

void FieldStack::separate(std::vector<FieldMark>& marks) {
  if (stack_.empty() || stack_.back().simple) return;
  startResult(stack_.back(), marks);
}

void FieldStack::end(std::vector<FieldMark>& marks) {
  if (stack_.empty() || stack_.back().simple) return;
  pop(marks);
}

void FieldStack::beginSimple(std::string_view instruction, std::vector<FieldMark>& marks) {
  push(true, std::string(instruction), marks);
}

void FieldStack::endSimple(std::vector<FieldMark>& marks) {
  while (!stack_.empty() && !stack_.back().simple) pop(marks);
  if (!stack_.empty()) pop(marks);
}

void FieldStack::instruction(std::string_view text) {
  if (stack_.empty()) return;
  Entry& entry = stack_.back();
  if (entry.inInstruction && entry.field >= 0) entry.instruction.append(text);
}

void FieldStack::hiddenText(std::string_view text) {
  if (stack_.empty()) return;
  const Entry& entry = stack_.back();
  if (entry.inInstruction || entry.owner < 0) return;
  stack_[static_cast<std::size_t>(entry.owner)].instruction.append(text);
}

}  // namespace vellumine::docx

