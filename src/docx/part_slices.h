// A large main part cut between the children of its body, so that it is parsed a slice at a time
// and never holds the whole tree (a parsed tree takes about four times the bytes of a Word part).
// Each slice is parsed as head + slice + tail: the bytes before the body's content (declaration,
// root and body start tags with their namespaces), whole children of the body, and the end tags
// of the body and the root.  Only well-formedness at the slice boundaries is found here; a fault
// inside a slice is the parser's to find.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumine::docx {

struct PartSlices {
  std::string_view head;   // the part up to the body's content
  std::string tail;        // "</w:body></w:document>" with the names as the part writes them
  struct Range {
    std::size_t begin, end;  // byte offsets of the slice in the part
  };
  std::vector<Range> ranges;
  bool truncated = false;  // the part ends before its body does
};

// Cuts part (UTF-8 or another ASCII-compatible encoding) into slices of about sliceBytes, each
// ending between two children of the root's child "body" (any prefix).  nullopt for a part that
// has no such body or is in UTF-16 or UTF-32: it is parsed whole.
std::optional<PartSlices> slicePart(std::string_view part, std::size_t sliceBytes);

}  // namespace vellumine::docx
