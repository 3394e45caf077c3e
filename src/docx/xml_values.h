// Attribute values of WordprocessingML, Transitional and Strict: on/off switches, integers,
// lengths with or without units, hex colours, enumerations by table.  A value that is absent gives
// nullopt silently; one that is present but malformed gives nullopt and one malformedNumber warning
// (the document is read on without it).  Numbers with a decimal part are rounded half to even.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include <pugixml.hpp>

#include "docx/warnings.h"

namespace vellumine::docx {

// The w:val attribute of element (canonical name "w:val"), or a null attribute.
pugi::xml_attribute valAttr(const pugi::xml_node& element);

// An on/off property element (<w:b/>, <w:b w:val="0"/>): absent element: nullopt; no w:val, "1",
// "on", "true": true; "0", "off", "false", "none": false; anything else: true (Word's reading).
std::optional<bool> readOnOff(const pugi::xml_node& element);

// A whole number: "12", "-3", "+4", "12.0" (rounded), leading and trailing blanks allowed.
std::optional<long long> readInteger(const pugi::xml_attribute& value, Warnings& warnings);

// The same clamped to int's range (sizes, widths and counts far past any page are clamped, not
// refused).
std::optional<int> readInt(const pugi::xml_attribute& value, Warnings& warnings);

// A length in twips: a plain number is twips already; Strict units "pt", "in", "cm", "mm", "pc",
// "pi" are converted.
std::optional<int> readTwips(const pugi::xml_attribute& value, Warnings& warnings);

// A length in half-points (font sizes): a plain number, or a Strict "11pt" / "10.5pt".
std::optional<int> readHalfPoints(const pugi::xml_attribute& value, Warnings& warnings);

// A length in EMU (drawings): a plain number, or a unit as for twips.
std::optional<std::int64_t> readEmu(const pugi::xml_attribute& value, Warnings& warnings);

// A percentage written as fiftieths ("5000") or with a sign ("100%", Strict): fiftieths of a percent.
std::optional<int> readFiftiethsPercent(const pugi::xml_attribute& value, Warnings& warnings);

// Hexadecimal: "0A", "FFFFFF", "F02A" (symbol characters, tblLook).
std::optional<std::uint32_t> readHex(const pugi::xml_attribute& value, Warnings& warnings);

// One row of an enumeration table: the value as written (compared exactly) and what it means.
template <typename E>
struct EnumName {
  std::string_view written;
  E value;
};

// The value of attribute by table; an unknown word gives nullopt (no warning: readers fall back
// to a documented default).
template <typename E>
std::optional<E> readEnum(const pugi::xml_attribute& value, std::span<const EnumName<E>> table) {
  if (!value) return std::nullopt;
  const std::string_view written = value.value();
  for (const EnumName<E>& row : table) {
    if (row.written == written) return row.value;
  }
  return std::nullopt;
}

}  // namespace vellumine::docx
