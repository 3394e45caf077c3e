// Which picture formats the program converts for the page, told by a file's first bytes: a
// document may call an enhanced metafile image1.png, and the browser goes by the bytes too.
#pragma once
#include <string_view>

namespace vellumine::media {

enum class PictureFormat {
  emf,    // enhanced metafile: an EMR_HEADER record whose signature is " EMF"
  wmf,    // Windows metafile, with or without the placeable header
  tiff,   // TIFF or BigTIFF, either byte order
  other,  // anything else, shown by the browser or not at all
};

// The bytes needed to tell the formats apart; fewer may be given (a short file is "other").
inline constexpr std::size_t kPictureSignatureBytes = 44;

PictureFormat pictureFormatOf(std::string_view firstBytes);

// The extension of the converted file: "svg" for the metafiles, "png" for TIFF, "" for other.
std::string_view convertedExtension(PictureFormat format);

}  // namespace vellumine::media
