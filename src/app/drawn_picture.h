// Where the pictures drawn for a document (charts, shapes, diagrams: SVG made by src/render) are
// kept: in the media folder beside the main part, where the page, Save As HTML, the batch media
// folder and vellumine-convert's media/ copy find them as they find the document's own pictures.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vellumine {

// Writes svg as "<main part folder>media/vm-<hash>.svg" inside packageFolder and returns that
// package path ("word/media/vm-3f2a....svg"), for docx::Drawing::drawn.  The name is the content's
// 64-bit FNV-1a hash, so the same drawing is written once however often it is drawn, a second
// conversion of the same package finds its files again, and no name of the document's own parts
// is taken over by chance.  nullopt when the main part's folder is not a plain relative path or the
// file cannot be written (the caller keeps the drawing's labelled box).
std::optional<std::string> storeDrawnPicture(const std::filesystem::path& packageFolder, std::string_view mainPart,
                                             std::string_view svg);

}  // namespace vellumine
