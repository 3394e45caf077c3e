// extractPackage: the one call that unpacks a .docx below its package folder.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

namespace vellumine {

// What the reader tells its caller while it works.  progress runs before each entry and each
// 32 KiB block, so a window can repaint; warning carries what the run survives (an entry with an
// unknown compression method) as message and caption.
struct ExtractObserver {
  std::function<void()> progress;
  std::function<void(std::string_view message, std::string_view caption)> warning;
};

// Writes every entry of the archive below packageFolder, folders recreated, existing files
// overwritten.  Throws the reader's exceptions (derived from std::runtime_error).
void extractPackage(const std::filesystem::path& document, const std::filesystem::path& packageFolder,
                    const ExtractObserver& observer = {});

// The unpacked size the archive's directory declares for all its entries; 0 when the directory
// cannot be read (extractPackage then reports why).
std::uint64_t declaredUnpackedSize(const std::filesystem::path& document);

}  // namespace vellumine
