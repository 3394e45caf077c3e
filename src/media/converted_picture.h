// A picture file of a format browsers do not show, converted once into a file beside it
// ("image3.emf" -> "image3.emf.svg", "image5.tif" -> "image5.tif.png").  A converted file already
// there is used as it is, so a page made again from the same package folder converts nothing.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>

#include "media/bounded_run.h"

namespace vellumine::media {

struct PictureLimits {
  std::uint64_t maxInputBytes = 64u << 20;  // a larger picture is not converted
  RunLimits run;                            // each conversion's child process
};

enum class PictureState {
  notConverted,  // a format the browser shows, or no picture at all: nothing to do
  converted,     // path names the converted file (new, or found from an earlier page)
  failed,        // a converted format that could not be converted (damaged, too large, too slow)
};

struct ConvertedPicture {
  PictureState state = PictureState::notConverted;
  std::filesystem::path path;
};

// Looks at source's first bytes and, for EMF, WMF or TIFF, converts it in a bounded child process.
// The child writes a temporary file in source's folder, renamed to the converted name only when
// the conversion succeeded; nothing else is written.  A source that is not a plain file (a link,
// a folder) is notConverted.
ConvertedPicture convertPictureFile(const std::filesystem::path& source, const PictureLimits& limits = {});

}  // namespace vellumine::media
