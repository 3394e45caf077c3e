// The second stage of a thumbnail: the top of the first page drawn by the browser engine, in a view
// that is never shown on a screen.
#pragma once
#include <QImage>
#include <chrono>
#include <filesystem>

#include "thumbnailer/thumbnail_page.h"

namespace vellumine {

// Loads page (a file inside packageFolder) into an offscreen view with page scripts off and only
// data: and the package folder's own files fetched, sized to crop (enlarged by the engine's zoom
// when size asks for more pixels than the crop has), and returns the picture of the view once the
// page has loaded and painted its content, or has stayed white for a second (an empty page).  A
// null image when the page does not load and paint within limit.  Needs a QApplication.
QImage drawPageTop(const std::filesystem::path& page, const std::filesystem::path& packageFolder, PageCrop crop,
                   int size, std::chrono::milliseconds limit);

}  // namespace vellumine
