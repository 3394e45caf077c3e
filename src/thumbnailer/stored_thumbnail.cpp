#include "thumbnailer/stored_thumbnail.h"

#include <array>
#include <cstdint>

#include "docx/reader.h"
#include "docx/relationships.h"
#include "docx/warnings.h"

namespace vellumine {

namespace {

constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};
constexpr std::string_view kJpegStart{"\xff\xd8\xff", 3};

// Where a package without the relationship keeps its thumbnail, by convention.
constexpr std::array<std::string_view, 3> kConventionalParts{"docProps/thumbnail.png", "docProps/thumbnail.jpeg",
                                                             "docProps/thumbnail.jpg"};

std::optional<std::string> rasterPart(const docx::PartSource& parts, const std::filesystem::path& packageFolder,
                                      std::string_view name) {
  if (name.empty()) return std::nullopt;
  // The size first, so that a huge part is never read into memory for nothing.
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(packageFolder / std::string(name), ec);
  if (!ec && size > kMaximumStoredThumbnailBytes) return std::nullopt;
  std::optional<std::string> bytes = parts(name);
  if (!bytes || bytes->size() > kMaximumStoredThumbnailBytes || rasterTypeOf(*bytes) == RasterType::unknown) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

RasterType rasterTypeOf(std::string_view bytes) {
  if (bytes.starts_with(kPngSignature)) return RasterType::png;
  if (bytes.starts_with(kJpegStart)) return RasterType::jpeg;
  return RasterType::unknown;
}

std::optional<std::string> findStoredThumbnail(const std::filesystem::path& packageFolder) {
  const docx::PartSource parts = docx::folderPartSource(packageFolder);
  docx::Warnings warnings;  // a damaged .rels only means no relationship: the conventional names follow
  const docx::Relationships relationships = docx::readRelationships(parts, "", warnings);
  if (const docx::Relationship* thumbnail = relationships.firstOfType("thumbnail");
      thumbnail != nullptr && !thumbnail->external) {
    if (auto bytes = rasterPart(parts, packageFolder, thumbnail->target)) return bytes;
  }
  for (const std::string_view name : kConventionalParts) {
    if (auto bytes = rasterPart(parts, packageFolder, name)) return bytes;
  }
  return std::nullopt;
}

}  // namespace vellumine
