// URL attributes read the way the URL parser reads them: leading and trailing controls and
// spaces stripped, tabs and line breaks dropped wherever they are ("java\tscript:"), the scheme
// compared without case, '\' taken as '/', "%2e" taken as '.' in a path step.
#include "html/url_policy.h"

#include <algorithm>
#include <array>
#include <string>

#include "html/html_tokenizer.h"
#include "text/chartype.h"

namespace vellumine::html {

namespace {

// The URL parser's view of the value: trimmed of C0 controls and spaces at both ends, without
// tabs, line feeds and carriage returns.
std::string_view parsedUrl(std::string_view value, std::string& buffer) {
  while (!value.empty() && static_cast<unsigned char>(value.front()) <= 0x20) value.remove_prefix(1);
  while (!value.empty() && static_cast<unsigned char>(value.back()) <= 0x20) value.remove_suffix(1);
  if (std::none_of(value.begin(), value.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; })) return value;
  buffer.clear();
  for (char c : value) {
    if (c != '\t' && c != '\n' && c != '\r') buffer += c;
  }
  return buffer;
}

// The scheme in lower case, or "" when the URL has none (a relative reference).
std::string scheme(std::string_view url) {
  if (url.empty() || !IsAsciiLetter(static_cast<unsigned char>(url[0]))) return {};
  std::string lower;
  for (char c : url) {
    const auto u = static_cast<unsigned char>(c);
    if (c == ':') return lower;
    if (!IsAsciiLetter(u) && !IsAsciiDigit(u) && c != '+' && c != '-' && c != '.') return {};
    lower += static_cast<char>(AsciiLower(u));
  }
  return {};
}

constexpr std::array<std::string_view, 6> kRasterImageTypes = {"image/png", "image/jpeg", "image/jpg",
                                                                "image/gif", "image/bmp", "image/webp"};

// data:<raster type>;base64,<anything>: a browser decodes it as that image type and nothing else.
bool isRasterDataUri(std::string_view url) {
  if (!EqualsCaselessAt(url, 0, "data:")) return false;
  const std::string_view rest = url.substr(5);
  const std::size_t marker = rest.find(';');
  if (marker == std::string_view::npos || !EqualsCaselessAt(rest, marker, ";base64,")) return false;
  const std::string_view type = rest.substr(0, marker);
  for (std::string_view allowed : kRasterImageTypes) {
    if (EqualsCaseless(type, allowed)) return true;
  }
  return false;
}

// "..", ".%2e", "%2E%2e" and the like.
bool isParentStep(std::string_view step) {
  std::size_t dots = 0;
  for (std::size_t i = 0; i < step.size(); ++dots) {
    if (step[i] == '.') {
      ++i;
    } else if (EqualsCaselessAt(step, i, "%2e")) {
      i += 3;
    } else {
      return false;
    }
  }
  return dots == 2;
}

// A relative path whose every step stays below the page's folder.
bool staysInFolder(std::string_view url) {
  if (url.empty()) return true;
  if (url[0] == '/' || url[0] == '\\') return false;  // the root, or another host ("//host")
  const std::string_view path = url.substr(0, url.find_first_of("?#"));
  // A ':' in the first step reads as a scheme to some ("a:b", "C:"), whatever precedes it.
  if (path.substr(0, path.find_first_of("/\\")).find(':') != std::string_view::npos) return false;
  // "C|/x" is read as a drive letter against a file: page, and escaped separators may be undone
  // by the server or the file system that serves the page.
  if (path.size() >= 2 && IsAsciiLetter(static_cast<unsigned char>(path[0])) && path[1] == '|' &&
      (path.size() == 2 || path[2] == '/' || path[2] == '\\'))
    return false;
  for (std::size_t p = path.find('%'); p != std::string_view::npos; p = path.find('%', p + 1)) {
    if (EqualsCaselessAt(path, p, "%2f") || EqualsCaselessAt(path, p, "%5c")) return false;
  }
  std::size_t stepStart = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '/' && path[i] != '\\') continue;
    if (isParentStep(path.substr(stepStart, i - stepStart))) return false;
    stepStart = i + 1;
  }
  return true;
}

}  // namespace

std::string linkScheme(std::string_view value) {
  std::string buffer;
  return scheme(parsedUrl(value, buffer));
}

bool isAllowedLink(std::string_view value) {
  std::string buffer;
  const std::string_view url = parsedUrl(value, buffer);
  if (url.empty() || url[0] == '#') return true;
  const std::string s = scheme(url);
  return s == "http" || s == "https" || s == "mailto";
}

bool isAllowedSource(std::string_view value) {
  std::string buffer;
  const std::string_view url = parsedUrl(value, buffer);
  if (isRasterDataUri(url)) return true;
  return scheme(url).empty() && staysInFolder(url);
}

}  // namespace vellumine::html
