// A page that stands on its own: the document's images put into the page as data: URIs, for pages
// that travel without a folder beside them (standard output, a mail, a web application).
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vellumine {

// What the embedded images of one page may add up to, as Base64 text.
inline constexpr std::uint64_t kMaxEmbeddedImageBytes = std::uint64_t{256} << 20;

// Why a media reference was emptied instead of embedded.
inline constexpr std::string_view kNotAShownImageType =
    "not an image type browsers show (png, jpeg, gif, bmp, webp)";
inline constexpr std::string_view kNoSuchMediaFile = "no such file in the package's media folder";
inline constexpr std::string_view kEmbedLimitReached = "the page's embedded images would pass 256 MiB";

struct ImageNotEmbedded {
  std::string reference;  // the src value as the page had it
  std::string_view reason;
};

struct EmbeddedPage {
  std::string page;
  std::vector<ImageNotEmbedded> notEmbedded;  // in page order, one per reference
};

// The MIME type of a raster image that browsers show, told from its first bytes ("image/png",
// "image/jpeg", ...); empty for anything else, SVG included, whatever the file is called.
std::string_view shownImageType(std::string_view bytes);

// Rewrites every image of page whose source names a file of the package's media folder
// ("media/NAME", or the package-absolute "/word/media/NAME") into a data: URI of that file.  A
// media reference that cannot be embedded (not a shown image type, no such file, over
// maxEmbeddedBytes) gets an empty source, so no reference leaves the page; its size attributes
// stay, as for a chart.  Other sources (empty, remote) are left as they are.
EmbeddedPage embedImages(std::string_view page, const std::filesystem::path& mediaFolder,
                         std::uint64_t maxEmbeddedBytes = kMaxEmbeddedImageBytes);

}  // namespace vellumine
