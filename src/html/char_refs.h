// Attribute values as a browser reads them: character references decoded by the rules for
// attribute values, NUL read as U+FFFD.  The URL and style checks look at this decoded value.
#pragma once
#include <string>
#include <string_view>

namespace vellumine::html {

// The decoded value of the raw attribute value: raw itself when there is nothing to decode,
// otherwise a view of buffer, which it fills.
//
// Every numeric reference is decoded; named references are decoded when they stand for ASCII
// (&colon; &Tab; &sol; ... the ones that can change what a URL or a style means) or are among the
// legacy names that need no ';'.  Any other named reference is left as written: a browser makes
// one non-ASCII character of it, and neither that character nor the written "&name;" can start
// a scheme, a path step or a CSS function, so the checks reach the same verdict on both.
std::string_view decodeAttributeValue(std::string_view raw, std::string& buffer);

}  // namespace vellumine::html
