// The faithful page prepared for a thumbnail: the top of its first page, alone, without the grey
// desk and the shadow the viewer puts around it.
#pragma once
#include <string>
#include <string_view>

namespace vellumine {

// The part of the page a thumbnail shows, in CSS pixels: the first page's width, and a height of
// the page's own shape (its height over its width), kept between 1:1 and 1:1.5 so that a strip-
// or poster-sized section still gives a page-shaped picture.  US Letter when the page names no
// size.
struct PageCrop {
  double width = 0;
  double height = 0;
};

// Read from the first section's data-page-width and data-page-height (written by the faithful
// page, in pixels).  A value missing, malformed or outside 48..4800 pixels falls back to Letter.
PageCrop firstPageCrop(std::string_view page);

// page (finished, sanitised) with a style sheet of this program's own before its </head>: no desk
// colour, no body padding, the first section at the top left without margin or shadow.  A page
// without </head> gets it in front.
std::string thumbnailPage(std::string page);

}  // namespace vellumine
