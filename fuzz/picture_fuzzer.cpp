// Arbitrary bytes through the picture converters, in this process: the first byte picks the
// converter (0: by the bytes' own format, as the program does; 1 EMF, 2 WMF, 3 TIFF; 4 the SVG
// cleaner alone), the rest is the picture.  In the program each conversion runs in a bounded child
// (media/bounded_run.h), so a fault inside libemf2svg, libwmf or libtiff costs one picture; here
// it is a finding, to be told apart from faults of our own code (the TIFF reader's memory file,
// the PNG writer, the cleaner).  What a converter writes must be what the page can take: a cleaned
// SVG (cleaning it again changes nothing) or a PNG.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "media/emf_to_svg.h"
#include "media/picture_converter.h"
#include "media/svg_cleaner.h"
#include "media/tiff_to_png.h"
#include "media/wmf_to_svg.h"

namespace {

using namespace vellumine::media;

void checkCleanSvg(const std::string& svg) {
  const std::optional<std::string> again = cleanSvg(svg);
  if (!again || *again != svg) std::abort();
}

void checkPng(const std::string& png) {
  if (png.compare(0, 8, std::string_view("\x89PNG\r\n\x1a\n", 8)) != 0) std::abort();
}

bool convertWith(std::uint8_t converter, std::string_view bytes, std::string& out) {
  const ByteSink sink = stringSink(out);
  switch (converter) {
    case 0: return convertPicture(bytes, pictureFormatOf(bytes), sink);
    case 1: return emfToSvg(bytes, sink);
    case 2: return wmfToSvg(bytes, sink);
    case 3: return tiffToPng(bytes, sink);
    default: {
      const std::optional<std::string> clean = cleanSvg(bytes);
      if (clean) out = *clean;
      return clean.has_value();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string out;
  if (!convertWith(data[0] % 5, bytes, out)) return 0;
  if (out.compare(0, 5, "<?xml") == 0) {
    checkCleanSvg(out);
  } else {
    checkPng(out);
  }
  return 0;
}
