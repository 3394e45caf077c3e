// Pictures in and out of the thumbnailer: a stored thumbnail decoded within a memory bound, any
// picture fitted into the asked size, and the PNG bytes written.
#pragma once
#include <QImage>
#include <string>

namespace vellumine {

// The most a decoded picture may take (a 4096 by 4096 picture of four bytes a pixel); a picture
// that declares more is not decoded at all.
inline constexpr int kDecodeLimitMegabytes = 64;

// The picture in bytes (PNG or JPEG, told by its content); a null image when it does not decode or
// would exceed kDecodeLimitMegabytes.
QImage decodePicture(const std::string& bytes);

// image scaled, smoothly and keeping its shape, so that its larger side is size; a picture already
// smaller stays as it is unless enlarge is set (a stored thumbnail is never blown up, a drawn page
// always fills the size).  Each side is at least one pixel.
QImage fitWithin(const QImage& image, int size, bool enlarge);

// The PNG file of image; empty when it cannot be encoded.
std::string pngBytes(const QImage& image);

}  // namespace vellumine
