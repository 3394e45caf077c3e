// The checks that keep a file which is no Word package from opening as an empty page or failing
// with an archive reader's message: the text signatures and the compound-file signature of the
// first bytes, then the archive's entry names against the rule that finds the main document
// part; after extraction the same rule on disk.  The sniffer only ever names what it recognises.
#include "app/document_sniffer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/document_kind_errors.h"
#include "convert/package_parts.h"
#include "package/archive_file.h"
#include "package/compound_file.h"
#include "package/kpzipobj.h"
#include "package/vclunzip.h"
#include "package/zip_path.h"
#include "text/chartype.h"

namespace vellumine {

namespace {

namespace fs = std::filesystem;

// Enough for a signature behind a byte-order mark and a few lines of blanks.
constexpr std::size_t kHeadSize = 1024;
// A media type is a short line; a package relationships part a few hundred bytes.
constexpr std::uint64_t kMaxMimetypeBytes = 256;
constexpr std::uint64_t kMaxRelationshipsBytes = std::uint64_t{1} << 20;

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kEncryptionInfoStream = "EncryptionInfo";
constexpr std::string_view kMainDocumentPart = "word/document.xml";
constexpr std::string_view kPackageRelationshipsPart = "_rels/.rels";
constexpr std::string_view kMimetypePart = "mimetype";

std::string readHead(ArchiveFile& file, std::size_t size) {
  std::string head(size, '\0');
  head.resize(file.readAt(0, std::as_writable_bytes(std::span(head))));
  return head;
}

std::size_t skipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && IsAsciiSpace(static_cast<unsigned char>(text[at]))) ++at;
  return at;
}

// A tag name ends at a blank, '>' or '/', or where the bytes read end.
bool endsTagName(std::string_view text, std::size_t at) {
  return at >= text.size() || IsAsciiSpace(static_cast<unsigned char>(text[at])) || text[at] == '>' ||
         text[at] == '/';
}

bool isHtmlStart(std::string_view head, std::size_t at) {
  if (EqualsCaselessAt(head, at, "<html")) return endsTagName(head, at + 5);
  if (!EqualsCaselessAt(head, at, "<!DOCTYPE")) return false;
  const std::size_t name = skipBlanks(head, at + 9);
  return name > at + 9 && EqualsCaselessAt(head, name, "html") && endsTagName(head, name + 4);
}

std::optional<ForeignFormat> textFormat(std::string_view head) {
  std::size_t at = head.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
  at = skipBlanks(head, at);
  if (EqualsCaselessAt(head, at, "{\\rtf")) return ForeignFormat::rtf;
  if (EqualsCaselessAt(head, at, "%PDF")) return ForeignFormat::pdf;
  if (isHtmlStart(head, at)) return ForeignFormat::html;
  return std::nullopt;
}

[[noreturn]] void throwCompoundKind(ArchiveFile& file) {
  if (const std::optional<std::vector<CompoundEntry>> root = ReadCompoundRoot(file)) {
    for (const CompoundEntry& entry : *root) {
      // Compound-file names compare without case.
      if (entry.type == CompoundEntryType::stream && EqualsCaseless(entry.name, kEncryptionInfoStream)) {
        throw EEncryptedDocument();
      }
    }
  }
  throw EWord97Document();
}

std::string_view withoutBlanks(std::string_view text) {
  const std::size_t start = skipBlanks(text, 0);
  std::size_t end = text.size();
  while (end > start && IsAsciiSpace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(start, end - start);
}

[[noreturn]] void throwPackageKind(std::string_view mimetype) {
  const std::string_view mediaType = withoutBlanks(mimetype);
  if (EqualsCaselessAt(mediaType, 0, kOpenDocumentMediaTypePrefix)) throw EOpenDocument(mediaType);
  throw ENoWordDocument();
}

// The archive's file entries by the relative path extraction writes them to (empty: never written).
std::vector<std::string> entryPaths(const TVCLUnZip& unzip) {
  std::vector<std::string> paths(unzip.Count());
  for (std::size_t i = 0; i < unzip.Count(); ++i) {
    if (unzip.Entry(i).isFolder()) continue;
    paths[i] = SafeEntryPath(unzip.Entry(i).name()).value_or(std::string());
  }
  return paths;
}

// The entry that lands on relativePath, its letters compared without case as part names are.
// The exact spelling wins, and of two equal names the later, which overwrites the earlier on disk.
std::optional<std::size_t> findEntry(const std::vector<std::string>& paths, std::string_view relativePath) {
  std::optional<std::size_t> caseless;
  for (std::size_t i = paths.size(); i-- > 0;) {
    if (paths[i] == relativePath) return i;
    if (!caseless && !paths[i].empty() && EqualsCaseless(paths[i], relativePath)) caseless = i;
  }
  return caseless;
}

enum class Verdict { wordPackage, noMainPart, undecided };

// findMainDocumentParts' rule on the archive: word/document.xml, or else the part the package
// relationships name.  Undecided when the relationships cannot be read here.
Verdict mainPartVerdict(TVCLUnZip& unzip, const std::vector<std::string>& paths) {
  if (findEntry(paths, kMainDocumentPart)) return Verdict::wordPackage;
  const std::optional<std::size_t> rels = findEntry(paths, kPackageRelationshipsPart);
  if (!rels) return Verdict::noMainPart;
  const std::optional<std::string> text = unzip.UnZipToString(*rels, kMaxRelationshipsBytes);
  if (!text) return Verdict::undecided;
  const std::string target = officeDocumentTarget(*text);
  const std::optional<std::string> targetPath = SafeEntryPath(target);
  if (target.empty() || !targetPath || !findEntry(paths, *targetPath)) return Verdict::noMainPart;
  return Verdict::wordPackage;
}

// The "mimetype" entry of an archive without a main part; nullopt when the file is no archive the
// reader can list, holds a main part, or is undecided.
std::optional<std::string> mimetypeOfArchiveWithoutMainPart(const fs::path& file) {
  TVCLUnZip unzip;
  unzip.SetZipName(file);
  unzip.ReadZip();
  // No end record: not an archive, or a cut one; extraction reports which.
  if (unzip.EndCentral().signature != kEndSignature) return std::nullopt;
  const std::vector<std::string> paths = entryPaths(unzip);
  if (mainPartVerdict(unzip, paths) != Verdict::noMainPart) return std::nullopt;
  const std::optional<std::size_t> mimetype = findEntry(paths, kMimetypePart);
  return mimetype ? unzip.UnZipToString(*mimetype, kMaxMimetypeBytes).value_or(std::string()) : std::string();
}

void checkArchive(const fs::path& file) {
  std::optional<std::string> mimetype;
  try {
    mimetype = mimetypeOfArchiveWithoutMainPart(file);
  } catch (const std::exception&) {
    return;  // a damaged archive: extraction gives the reader's message
  }
  if (mimetype) throwPackageKind(*mimetype);
}

std::string readFileStart(const fs::path& file, std::size_t size) {
  try {
    ArchiveFile opened(file);
    return readHead(opened, size);
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace

void checkDocumentFile(const fs::path& file) {
  std::optional<ArchiveFile> opened;
  try {
    opened.emplace(file);
  } catch (const std::exception&) {
    return;  // extraction reports the file that cannot be opened
  }
  const std::string head = readHead(*opened, kHeadSize);
  if (const std::optional<ForeignFormat> format = textFormat(head)) throw EForeignFormat(*format);
  if (HasCompoundSignature(std::as_bytes(std::span(head)))) throwCompoundKind(*opened);
  opened.reset();
  checkArchive(file);
}

void checkPackageFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_regular_file(findMainDocumentParts(folder).document, ec)) return;
  throwPackageKind(readFileStart(findPart(folder, kMimetypePart), kMaxMimetypeBytes));
}

}  // namespace vellumine
