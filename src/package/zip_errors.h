// Everything the ZIP reader can fail with: the EVCLZipException family with its fixed messages, and
// the two errors it passes through from below (opening the archive, zlib).  Every failure text of
// the package layer is on this screen; extra context lives in members and never changes what().
#pragma once
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vellumine {

inline constexpr std::string_view kIncompleteZipMessage = "Incomplete Zip File";
inline constexpr std::string_view kNotAZipFileMessage = "Not a valid zip file!";
inline constexpr std::string_view kBadZipFileMessage = "Not a valid zip file!";
inline constexpr std::string_view kPrematureEndMessage = "Premature end of file reached";
inline constexpr std::string_view kBiggerThanUncompressedMessage = "File is larger than uncompressed size!";
inline constexpr std::string_view kCantWriteUCFMessage = "Cant write uncompressed file";
inline constexpr std::string_view kPackageTooLargeMessage =
    "The package unpacks to more data than the extraction limit allows";
inline constexpr std::string_view kTooManyEntriesMessage = "The package has more entries than the reader accepts";
inline constexpr std::string_view kZCompressionMessage = "error";
// Shown through the warning callback; extraction goes on with the next entry.
inline constexpr std::string_view kUnknownMethodMessage = "Unknown Compression Method";
inline constexpr std::string_view kUnknownMethodCaption = "Zip Error";

class EVCLZipException : public std::runtime_error {
 public:
  explicit EVCLZipException(std::string_view message) : std::runtime_error(std::string(message)) {}
};

// The archive ends before its end record can be found (also any non-ZIP file).
class EIncompleteZip : public EVCLZipException {
 public:
  EIncompleteZip() : EVCLZipException(kIncompleteZipMessage) {}
};

// No end record, and the reader was told to take such files as not being archives at all.
class ENotAZipFile : public EVCLZipException {
 public:
  ENotAZipFile() : EVCLZipException(kNotAZipFileMessage) {}
};

// Which consistency check found an archive bad (the message is the same for all of them).
enum class BadZipCheck {
  noEntriesFound,            // the directory does not read and the recovery scan finds no local header
  zip64EndRecordMissing,     // a Zip64 locator points at no Zip64 end record
  zip64ValuesMissing,        // a size, offset or disk field holds its marker without a Zip64 value
  directoryPastEndRecord,    // the central directory runs past the end record that describes it
  localHeaderPastDirectory,  // an entry's local header would start inside or behind the directory
  localHeaderUnreadable,     // extraction: no local header where the directory says
  localHeaderDiffers,        // extraction: the local header names another entry or method
};

// The directory or a local header contradicts itself or the file; check says which test failed,
// offset where.
class EBadZipFile : public EVCLZipException {
 public:
  explicit EBadZipFile(BadZipCheck failed, std::uint64_t at = 0)
      : EVCLZipException(kBadZipFileMessage), check(failed), offset(at) {}
  BadZipCheck check;
  std::uint64_t offset;
};

// Entry data runs past the end of the archive, or a compressed stream stops before its end.
class EFatalUnzipError : public EVCLZipException {
 public:
  EFatalUnzipError() : EVCLZipException(kPrematureEndMessage) {}
};

// An entry decodes to more bytes than its header declares; the entry fails, extraction goes on.
class EBiggerThanUncompressed : public EVCLZipException {
 public:
  EBiggerThanUncompressed() : EVCLZipException(kBiggerThanUncompressedMessage) {}
};

// The destination file took fewer bytes than were written (disk full, quota).
class ECantWriteUCF : public EVCLZipException {
 public:
  ECantWriteUCF() : EVCLZipException(kCantWriteUCFMessage) {}
};

// Refused before anything is written: too many entries, or declared sizes adding up past the
// reader's limit (a decompression bomb).  limit and actual carry the numbers.
class EPackageTooLarge : public EVCLZipException {
 public:
  EPackageTooLarge(std::string_view message, std::uint64_t limitValue, std::uint64_t actualValue)
      : EVCLZipException(message), limit(limitValue), actual(actualValue) {}
  std::uint64_t limit;
  std::uint64_t actual;
};

// The archive file cannot be opened: "Cannot open file "<path>". <system message>".
class EFOpenError : public std::runtime_error {
 public:
  EFOpenError(const std::filesystem::path& path, int errorNumber);
};

// zlib reported a negative result while inflating.
class EZCompressionError : public std::runtime_error {
 public:
  EZCompressionError() : std::runtime_error(std::string(kZCompressionMessage)) {}
};

}  // namespace vellumine
