// Embedding images: one left-to-right pass over the finished page that copies it into a new text,
// replacing the source of each <img> the image pass wrote with the data: URI of its media file.
// The type comes from the file's first bytes, never from its name: a document may call anything
// image1.png, and an SVG (which can carry scripts) must never become a data: URI.
#include "app/embed_images.h"

#include <array>
#include <map>
#include <optional>
#include <system_error>

#include "text/base64.h"
#include "text/chartype.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {

namespace {

namespace fs = std::filesystem;

// The image pass writes exactly this before every source; text of the document cannot contain it,
// as its "<" is escaped.
constexpr std::string_view kImageSource = "<img src=\"";
// The two ways a relationship target names a file of word/media.
constexpr std::array<std::string_view, 2> kMediaPrefixes = {"media/", "/word/media/"};

struct ImageSignature {
  std::size_t offset;
  std::string_view bytes;
  std::string_view mimeType;
};

// Several rows may give one type; a row matches when its bytes stand at its offset.
constexpr ImageSignature kSignatures[] = {
    {0, "\x89PNG\r\n\x1a\n", "image/png"},
    {0, "\xFF\xD8\xFF", "image/jpeg"},
    {0, "GIF87a", "image/gif"},
    {0, "GIF89a", "image/gif"},
    {8, "WEBP", "image/webp"},  // with "RIFF" at 0, checked below
    // "BM" alone is too common a start; the bitmap's own header size follows at 14.
    {0, "BM", "image/bmp"},
};

bool hasBytesAt(std::string_view data, std::size_t offset, std::string_view bytes) {
  return data.size() >= offset + bytes.size() && data.substr(offset, bytes.size()) == bytes;
}

bool isBitmap(std::string_view data) {
  if (data.size() < 18) return false;
  const unsigned headerSize = static_cast<unsigned char>(data[14]) | static_cast<unsigned char>(data[15]) << 8;
  if (data[16] != '\0' || data[17] != '\0') return false;
  for (unsigned known : {12u, 40u, 52u, 56u, 64u, 108u, 124u}) {
    if (headerSize == known) return true;
  }
  return false;
}

int hexValue(char c) { return AsciiHexValue(static_cast<unsigned char>(c)); }

// The file name a media reference stands for: "&amp;" is "&" in the attribute, and a relationship
// target escapes blanks and other bytes as %XX.  Anything that is not one plain name inside the
// media folder (a "/" written as %2F, "..", a NUL) is refused: no file outside it is ever read.
std::optional<std::string> mediaFileName(std::string_view encoded) {
  std::string name;
  name.reserve(encoded.size());
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    if (encoded.substr(i).starts_with("&amp;")) {
      name += '&';
      i += 4;
    } else if (encoded[i] == '%' && i + 2 < encoded.size() && hexValue(encoded[i + 1]) >= 0 &&
               hexValue(encoded[i + 2]) >= 0) {
      name += static_cast<char>(hexValue(encoded[i + 1]) * 16 + hexValue(encoded[i + 2]));
      i += 2;
    } else {
      name += encoded[i];
    }
  }
  constexpr std::string_view kSeparators("/\\\0", 3);
  if (name.empty() || name == "." || name == ".." || name.find_first_of(kSeparators) != std::string::npos) {
    return std::nullopt;
  }
  return name;
}

// The part of a source after a media prefix, or nullopt for a source that names no media file.
std::optional<std::string_view> mediaReference(std::string_view source) {
  for (std::string_view prefix : kMediaPrefixes) {
    if (source.starts_with(prefix)) return source.substr(prefix.size());
  }
  return std::nullopt;
}

// One media file, looked at once however often the page shows it.
struct MediaImage {
  std::string dataUri;  // empty when it cannot be embedded
  std::string_view reason;
};

class Embedder {
 public:
  Embedder(const fs::path& mediaFolder, std::uint64_t maxBytes) : mediaFolder_(mediaFolder), budget_(maxBytes) {}

  // The source to write for a reference to the media file encodedName; notes why when it is "".
  std::string_view sourceFor(std::string_view source, std::string_view encodedName, EmbeddedPage& result) {
    const MediaImage& image = lookUp(encodedName);
    std::string_view reason = image.reason;
    if (reason.empty() && image.dataUri.size() > budget_) reason = kEmbedLimitReached;
    if (!reason.empty()) {
      result.notEmbedded.push_back({std::string(source), reason});
      return {};
    }
    budget_ -= image.dataUri.size();
    return image.dataUri;
  }

 private:
  const MediaImage& lookUp(std::string_view encodedName) {
    auto [it, added] = images_.try_emplace(std::string(encodedName));
    if (added) it->second = load(encodedName);
    return it->second;
  }

  MediaImage load(std::string_view encodedName) const {
    const std::optional<std::string> name = mediaFileName(encodedName);
    if (!name) return {{}, kNoSuchMediaFile};
    const fs::path file = mediaFolder_ / *name;
    std::error_code ec;
    // Only a plain file the package itself holds: a link could point anywhere.
    if (!fs::is_regular_file(fs::symlink_status(file, ec))) return {{}, kNoSuchMediaFile};
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec || Base64Length(size) > budget_) return {{}, kEmbedLimitReached};
    const std::string bytes = ReadWholeFile(file);
    const std::string_view type = shownImageType(bytes);
    if (type.empty()) return {{}, kNotAShownImageType};
    MediaImage image;
    image.dataUri.reserve(5 + type.size() + 8 + Base64Length(bytes.size()));
    image.dataUri += "data:";
    image.dataUri += type;
    image.dataUri += ";base64,";
    AppendBase64(image.dataUri, bytes);
    return image;
  }

  const fs::path& mediaFolder_;
  std::uint64_t budget_;
  std::map<std::string, MediaImage, std::less<>> images_;
};

}  // namespace

std::string_view shownImageType(std::string_view bytes) {
  for (const ImageSignature& signature : kSignatures) {
    if (!hasBytesAt(bytes, signature.offset, signature.bytes)) continue;
    if (signature.mimeType == "image/webp" && !hasBytesAt(bytes, 0, "RIFF")) continue;
    if (signature.mimeType == "image/bmp" && !isBitmap(bytes)) continue;
    return signature.mimeType;
  }
  return {};
}

EmbeddedPage embedImages(std::string_view page, const fs::path& mediaFolder, std::uint64_t maxEmbeddedBytes) {
  EmbeddedPage result;
  result.page.reserve(page.size());
  Embedder embedder(mediaFolder, maxEmbeddedBytes);
  std::size_t copied = 0;
  for (std::size_t at = page.find(kImageSource); at != std::string_view::npos; at = page.find(kImageSource, at)) {
    const std::size_t sourceStart = at + kImageSource.size();
    const std::size_t sourceEnd = page.find('"', sourceStart);
    if (sourceEnd == std::string_view::npos) break;
    at = sourceEnd;
    const std::string_view source = page.substr(sourceStart, sourceEnd - sourceStart);
    const std::optional<std::string_view> name = mediaReference(source);
    if (!name) continue;
    result.page.append(page, copied, sourceStart - copied);
    result.page += embedder.sourceFor(source, *name, result);
    copied = sourceEnd;
  }
  result.page.append(page, copied);
  return result;
}

}  // namespace vellumine
