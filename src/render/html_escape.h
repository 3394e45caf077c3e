// Text and values from the document written into the page: element content, attribute values,
// CSS strings, paths of pictures and the ids of bookmarks.  Nothing a document holds can end an
// element, an attribute, a string or a style sheet, and what is written is always valid UTF-8.
#pragma once
#include <string>
#include <string_view>

namespace vellumine::render {

// Element content: & < > escaped; line feeds and carriage returns become blanks; other control
// characters (C0, DEL, C1) are left out; an invalid UTF-8 sequence becomes U+FFFD.
void appendHtmlText(std::string& out, std::string_view text);

// A double-quoted attribute value: as appendHtmlText, and " ' escaped too.
void appendHtmlAttribute(std::string& out, std::string_view value);

// A CSS string in double quotes ("Segoe UI"): everything but letters, digits, blanks and - _ . ,
// as a hex escape, so that no quote, bracket, backslash or "</style" can come out of it.
void appendCssString(std::string& out, std::string_view value);

// A relative path for src: every byte but letters, digits, - . _ ~ and / percent-encoded, so that
// no scheme, query or fragment can be read into it.
void appendUrlPath(std::string& out, std::string_view path);

// An id (and the fragment that links to it) made from a name: letters, digits, - and _ stay,
// every other byte becomes ~ and two hex digits, so two different names never share an id.
void appendIdText(std::string& out, std::string_view name);

}  // namespace vellumine::render
