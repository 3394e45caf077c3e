// One value read from, or set in, the text of a desktop key file.  The text is walked line by line
// and copied unchanged except for the one line that holds the key, so the entries other programs
// keep in the same file (comments, odd spacing, CR LF endings, unknown groups) survive byte for byte.
#include "app/keyfile.h"

namespace vellumine {

namespace {

struct Line {
  std::string_view content;  // without its line ending
  std::string_view ending;   // "\n", "\r\n" or "" for a last line without one
};

enum class LineKind { Other, Group, Entry };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  std::string_view name;   // group name or key
  std::string_view value;  // entry value
};

// Key files separate with spaces and tabs only; a line end is never part of a line here.
std::string_view trimSpacesAndTabs(std::string_view s) {
  std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  std::size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

Line takeLine(std::string_view text, std::size_t& pos) {
  std::size_t end = text.find('\n', pos);
  std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
  if (end == std::string_view::npos) end = text.size();
  std::size_t contentEnd = end;
  if (contentEnd > pos && end < text.size() && text[contentEnd - 1] == '\r') --contentEnd;
  Line line{text.substr(pos, contentEnd - pos), text.substr(contentEnd, next - contentEnd)};
  pos = next;
  return line;
}

ParsedLine parseLine(std::string_view content) {
  std::string_view s = trimSpacesAndTabs(content);
  if (s.empty() || s.front() == '#') return {};
  if (s.front() == '[') {
    std::size_t close = s.find(']');
    if (close == std::string_view::npos) return {};
    return {LineKind::Group, s.substr(1, close - 1), {}};
  }
  std::size_t equals = s.find('=');
  if (equals == std::string_view::npos) return {};
  return {LineKind::Entry, trimSpacesAndTabs(s.substr(0, equals)), trimSpacesAndTabs(s.substr(equals + 1))};
}

// Where the key's line is in the text, or where a missing key would go.
struct KeyLocation {
  bool keyFound = false;
  std::size_t keyStart = 0, keyEnd = 0;  // the key's line without its ending
  bool groupFound = false;
  std::size_t headerEnd = 0;            // just past the group's header line and its ending
  bool headerEnded = true;              // the header line has a line ending
  std::string_view usualEnding = "\n";  // the ending the text's lines use
};

KeyLocation locateKey(std::string_view text, std::string_view group, std::string_view key) {
  KeyLocation at;
  bool inGroup = false;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t lineStart = pos;
    Line line = takeLine(text, pos);
    if (!line.ending.empty()) at.usualEnding = line.ending;
    ParsedLine parsed = parseLine(line.content);
    if (parsed.kind == LineKind::Group) {
      if (inGroup) break;  // only the first group of that name counts
      inGroup = !at.groupFound && parsed.name == group;
      if (inGroup) {
        at.groupFound = true;
        at.headerEnd = pos;
        at.headerEnded = !line.ending.empty();
      }
    } else if (inGroup && parsed.kind == LineKind::Entry && parsed.name == key) {
      at.keyFound = true;
      at.keyStart = lineStart;
      at.keyEnd = lineStart + line.content.size();
      break;
    }
  }
  return at;
}

void appendEntry(std::string& out, std::string_view key, std::string_view value) {
  out += key;
  out += '=';
  out += value;
}

}  // namespace

std::optional<std::string> keyFileValue(std::string_view text, std::string_view group, std::string_view key) {
  KeyLocation at = locateKey(text, group, key);
  if (!at.keyFound) return std::nullopt;
  return std::string(parseLine(text.substr(at.keyStart, at.keyEnd - at.keyStart)).value);
}

std::string setKeyFileValue(std::string_view text, std::string_view group, std::string_view key,
                            std::string_view value) {
  KeyLocation at = locateKey(text, group, key);
  std::string out;
  out.reserve(text.size() + group.size() + key.size() + value.size() + 8);
  if (at.keyFound) {
    out += text.substr(0, at.keyStart);
    appendEntry(out, key, value);
    out += text.substr(at.keyEnd);
  } else if (at.groupFound) {
    out += text.substr(0, at.headerEnd);
    if (!at.headerEnded) out += at.usualEnding;
    appendEntry(out, key, value);
    if (at.headerEnded) out += at.usualEnding;
    out += text.substr(at.headerEnd);
  } else {
    out += text;
    if (!out.empty() && out.back() != '\n') out += at.usualEnding;
    out += '[';
    out += group;
    out += ']';
    out += at.usualEnding;
    appendEntry(out, key, value);
    out += at.usualEnding;
  }
  return out;
}

}  // namespace vellumine
