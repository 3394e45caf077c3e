// The picture a word processor stores in the package as the document's own thumbnail, which a
// file manager can show without the page being drawn.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vellumine {

enum class RasterType { unknown, png, jpeg };

// Told by the first bytes, never by the part's name: a ".png" holding a metafile is no PNG.
RasterType rasterTypeOf(std::string_view bytes);

// The largest stored thumbnail taken; a larger part is not read at all.
inline constexpr std::uintmax_t kMaximumStoredThumbnailBytes = 16 * 1024 * 1024;

// The bytes of the document's thumbnail when it is a PNG or a JPEG: the target of the package's
// relationship of type .../metadata/thumbnail, else docProps/thumbnail.png, .jpeg or .jpg.  A
// thumbnail of another kind (Word stores EMF and WMF ones), a target outside the package, a
// missing or oversized part: nullopt, and the page is drawn instead.  Reads only inside
// packageFolder.
std::optional<std::string> findStoredThumbnail(const std::filesystem::path& packageFolder);

}  // namespace vellumine
