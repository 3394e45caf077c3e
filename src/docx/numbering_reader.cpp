// The numbering part read into Numbering: abstract lists with their nine levels (w:ilvl 0..8; any
// other level is passed over unread), numbering instances with their level overrides, and the
// maps from ids to both.  Bounded whatever the part holds: nine levels, a short level text, and a
// cap on the definitions kept.
#include "docx/part_readers.h"
#include "docx/property_elements.h"
#include "docx/property_reader.h"
#include "docx/xml_names.h"

#include <algorithm>

#include "text/chartype.h"

namespace vellumine::docx {

namespace {

// Word lets a level's text hold a few dozen characters; more than this is kept cut.
constexpr std::size_t kMaxLevelTextBytes = 256;
// An abstract list and an instance each hold nine levels (some 15 KB); these caps keep a part of
// tiny empty definitions from becoming gigabytes.  Real documents stay far below them.
constexpr std::size_t kMaxAbstracts = 4096;
constexpr std::size_t kMaxInstances = 8192;

constexpr EnumName<NumberFormat> kNumberFormats[] = {
    {"decimal", NumberFormat::decimal},
    {"decimalZero", NumberFormat::decimalZero},
    {"upperRoman", NumberFormat::upperRoman},
    {"lowerRoman", NumberFormat::lowerRoman},
    {"upperLetter", NumberFormat::upperLetter},
    {"lowerLetter", NumberFormat::lowerLetter},
    {"ordinal", NumberFormat::ordinal},
    {"cardinalText", NumberFormat::cardinalText},
    {"ordinalText", NumberFormat::ordinalText},
    {"bullet", NumberFormat::bullet},
    {"none", NumberFormat::none},
    {"decimalEnclosedCircle", NumberFormat::decimalEnclosedCircle},
    {"decimalEnclosedCircleChinese", NumberFormat::decimalEnclosedCircle},
    {"decimalEnclosedParen", NumberFormat::decimalEnclosedParen},
    {"decimalEnclosedFullstop", NumberFormat::decimalEnclosedFullstop},
    {"chicago", NumberFormat::chicago},
    {"hex", NumberFormat::hex},
};

constexpr EnumName<LevelSuffix> kSuffixes[] = {
    {"tab", LevelSuffix::tab},
    {"space", LevelSuffix::space},
    {"nothing", LevelSuffix::nothing},
};

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && IsAsciiSpace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && IsAsciiSpace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// A custom format ("001, 002, 003", written where Word 2010 and later offer one) read as the
// closest built-in format by its first item: zero-padded digits, digits, a letter or a numeral.
NumberFormat customFormat(std::string_view format) {
  const std::string_view first = trimmed(format.substr(0, format.find(',')));
  const bool digits = !first.empty() && std::all_of(first.begin(), first.end(), [](char c) {
    return IsAsciiDigit(static_cast<unsigned char>(c));
  });
  if (digits) return first.size() > 1 && first.front() == '0' ? NumberFormat::decimalZero : NumberFormat::decimal;
  if (first == "a") return NumberFormat::lowerLetter;
  if (first == "A") return NumberFormat::upperLetter;
  if (first == "i") return NumberFormat::lowerRoman;
  if (first == "I") return NumberFormat::upperRoman;
  return NumberFormat::decimal;
}

NumberFormat readNumberFormat(const pugi::xml_node& numFmt) {
  const pugi::xml_attribute val = valAttr(numFmt);
  if (std::string_view(val.value()) == "custom") return customFormat(numFmt.attribute("w:format").value());
  return readEnum<NumberFormat>(val, kNumberFormats).value_or(NumberFormat::decimal);
}

// The level text cut at kMaxLevelTextBytes, never inside a UTF-8 sequence.
std::string levelText(std::string_view written) {
  if (written.size() <= kMaxLevelTextBytes) return std::string(written);
  std::size_t cut = kMaxLevelTextBytes;
  while (cut > 0 && (static_cast<unsigned char>(written[cut]) & 0xC0) == 0x80) --cut;
  return std::string(written.substr(0, cut));
}

std::optional<std::string> valueOf(const pugi::xml_node& element) {
  if (!element) return std::nullopt;
  return std::string(valAttr(element).value());
}

ListLevel readLevel(const pugi::xml_node& lvl, Warnings& warnings) {
  ListLevel level;
  level.present = true;
  if (auto start = readInt(valAttr(lvl.child("w:start")), warnings)) level.start = *start;
  if (const pugi::xml_node numFmt = lvl.child("w:numFmt")) level.format = readNumberFormat(numFmt);
  level.text = levelText(valAttr(lvl.child("w:lvlText")).value());
  if (auto restart = readInt(valAttr(lvl.child("w:lvlRestart")), warnings)) {
    level.restartAfter = std::clamp(*restart, 0, kListLevelCount);
  }
  level.legal = readOnOff(lvl.child("w:isLgl")).value_or(false);
  level.suffix = readEnum<LevelSuffix>(valAttr(lvl.child("w:suff")), kSuffixes).value_or(LevelSuffix::tab);
  level.justification = readJustification(lvl.child("w:lvlJc")).value_or(Justification::start);
  level.paragraphStyle = valueOf(lvl.child("w:pStyle"));
  level.paragraph = readParagraphProps(lvl.child("w:pPr"), warnings);
  level.run = readRunProps(lvl.child("w:rPr"), warnings);
  level.pictureBullet = static_cast<bool>(lvl.child("w:lvlPicBulletId"));
  return level;
}

// A level index 0..8, or nullopt for an absent, malformed or other one.
std::optional<std::size_t> levelIndex(const pugi::xml_attribute& ilvl, Warnings& warnings) {
  const auto index = readInt(ilvl, warnings);
  if (!index || *index < 0 || *index >= kListLevelCount) return std::nullopt;
  return static_cast<std::size_t>(*index);
}

// Fills a definition in place (each holds nine levels; a temporary would be copied field by field).
void readAbstract(const pugi::xml_node& element, AbstractNumbering& abstract, Warnings& warnings) {
  abstract.numStyleLink = valueOf(element.child("w:numStyleLink"));
  abstract.styleLink = valueOf(element.child("w:styleLink"));
  for (pugi::xml_node lvl = element.child("w:lvl"); lvl; lvl = lvl.next_sibling("w:lvl")) {
    const auto index = levelIndex(lvl.attribute("w:ilvl"), warnings);
    if (!index || abstract.levels[*index].present) continue;  // the first definition of a level holds
    abstract.levels[*index] = readLevel(lvl, warnings);
  }
}

void readInstance(const pugi::xml_node& element, NumberingInstance& instance, Warnings& warnings) {
  if (auto abstractId = readInt(valAttr(element.child("w:abstractNumId")), warnings)) {
    instance.abstractId = *abstractId;
  }
  for (pugi::xml_node entry = element.child("w:lvlOverride"); entry; entry = entry.next_sibling("w:lvlOverride")) {
    const auto index = levelIndex(entry.attribute("w:ilvl"), warnings);
    if (!index) continue;
    LevelOverride& target = instance.overrides[*index];
    if (auto start = readInt(valAttr(entry.child("w:startOverride")), warnings)) target.startOverride = *start;
    if (const pugi::xml_node lvl = entry.child("w:lvl")) target.level = std::make_shared<const ListLevel>(readLevel(lvl, warnings));
  }
}

// How many of each definition the part holds, within the caps: each vector is sized once.
void reserveDefinitions(const pugi::xml_node& numberingRoot, Numbering& numbering) {
  std::size_t abstracts = 0, instances = 0;
  for (pugi::xml_node element = numberingRoot.first_child(); element; element = element.next_sibling()) {
    if (is(element, "w:abstractNum")) ++abstracts;
    if (is(element, "w:num")) ++instances;
  }
  numbering.abstracts.reserve(std::min(abstracts, kMaxAbstracts));
  numbering.instances.reserve(std::min(instances, kMaxInstances));
}

}  // namespace

Numbering readNumbering(const pugi::xml_node& numberingRoot, Warnings& warnings) {
  Numbering numbering;
  reserveDefinitions(numberingRoot, numbering);
  bool capped = false;
  for (pugi::xml_node element = numberingRoot.first_child(); element; element = element.next_sibling()) {
    if (is(element, "w:abstractNum")) {
      const auto id = readInt(element.attribute("w:abstractNumId"), warnings);
      if (!id) continue;
      if (numbering.abstracts.size() == kMaxAbstracts) {
        capped = true;
        continue;
      }
      numbering.abstractById.emplace(*id, static_cast<int>(numbering.abstracts.size()));  // keeps the first
      AbstractNumbering& abstract = numbering.abstracts.emplace_back();
      abstract.id = *id;
      readAbstract(element, abstract, warnings);
    } else if (is(element, "w:num")) {
      const auto id = readInt(element.attribute("w:numId"), warnings);
      if (!id) continue;
      if (numbering.instances.size() == kMaxInstances) {
        capped = true;
        continue;
      }
      numbering.instanceById.emplace(*id, static_cast<int>(numbering.instances.size()));
      NumberingInstance& instance = numbering.instances.emplace_back();
      instance.id = *id;
      readInstance(element, instance, warnings);
    }
  }
  if (capped) warnings.add(WarningKind::notShown, "list definitions past the part's first thousands left out");
  return numbering;
}

}  // namespace vellumine::docx
