// One call for every converted format: the bytes of a picture, told apart by picture_format.h,
// written as what the browser shows (SVG for the metafiles, PNG for TIFF).
#pragma once
#include <string_view>

#include "media/byte_sink.h"
#include "media/picture_format.h"

namespace vellumine::media {

// The picture converted to sink; false for a format that is not converted (other) or a picture
// the format's converter cannot read.  Runs the libraries in this process: the program calls it
// through convertPictureFile (converted_picture.h), which bounds it in a child.
bool convertPicture(std::string_view bytes, PictureFormat format, const ByteSink& sink);

}  // namespace vellumine::media
