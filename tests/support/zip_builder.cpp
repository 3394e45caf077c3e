// Writes the archives of the reader's tests field by field from the published layout, so a test
// archive never depends on the reader's own constants or on an outside zip tool.
#include "support/zip_builder.h"

#include <stdexcept>

#include <zlib.h>

namespace vellumine::test {

namespace {

constexpr std::uint32_t kAllOnes32 = 0xFFFFFFFF;
constexpr std::uint16_t kAllOnes16 = 0xFFFF;

void put16(std::string& out, std::uint64_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint64_t v) {
  put16(out, v & 0xFFFF);
  put16(out, (v >> 16) & 0xFFFF);
}
void put64(std::string& out, std::uint64_t v) {
  put32(out, v & 0xFFFFFFFF);
  put32(out, v >> 32);
}

std::uint32_t crcOf(const std::string& data) {
  return static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

}  // namespace

std::string DeflateRaw(const std::string& data) {
  z_stream zs{};
  if (deflateInit2(&zs, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) throw std::runtime_error("deflate");
  std::string out(deflateBound(&zs, static_cast<uLong>(data.size())), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

ZipBuilder::Entry& ZipBuilder::last() {
  if (entries_.empty()) throw std::logic_error("ZipBuilder: add an entry first");
  return entries_.back();
}

ZipBuilder& ZipBuilder::add(std::string name, std::string data, Method method) {
  Entry e;
  e.name = std::move(name);
  e.method = method == Method::Deflated ? 8 : 0;
  e.stored = method == Method::Deflated ? DeflateRaw(data) : data;
  e.crc = crcOf(data);
  e.uncompressedSize = data.size();
  e.data = std::move(data);
  entries_.push_back(std::move(e));
  return *this;
}

ZipBuilder& ZipBuilder::addFolder(std::string name) { return add(std::move(name), "", Method::Stored); }

ZipBuilder& ZipBuilder::dosDateTime(std::uint32_t value) {
  last().dosDateTime = value;
  return *this;
}
ZipBuilder& ZipBuilder::unixMode(std::uint32_t mode) {
  last().versionMadeBy = (3 << 8) | 20;
  last().externalAttributes = mode << 16;
  return *this;
}
ZipBuilder& ZipBuilder::utf8Name() {
  last().flags |= 0x0800;
  return *this;
}
ZipBuilder& ZipBuilder::compressionMethod(std::uint16_t method) {
  last().method = method;
  return *this;
}
ZipBuilder& ZipBuilder::withDataDescriptor() {
  last().flags |= 0x0008;
  return *this;
}
ZipBuilder& ZipBuilder::declaredUncompressedSize(std::uint64_t size) {
  last().uncompressedSize = size;
  if (size >= kAllOnes32) last().forceZip64 = true;
  return *this;
}
ZipBuilder& ZipBuilder::emptyDeflatedWithoutData() {
  last().method = 8;
  last().stored.clear();
  return *this;
}

ZipBuilder& ZipBuilder::crcMismatch() {
  last().crc ^= 0x00010000;
  return *this;
}
ZipBuilder& ZipBuilder::encrypted() {
  last().flags |= 0x0001;
  return *this;
}
ZipBuilder& ZipBuilder::corruptDeflate() {
  last().method = 8;
  last().stored = std::string(8, '\xFF');  // block type 3 does not exist
  return *this;
}
ZipBuilder& ZipBuilder::deflateStreamCutShort() {
  last().stored.resize(last().stored.size() / 2);
  return *this;
}
ZipBuilder& ZipBuilder::declaredSizeSmaller() {
  last().uncompressedSize -= 1;
  return *this;
}
ZipBuilder& ZipBuilder::allOnesSizeWithoutZip64() {
  last().centralCompressedField = kAllOnes32;
  return *this;
}
ZipBuilder& ZipBuilder::allOnesOffsetWithoutZip64() {
  last().centralOffsetField = kAllOnes32;
  return *this;
}
ZipBuilder& ZipBuilder::allOnesDiskWithoutZip64() {
  last().centralDiskField = kAllOnes16;
  return *this;
}
ZipBuilder& ZipBuilder::localNameDiffers() {
  last().localName = last().name + "x";
  return *this;
}
ZipBuilder& ZipBuilder::localSignatureBroken() {
  last().localSignature = 0x04034B51;
  return *this;
}
ZipBuilder& ZipBuilder::localMethodDiffers() {
  last().localMethod = static_cast<std::uint16_t>(last().method ^ 8);
  return *this;
}
ZipBuilder& ZipBuilder::compressedSizePastEnd() {
  last().centralCompressedSize = std::uint64_t{1} << 30;
  return *this;
}
ZipBuilder& ZipBuilder::centralSignatureBroken() {
  last().brokenCentralSignature = true;
  return *this;
}

ZipBuilder& ZipBuilder::localOffsetAtDirectory() {
  last().offsetAtDirectory = true;
  return *this;
}

ZipBuilder& ZipBuilder::centralSizeGrownBy(std::uint64_t bytes) {
  centralSizeGrowth_ = bytes;
  return *this;
}

ZipBuilder& ZipBuilder::zip64() {
  zip64_ = true;
  return *this;
}
ZipBuilder& ZipBuilder::comment(std::string text) {
  comment_ = std::move(text);
  return *this;
}
ZipBuilder& ZipBuilder::centralOffsetPastEnd() {
  centralOffset_ = std::uint64_t{1} << 31;
  return *this;
}
ZipBuilder& ZipBuilder::entryCount(std::uint64_t total) {
  entryCount_ = total;
  return *this;
}
ZipBuilder& ZipBuilder::zip64RecordMissing() {
  zip64_ = true;
  zip64RecordMissing_ = true;
  return *this;
}
ZipBuilder& ZipBuilder::withoutEndRecord() {
  withoutEndRecord_ = true;
  return *this;
}

std::string ZipBuilder::build() const { return writeArchive(!withoutEndRecord_); }

std::string ZipBuilder::endRecord() const {
  std::string archive = writeArchive(true);
  std::string end = archive.substr(archive.size() - comment_.size() - 22, 22);
  end[20] = end[21] = '\0';  // no comment follows this copy
  return end;
}

std::string ZipBuilder::writeArchive(bool withEnd) const {
  std::string out;
  std::vector<std::uint64_t> offsets;
  for (const Entry& e : entries_) {
    offsets.push_back(out.size());
    bool wide = zip64_ || e.forceZip64;
    bool descriptor = (e.flags & 0x0008) != 0;
    std::string name = e.localName.value_or(e.name);
    std::string extra;
    if (wide) {
      put16(extra, 1);
      put16(extra, 16);
      put64(extra, e.uncompressedSize);
      put64(extra, e.stored.size());
    }
    put32(out, e.localSignature.value_or(0x04034B50));
    put16(out, wide ? 45 : 20);
    put16(out, e.flags);
    put16(out, e.localMethod.value_or(e.method));
    put32(out, e.dosDateTime);
    put32(out, descriptor ? 0 : e.crc);
    put32(out, wide ? kAllOnes32 : descriptor ? 0 : e.stored.size());
    put32(out, wide ? kAllOnes32 : descriptor ? 0 : e.uncompressedSize);
    put16(out, name.size());
    put16(out, extra.size());
    out += name;
    out += extra;
    out += e.stored;
    if (descriptor) {
      put32(out, 0x08074B50);
      put32(out, e.crc);
      put32(out, e.stored.size());
      put32(out, e.uncompressedSize);
    }
  }
  std::uint64_t centralStart = out.size();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    bool wide = zip64_ || e.forceZip64;
    std::uint64_t compressed = e.centralCompressedSize.value_or(e.stored.size());
    std::string extra;
    if (wide) {
      put16(extra, 1);
      put16(extra, zip64_ ? 24 : 16);
      put64(extra, e.uncompressedSize);
      put64(extra, compressed);
      if (zip64_) put64(extra, offsets[i]);
    }
    put32(out, e.brokenCentralSignature ? 0x09014B50 : 0x02014B50);
    put16(out, e.versionMadeBy);
    put16(out, wide ? 45 : 20);
    put16(out, e.flags);
    put16(out, e.method);
    put32(out, e.dosDateTime);
    put32(out, e.crc);
    put32(out, e.centralCompressedField.value_or(wide ? kAllOnes32 : compressed));
    put32(out, wide ? kAllOnes32 : e.uncompressedSize);
    put16(out, e.name.size());
    put16(out, extra.size());
    put16(out, 0);
    put16(out, e.centralDiskField.value_or(0));
    put16(out, 0);
    put32(out, e.externalAttributes);
    put32(out, e.centralOffsetField.value_or(zip64_ ? kAllOnes32 : e.offsetAtDirectory ? centralStart : offsets[i]));
    out += e.name;
    out += extra;
  }
  if (!withEnd) return out;
  std::uint64_t centralSize = out.size() - centralStart + centralSizeGrowth_;
  std::uint64_t centralOffset = centralOffset_.value_or(centralStart);
  std::uint64_t count = entryCount_.value_or(entries_.size());
  bool wideEnd = zip64_ || count >= kAllOnes16;
  if (wideEnd) {
    std::uint64_t recordPosition = out.size();
    put32(out, 0x06064B50);
    put64(out, 44);
    put16(out, 45);
    put16(out, 45);
    put32(out, 0);
    put32(out, 0);
    put64(out, count);
    put64(out, count);
    put64(out, centralSize);
    put64(out, centralOffset);
    put32(out, 0x07064B50);
    put32(out, 0);
    put64(out, zip64RecordMissing_ ? out.size() + 1000 : recordPosition);
    put32(out, 1);
  }
  put32(out, 0x06054B50);
  put16(out, 0);
  put16(out, 0);
  put16(out, wideEnd ? kAllOnes16 : count);
  put16(out, wideEnd ? kAllOnes16 : count);
  put32(out, wideEnd ? kAllOnes32 : centralSize);
  put32(out, wideEnd ? kAllOnes32 : centralOffset);
  put16(out, comment_.size());
  out += comment_;
  return out;
}

}  // namespace vellumine::test
