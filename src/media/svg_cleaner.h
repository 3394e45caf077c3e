// An SVG made from a metafile, made inert before the page refers to it.  The page loads it as an
// <img>, where browsers neither run scripts nor fetch anything, but the file stays in the media
// folder (and is copied with the page), where it may be opened on its own.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vellumine::media {

// SVG text past this is refused, as is a cleaned result past it.
inline constexpr std::size_t kMaxSvgBytes = 32u << 20;

// The SVG rewritten without: processing instructions, document types and comments; script,
// foreignObject, animation and embedding elements (whatever their prefix); event attributes
// (on...); references (href, xlink:href, src, url(...) in attributes and style sheets) to
// anything but a fragment of the file itself or an inline raster picture (data:image/png, jpeg,
// jpg, gif); style sheets with @import.  The root declares the SVG and xlink namespaces, as a
// browser needs them to draw the file.  nullopt for text that is not well-formed XML, that has
// no svg root element, or that is too large.
std::optional<std::string> cleanSvg(std::string_view svg);

}  // namespace vellumine::media
