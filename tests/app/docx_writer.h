// Small .docx packages written by the tests themselves: a stored (uncompressed) ZIP archive with
// the parts a test names, and the WordprocessingML of a few plain paragraphs.
#pragma once
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vellumine::test {

using PackagePart = std::pair<std::string, std::string>;  // entry name, bytes

// Writes the parts as a ZIP archive with stored entries.
void writeZip(const std::filesystem::path& target, const std::vector<PackagePart>& parts);

// word/document.xml with one plain paragraph per text.
std::string documentXml(const std::vector<std::string>& paragraphs);

// docProps/core.xml with the given title, creator and W3CDTF creation time.
std::string coreXml(const std::string& title, const std::string& creator, const std::string& created);

// A package with document.xml of these paragraphs and, when given, an image word/media/<name>.
void writeDocx(const std::filesystem::path& target, const std::vector<std::string>& paragraphs,
               const std::vector<PackagePart>& extraParts = {});

}  // namespace vellumine::test
