// Base64 (the standard alphabet with "=" padding, no line breaks), as data: URIs carry it.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace vellumine {

// The length of the Base64 text for a given number of bytes.
constexpr std::size_t Base64Length(std::size_t bytes) { return (bytes + 2) / 3 * 4; }

// Appends the Base64 text of bytes to out.
void AppendBase64(std::string& out, std::string_view bytes);

}  // namespace vellumine
