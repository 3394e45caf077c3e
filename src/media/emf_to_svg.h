// Enhanced metafiles (EMF, with their EMF+ records) as SVG, drawn by libemf2svg.  The SVG is
// cleaned (svg_cleaner.h) before it reaches the sink.
#pragma once
#include <string_view>

#include "media/byte_sink.h"

namespace vellumine::media {

// False for a metafile libemf2svg cannot draw, an SVG the cleaner refuses or a refusing sink.
// Call it in a bounded child process (bounded_run.h): the library is not made for hostile input.
bool emfToSvg(std::string_view emf, const ByteSink& sink);

}  // namespace vellumine::media
