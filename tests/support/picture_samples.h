// Small pictures of the converted formats, written record by record (EMF, WMF) or by libtiff
// (TIFF): the media tests', the picture pass's and the converter's inputs.
#pragma once
#include <cstdint>
#include <string>

namespace vellumine::test {

// An enhanced metafile: header, one rectangle, end of file.
std::string tinyEmf();

// A placeable Windows metafile: window origin and extent, one rectangle, end of file.
std::string tinyWmf();

// A width x height RGB TIFF, written by libtiff; each pixel's red is its column, green its row.
std::string tinyTiff(std::uint32_t width, std::uint32_t height);

// A TIFF whose one directory claims width x height 8-bit RGB pixels in one strip of 16 bytes:
// what a hostile file claims, with nothing behind the claim.
std::string tiffClaiming(std::uint32_t width, std::uint32_t height);

}  // namespace vellumine::test
