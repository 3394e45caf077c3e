// Substring routines over byte strings (1-based positions, 0 = not found, the copy rules below),
// the regex shorthands and MergeAdjacentElements.
//
// Copy rules used by every routine that cuts text: a start below 1 is taken as 1 (the count is not
// reduced); a count running past the end stops at the end; a start past the end, or a count of 0
// or less, gives the empty string.  Case-insensitive comparison folds ASCII A-Z only.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "text/textpos.h"

namespace vellumine {

class TWSRegEx;

std::string StrLeft(std::string_view s, TextPos n);
std::string StrRight(std::string_view s, TextPos n);
std::string StrMid(std::string_view s, TextPos from, TextPos count);  // count 0: to the end
std::string StrFrom(std::string_view s, TextPos from);

TextPos PosIn(std::string_view s, std::string_view sub);
TextPos PosFrom(std::string_view s, std::string_view sub, TextPos from, bool ignoreCase = false);
TextPos PosWithin(std::string_view s, std::string_view sub, TextPos from, bool ignoreCase, TextPos limit);
TextPos PosLast(std::string_view s, std::string_view sub, TextPos from, bool ignoreCase = false);
TextPos PosFirstOf(std::string_view s, std::string_view a, std::string_view b, TextPos from,
                   std::string_view c);

// s without the ASCII blanks (space, \t \n \v \f \r) at either end.
std::string_view TrimBlanks(std::string_view s);

std::string TextBetween(std::string_view s, std::string_view open, std::string_view close,
                        bool ignoreCase = false);
// TextBetween, case compared, as a view into s: for the per-element readers that only look.
std::string_view ViewBetween(std::string_view s, std::string_view open, std::string_view close);
std::string SpanOf(std::string_view s, std::string_view open, std::string_view close);
std::string SpanOfFrom(std::string_view s, std::string_view open, std::string_view close, TextPos from);

std::string ReplaceAllText(std::string_view s, std::string_view oldText, std::string_view newText,
                           bool ignoreCase = false);
// ReplaceAllText on text itself: a replacement no longer than what it replaces is written in
// place, so the whole text is neither copied nor allocated again.
void ReplaceAllInPlace(std::string& text, std::string_view oldText, std::string_view newText,
                       bool ignoreCase = false);
std::vector<std::string> SplitText(std::string_view s, std::string_view sep);
std::string JoinList(const std::vector<std::string>& list, std::string_view sep);
std::string JoinArray(const std::vector<std::string>& items, std::string_view sep);

// Writes src[first..last] (1-based, inclusive) into buffer at fill and advances fill.  The buffer's
// length is its writable room: when a write passes it, the length becomes fill + 1024 (std::string
// grows its storage geometrically underneath).  The caller cuts the buffer to fill - 1 at the end.
void AppendRange(std::string& buffer, TextPos& fill, std::string_view src, TextPos first, TextPos last);

// The shared regex shorthands: set the pattern, replace (or delete) every match in text.
void RegexReplaceAll(TWSRegEx& regex, std::string& text, std::string_view pattern,
                     std::string_view replacement);
void RegexDeleteAll(TWSRegEx& regex, std::string& text, std::string_view pattern);

// Joins neighbouring elements that carry byte-identical opening tags of the given name.
std::string MergeAdjacentElements(std::string_view s, std::string_view tag);

}  // namespace vellumine
