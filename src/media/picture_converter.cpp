#include "media/picture_converter.h"

#include "media/emf_to_svg.h"
#include "media/tiff_to_png.h"
#include "media/wmf_to_svg.h"

namespace vellumine::media {

bool convertPicture(std::string_view bytes, PictureFormat format, const ByteSink& sink) {
  switch (format) {
    case PictureFormat::emf: return emfToSvg(bytes, sink);
    case PictureFormat::wmf: return wmfToSvg(bytes, sink);
    case PictureFormat::tiff: return tiffToPng(bytes, sink);
    case PictureFormat::other: return false;
  }
  return false;
}

}  // namespace vellumine::media
