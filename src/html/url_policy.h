// Which targets an attribute may keep.  Links may go to the web, to mail or to the page's own
// anchors; images and other sources may load only from the page's own folder or be raster images
// written into the page as data: URIs.  Both take the value as decoded (char_refs.h).
#pragma once
#include <string>
#include <string_view>

namespace vellumine::html {

// The scheme of a decoded value in lower case, read as the URL parser reads it ("" when there is
// none: a relative reference).
std::string linkScheme(std::string_view value);

// href and the other link attributes: http:, https:, mailto:, "#anchor" or empty (this page).
bool isAllowedLink(std::string_view value);

// src and the other source attributes: a relative path that stays inside the page's folder
// ("media/image1.png": no scheme, no leading '/' or '\', no ".." step, no drive letter), empty,
// or data:image/png|jpeg|gif|bmp|webp;base64,...
bool isAllowedSource(std::string_view value);

}  // namespace vellumine::html
