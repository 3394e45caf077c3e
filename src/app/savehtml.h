// The HTML export: the converted page copied out of its package folder with its images, the way
// "Save As HTML" in the viewer and vellumine-convert -o write it.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace vellumine {

// The rule that an export removes from the page.
inline constexpr std::string_view kHiddenOverflowRule = "body{overflow:hidden;border:none;}";

// Exports the page docHtml (a package's word/doc.html) to target: reads it, removes every
// kHiddenOverflowRule, writes the result to target through writePage (sanitised) and copies the
// files of the media folder beside docHtml into a media folder beside target (created only when
// there is an image).
// Throws EInOutError when docHtml is missing or unreadable (nothing is written then), when target
// cannot be written (no image is copied then) or when the media folder cannot be made.
void exportHtml(const std::filesystem::path& docHtml, const std::filesystem::path& target);

// The same for a page held in memory: page (less the rule) to target, the files of mediaFolder
// to target's folder/media.  A missing mediaFolder copies nothing.
void exportPage(std::string page, const std::filesystem::path& mediaFolder,
                const std::filesystem::path& target);

// "File has been saved as " + target + " successfully."
std::string savedMessage(const std::filesystem::path& target);

}  // namespace vellumine
