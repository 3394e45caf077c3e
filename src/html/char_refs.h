// Attribute values as a browser reads them: character references decoded by the rules for
// attribute values, NUL read as U+FFFD.  The URL and style checks look at this decoded value.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// The same decoding, always into buffer, with where each decoded byte came from: rawStart[i] is
// the offset in raw of the reference or byte that gave buffer[i], and one last entry holds
// raw.size().  A decoded range whose ends fall between two such pieces (the bytes of one
// reference share one start) is the raw range [rawStart[begin], rawStart[end]).
void decodeAttributeValueMapped(std::string_view raw, std::string& buffer, std::vector<std::size_t>& rawStart);

}  // namespace vellumine::html
