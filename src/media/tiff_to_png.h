// TIFF pictures as PNG, read with libtiff from memory.  Any layout libtiff reads as RGBA (strips,
// tiles, palettes, CMYK, JPEG- or LZW-compressed) comes out as one 8-bit RGBA PNG: the first page.
#pragma once
#include <cstdint>
#include <string_view>

#include "media/byte_sink.h"

namespace vellumine::media {

// A TIFF claiming more pixels than this is refused before any of them is read.
inline constexpr std::uint64_t kMaxTiffPixels = 50'000'000;

// Writes the PNG to sink; false for a TIFF libtiff cannot read, one past kMaxTiffPixels, or a
// refusing sink.  Call it in a bounded child process (bounded_run.h): libtiff reads hostile input.
bool tiffToPng(std::string_view tiff, const ByteSink& sink);

}  // namespace vellumine::media
