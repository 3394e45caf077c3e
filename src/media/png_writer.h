// A PNG file from 8-bit RGBA pixels, compressed with zlib: what a converted raster picture
// becomes, so that the page (and --embed-images) can show it.
#pragma once
#include <cstdint>
#include <string_view>

#include "media/byte_sink.h"

namespace vellumine::media {

// rgba holds height rows of width pixels, 4 bytes each, top row first.  The file goes to sink in
// pieces (several IDAT chunks), so no second copy of the picture is held.  False when the sizes
// do not match the bytes or are zero, when zlib fails or when the sink refuses.
bool writePng(std::string_view rgba, std::uint32_t width, std::uint32_t height, const ByteSink& sink);

}  // namespace vellumine::media
