// Windows metafiles (WMF, placeable or not) as SVG, drawn by libwmf's SVG device layer: vectors
// stay vectors, text stays text, the metafile's bitmaps are written inline as PNG.  The SVG is
// cleaned (svg_cleaner.h) before it reaches the sink.
#pragma once
#include <string_view>

#include "media/byte_sink.h"

namespace vellumine::media {

// False for a metafile libwmf cannot play, an SVG the cleaner refuses or a refusing sink.  Call
// it in a bounded child process (bounded_run.h): the library is not made for hostile input.
bool wmfToSvg(std::string_view wmf, const ByteSink& sink);

}  // namespace vellumine::media
