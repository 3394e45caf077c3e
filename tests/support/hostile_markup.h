// Hostile markup for the sanitiser's checks, one row per trick, named after what it tries: each
// row is active content when it reaches a page as it stands.  Shared by the sanitiser's tests,
// the document-level tests and the browser test.
#pragma once
#include <span>
#include <string>
#include <string_view>

namespace vellumine::test {

struct HostileMarkup {
  std::string_view name;
  std::string_view markup;
  // For the rows that work through the page's encoding: the encoding a browser takes their page
  // in (the row's own declaration, or what a browser guesses where the row leaves it open).
  std::string_view readAs = {};
};

std::span<const HostileMarkup> hostileMarkup();

// The address every row loads from when it fetches: a request to it means the page reached out.
inline constexpr std::string_view kHostileHost = "evil.example";

// The main part of a document that declares Shift_JIS, with Japanese text in a run whose colour
// is style written for a Shift_JIS reading: a lead byte swallows the backslash of an escaped quote
// there, and what UTF-8 reads as a comment loads from kHostileHost.
std::string shiftJisDocumentXml();
// Its text, as UTF-8.
inline constexpr std::string_view kShiftJisTextAsUtf8 = "\xE3\x82\xBD\xE3\x81\x82";

}  // namespace vellumine::test
