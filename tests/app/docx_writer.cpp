// Test packages: a stored ZIP writer (local headers, central directory, end record) over zlib's
// crc32, and the few WordprocessingML snippets the application tests open.
#include "docx_writer.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace vellumine::test {

namespace {

void put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

std::uint32_t crcOf(const std::string& bytes) {
  return static_cast<std::uint32_t>(
      crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

// The fields shared by the local header (after its signature and version) and the central record.
void putEntryFields(std::string& out, const PackagePart& part) {
  put16(out, 0);  // flags
  put16(out, 0);  // stored
  put16(out, 0);  // time
  put16(out, 0x21);  // date: 1980-01-01
  put32(out, crcOf(part.second));
  put32(out, static_cast<std::uint32_t>(part.second.size()));
  put32(out, static_cast<std::uint32_t>(part.second.size()));
  put16(out, static_cast<std::uint32_t>(part.first.size()));
  put16(out, 0);  // extra field length
}

}  // namespace

void writeZip(const std::filesystem::path& target, const std::vector<PackagePart>& parts) {
  std::string archive;
  std::string central;
  for (const PackagePart& part : parts) {
    const auto offset = static_cast<std::uint32_t>(archive.size());
    put32(archive, 0x04034B50);
    put16(archive, 20);
    putEntryFields(archive, part);
    archive += part.first;
    archive += part.second;

    put32(central, 0x02014B50);
    put16(central, 20);
    put16(central, 20);
    putEntryFields(central, part);
    put16(central, 0);  // comment length
    put16(central, 0);  // disk
    put16(central, 0);  // internal attributes
    put32(central, 0);  // external attributes
    put32(central, offset);
    central += part.first;
  }
  const auto centralOffset = static_cast<std::uint32_t>(archive.size());
  archive += central;
  put32(archive, 0x06054B50);
  put16(archive, 0);
  put16(archive, 0);
  put16(archive, static_cast<std::uint32_t>(parts.size()));
  put16(archive, static_cast<std::uint32_t>(parts.size()));
  put32(archive, static_cast<std::uint32_t>(central.size()));
  put32(archive, centralOffset);
  put16(archive, 0);
  std::ofstream file(target, std::ios::binary | std::ios::trunc);
  file.write(archive.data(), static_cast<std::streamsize>(archive.size()));
  if (!file) throw std::runtime_error("cannot write " + target.string());
}

std::string documentXml(const std::vector<std::string>& paragraphs) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
  for (const std::string& text : paragraphs) xml += "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>";
  xml +=
      "<w:sectPr><w:pgSz w:w=\"12240\" w:h=\"15840\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" "
      "w:bottom=\"1440\" w:left=\"1440\" w:header=\"720\" w:footer=\"720\" w:gutter=\"0\"/></w:sectPr>"
      "</w:body></w:document>";
  return xml;
}

std::string coreXml(const std::string& title, const std::string& creator, const std::string& created) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
         "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
         "<dc:title>" + title + "</dc:title><dc:creator>" + creator + "</dc:creator>"
         "<dcterms:created xsi:type=\"dcterms:W3CDTF\">" + created + "</dcterms:created>"
         "</cp:coreProperties>";
}

void writeDocx(const std::filesystem::path& target, const std::vector<std::string>& paragraphs,
               const std::vector<PackagePart>& extraParts) {
  std::vector<PackagePart> parts{{"word/document.xml", documentXml(paragraphs)}};
  parts.insert(parts.end(), extraParts.begin(), extraParts.end());
  writeZip(target, parts);
}

}  // namespace vellumine::test
