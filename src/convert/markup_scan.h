// Plain forward scans over markup for the passes whose patterns would make a regex engine rescan
// the rest of the text from every candidate start (unclosed elements in damaged documents).
#pragma once
#include <cstddef>
#include <string_view>

#include "text/bytesearch.h"

namespace vellumine {

// First occurrence of needle at or after from, ASCII letters compared without case; npos if none.
std::size_t findCaseless(std::string_view text, std::string_view needle, std::size_t from);
// Last occurrence of needle, ASCII letters compared without case; npos if none.
std::size_t findLastCaseless(std::string_view text, std::string_view needle);
bool equalsCaseless(std::string_view text, std::size_t at, std::string_view needle);

// The first start tag of exactly this name ("<w:footnote", not "<w:footnotes") at or after from:
// the name followed by a blank, "/" or ">"; npos if none.  Case is compared.
std::size_t findStartTag(std::string_view text, std::string_view name, std::size_t from);
// The tag that starts at at, through its ">" (to the end of the text when it never closes).
std::string_view tagAt(std::string_view text, std::size_t at);

// A forward search asked with non-decreasing start positions: an occurrence found once is reused
// while it still lies ahead, so a whole walk costs one scan of the text per needle however many
// times it asks.
class ForwardFinder {
 public:
  ForwardFinder(std::string_view text, std::string_view needle, bool caseless)
      : finder_(text, needle, caseless) {}
  // The first occurrence at or after position (npos if none); position never decreases.
  std::size_t from(std::size_t position);

 private:
  ByteFinder finder_;
  std::size_t found_ = std::string_view::npos;
  bool searched_ = false;
};

}  // namespace vellumine
