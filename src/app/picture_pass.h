// Between reading the document and writing its faithful page: every picture of a format browsers
// do not show (EMF, WMF, TIFF, told by the file's first bytes) is converted into the package
// folder beside its part, and the drawing is pointed at the converted file; one that cannot be
// converted keeps its box and is reported once (pictureNotConverted).
#pragma once
#include <chrono>
#include <filesystem>

#include "docx/model.h"
#include "docx/warnings.h"
#include "media/converted_picture.h"

namespace vellumine {

struct PicturePassLimits {
  media::PictureLimits picture;  // each picture's input size and child process
  // All conversions of one document together; pictures still waiting when it runs out are not
  // converted, so a document of a thousand pictures that each time out cannot hold the page.
  std::chrono::milliseconds total{20'000};
};

// Rewrites the targets of document's pictures (Document::drawings) to their converted parts
// ("word/media/image1.emf" -> "word/media/image1.emf.svg") or marks them notConverted.  Only
// pictures the page could show are looked at: targets in the main part's folder or below it,
// without "." or ".." steps (render::pagePicturePath).  Each part is converted once, however many
// drawings show it; a converted file already in the folder is used again.
void convertDocumentPictures(docx::Document& document, const std::filesystem::path& packageFolder,
                             docx::Warnings& warnings, const PicturePassLimits& limits = {});

}  // namespace vellumine
