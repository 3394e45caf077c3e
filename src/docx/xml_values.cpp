// Attribute values read the way Word reads them: blanks around a number ignored, a decimal part
// rounded (writers other than Word put "9360.0"), Strict's units converted, and a malformed value
// treated as absent with a warning instead of failing the document.
#include "docx/xml_values.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "text/chartype.h"

namespace vellumine::docx {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && IsAsciiSpace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && IsAsciiSpace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// The number at the start of text and what follows it (the unit), or nullopt.
struct NumberAndUnit {
  double number;
  std::string_view unit;
};

std::optional<NumberAndUnit> splitNumber(std::string_view text) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double number = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  auto [end, error] = std::from_chars(first, last, number, std::chars_format::fixed);
  if (error != std::errc() || !std::isfinite(number)) return std::nullopt;
  return NumberAndUnit{number, trimmed(std::string_view(end, static_cast<std::size_t>(last - end)))};
}

// Twips per unit of Strict's universal measures; 0 for an unknown unit.
double twipsPerUnit(std::string_view unit) {
  if (unit == "pt") return 20.0;
  if (unit == "in") return 1440.0;
  if (unit == "cm") return 1440.0 / 2.54;
  if (unit == "mm") return 144.0 / 2.54;
  if (unit == "pc" || unit == "pi") return 240.0;
  return 0.0;
}

// Rounds half to even and clamps into [low, high].
template <typename T>
T roundClamped(double value) {
  const double rounded = std::nearbyint(value);
  if (rounded <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
  if (rounded >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
  return static_cast<T>(rounded);
}

void warnMalformed(const pugi::xml_attribute& value, Warnings& warnings) {
  warnings.add(WarningKind::malformedNumber, value.value());
}

// A number with no unit, or with one of the units scale knows (scale returns the factor from the
// unit to the result's unit, 0 for an unknown one).  plainFactor converts a number without unit.
template <typename T, typename Scale>
std::optional<T> readScaled(const pugi::xml_attribute& value, Warnings& warnings, double plainFactor,
                            Scale scale) {
  if (!value) return std::nullopt;
  const auto parsed = splitNumber(value.value());
  if (!parsed) {
    warnMalformed(value, warnings);
    return std::nullopt;
  }
  double factor = plainFactor;
  if (!parsed->unit.empty()) {
    factor = scale(parsed->unit);
    if (factor == 0.0) {
      warnMalformed(value, warnings);
      return std::nullopt;
    }
  }
  return roundClamped<T>(parsed->number * factor);
}

double noUnits(std::string_view) { return 0.0; }

}  // namespace

pugi::xml_attribute valAttr(const pugi::xml_node& element) { return element.attribute("w:val"); }

std::optional<bool> readOnOff(const pugi::xml_node& element) {
  if (!element) return std::nullopt;
  const pugi::xml_attribute val = valAttr(element);
  if (!val) return true;
  const std::string_view written = trimmed(val.value());
  return !(written == "0" || written == "off" || written == "false" || written == "none");
}

std::optional<long long> readInteger(const pugi::xml_attribute& value, Warnings& warnings) {
  return readScaled<long long>(value, warnings, 1.0, noUnits);
}

std::optional<int> readInt(const pugi::xml_attribute& value, Warnings& warnings) {
  return readScaled<int>(value, warnings, 1.0, noUnits);
}

std::optional<int> readTwips(const pugi::xml_attribute& value, Warnings& warnings) {
  return readScaled<int>(value, warnings, 1.0, twipsPerUnit);
}

std::optional<int> readHalfPoints(const pugi::xml_attribute& value, Warnings& warnings) {
  return readScaled<int>(value, warnings, 1.0, [](std::string_view unit) { return unit == "pt" ? 2.0 : 0.0; });
}

std::optional<std::int64_t> readEmu(const pugi::xml_attribute& value, Warnings& warnings) {
  // 914400 EMU to the inch, 635 to the twip.
  return readScaled<std::int64_t>(value, warnings, 1.0,
                                  [](std::string_view unit) { return twipsPerUnit(unit) * 635.0; });
}

std::optional<int> readFiftiethsPercent(const pugi::xml_attribute& value, Warnings& warnings) {
  return readScaled<int>(value, warnings, 1.0, [](std::string_view unit) { return unit == "%" ? 50.0 : 0.0; });
}

std::optional<std::uint32_t> readHex(const pugi::xml_attribute& value, Warnings& warnings) {
  if (!value) return std::nullopt;
  const std::string_view text = trimmed(value.value());
  std::uint32_t number = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, 16);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    warnMalformed(value, warnings);
    return std::nullopt;
  }
  return number;
}

}  // namespace vellumine::docx
