// ZipBuilder: archives written byte by byte for the reader's tests.  Entries are added with their
// content; the mutators name the fault they plant in the entry added last (or in the archive),
// so a test row reads as "an archive whose <fault>".
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vellumine::test {

enum class Method { Stored, Deflated };

inline constexpr std::uint32_t kDefaultDosDateTime = (40u << 25) | (6u << 21) | (15u << 16) | (13u << 11) | (45u << 5) | 10u;

class ZipBuilder {
 public:
  ZipBuilder& add(std::string name, std::string data, Method method = Method::Deflated);
  ZipBuilder& addFolder(std::string name);

  // Properties of the entry added last.
  ZipBuilder& dosDateTime(std::uint32_t value);
  ZipBuilder& unixMode(std::uint32_t mode);  // host Unix, mode in the high attribute word
  ZipBuilder& utf8Name();
  ZipBuilder& compressionMethod(std::uint16_t method);  // data stays as stored
  ZipBuilder& withDataDescriptor();                     // sizes and CRC after the data
  ZipBuilder& declaredUncompressedSize(std::uint64_t size);  // both headers, Zip64 when large
  ZipBuilder& emptyDeflatedWithoutData();

  // Faults in the entry added last.
  ZipBuilder& crcMismatch();
  ZipBuilder& encrypted();
  ZipBuilder& corruptDeflate();
  ZipBuilder& deflateStreamCutShort();  // the stream stops early, sizes agree with what is stored
  ZipBuilder& declaredSizeSmaller();
  ZipBuilder& allOnesSizeWithoutZip64();
  ZipBuilder& allOnesOffsetWithoutZip64();
  ZipBuilder& allOnesDiskWithoutZip64();
  ZipBuilder& localNameDiffers();
  ZipBuilder& localSignatureBroken();
  ZipBuilder& localMethodDiffers();
  ZipBuilder& compressedSizePastEnd();
  ZipBuilder& centralSignatureBroken();
  ZipBuilder& localOffsetAtDirectory();  // the central header points into the directory

  // Archive-wide.
  ZipBuilder& zip64();  // every size and offset through Zip64 fields and records
  ZipBuilder& comment(std::string text);
  ZipBuilder& centralOffsetPastEnd();
  ZipBuilder& centralSizeGrownBy(std::uint64_t bytes);  // the directory claims to run on
  ZipBuilder& entryCount(std::uint64_t total);  // announced in the end record(s)
  ZipBuilder& zip64RecordMissing();             // the locator points past the end
  ZipBuilder& withoutEndRecord();               // local headers and central directory only

  std::string build() const;
  // The end record build() writes last (for a ".zfc" file or a second end record).
  std::string endRecord() const;

 private:
  struct Entry {
    std::string name;
    std::string data;
    std::string stored;  // the bytes after the local header
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::uint16_t versionMadeBy = 20;
    std::uint32_t dosDateTime = kDefaultDosDateTime;
    std::uint32_t crc = 0;
    std::uint32_t externalAttributes = 0;
    std::uint64_t uncompressedSize = 0;
    bool forceZip64 = false;
    std::optional<std::string> localName;
    std::optional<std::uint32_t> localSignature;
    std::optional<std::uint16_t> localMethod;
    std::optional<std::uint32_t> centralCompressedField;
    std::optional<std::uint32_t> centralOffsetField;
    std::optional<std::uint16_t> centralDiskField;
    std::optional<std::uint64_t> centralCompressedSize;
    bool brokenCentralSignature = false;
    bool offsetAtDirectory = false;
  };
  Entry& last();
  std::string writeArchive(bool withEnd) const;

  std::vector<Entry> entries_;
  bool zip64_ = false;
  std::string comment_;
  std::optional<std::uint64_t> centralOffset_;
  std::uint64_t centralSizeGrowth_ = 0;
  std::optional<std::uint64_t> entryCount_;
  bool zip64RecordMissing_ = false;
  bool withoutEndRecord_ = false;
};

// Raw deflate (no header) of data, as an archive stores it.
std::string DeflateRaw(const std::string& data);

}  // namespace vellumine::test
