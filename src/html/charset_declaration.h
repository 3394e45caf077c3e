// The page's encoding as a browser learns it from the page itself: a byte order mark, then the
// first meta tag with a charset (or a Content-Type pragma) in the page's first 1024 bytes.  Every
// page the program writes is UTF-8 and says so with <meta charset="utf-8"> first in its head;
// the sanitiser removes every other declaration.
#pragma once
#include <string>
#include <string_view>

#include "html/html_tokenizer.h"

namespace vellumine::html {

inline constexpr std::string_view kUtf8Declaration = "<meta charset=\"utf-8\">";

// A browser looks for the declaration in this many bytes from the start of the page.
inline constexpr std::size_t kDeclarationWindow = 1024;

// What a meta start tag does to the page's encoding.
enum class MetaEncoding : unsigned char {
  Silent,  // no charset and no http-equiv attribute
  Utf8,    // charset="utf-8" (any case, white space around it), no http-equiv
  Other,   // a charset naming anything else, or any http-equiv: a Content-Type pragma names an
           // encoding, and the rest (refresh, cookies, rules) have no place in a written page
};

MetaEncoding metaEncoding(std::string_view page, const Token& meta);

// The page with kUtf8Declaration as the first thing in its head: after a doctype, the html start
// tag and the head start tag where the page begins with them (white space and comments between
// them aside), unless that would end it past kDeclarationWindow, then at the latest of those
// places that is early enough (the page's very start at the latest, after a UTF-8 byte order mark).
// A page that already declares UTF-8 there comes back unchanged.  The sanitiser, which runs
// after this, keeps the declaration and removes comments and every other declaration, so it is
// the first a browser finds.
std::string declareUtf8(std::string page);

}  // namespace vellumine::html
