// Package-folder naming: the folder below tmp that holds a document's extracted package.
#pragma once
#include <filesystem>
#include <string>

namespace vellumine {

// The document's file name without its last extension: "Q3 Report.docx" gives "Q3 Report",
// "a.b.docx" gives "a.b", "Report" stays "Report".  Names that would leave nothing usable
// (".docx", "..docx", "...docx" give "", "." and "..") get a "_" in front, so the folder is
// always a child of tmp and never tmp itself or its parent.
std::string packageFolderName(const std::filesystem::path& documentPath);

// tmpFolder / packageFolderName(documentPath).
std::filesystem::path packageFolderFor(const std::filesystem::path& documentPath,
                                       const std::filesystem::path& tmpFolder);

}  // namespace vellumine
