// Attribute values: every reader over one table of written values, and the warnings they leave.
#include "docx/xml_values.h"

#include <string>

#include <gtest/gtest.h>

namespace vellumine::docx {
namespace {

// <e w:val="written"/> parsed, so each row reads a real attribute.
class ValueFixture {
 public:
  explicit ValueFixture(const std::string& written) {
    node_ = doc_.append_child("e");
    node_.append_attribute("w:val") = written.c_str();
  }
  pugi::xml_attribute attr() const { return node_.attribute("w:val"); }
  pugi::xml_node node() const { return node_; }

 private:
  pugi::xml_document doc_;
  pugi::xml_node node_;
};

enum class Reader { integer, twips, halfPoints, emu, fiftieths, hex };

struct ValueCase {
  const char* name;
  Reader reader;
  const char* written;
  std::optional<long long> expected;  // nullopt: absent, with one warning
};

std::optional<long long> readWith(Reader reader, const pugi::xml_attribute& a, Warnings& w) {
  auto widen = [](auto v) -> std::optional<long long> {
    if (!v) return std::nullopt;
    return static_cast<long long>(*v);
  };
  switch (reader) {
    case Reader::integer: return readInteger(a, w);
    case Reader::twips: return widen(readTwips(a, w));
    case Reader::halfPoints: return widen(readHalfPoints(a, w));
    case Reader::emu: return widen(readEmu(a, w));
    case Reader::fiftieths: return widen(readFiftiethsPercent(a, w));
    case Reader::hex: return widen(readHex(a, w));
  }
  return std::nullopt;
}

const ValueCase kValueCases[] = {
    {"PlainInteger", Reader::integer, "1440", 1440},
    {"NegativeInteger", Reader::integer, "-360", -360},
    {"PlusSign", Reader::integer, "+4", 4},
    {"BlanksAround", Reader::integer, "  12 ", 12},
    {"DecimalPartRounded", Reader::integer, "9360.0", 9360},
    {"HalfRoundsToEven", Reader::integer, "12.5", 12},
    {"HalfRoundsUpToEven", Reader::integer, "13.5", 14},
    {"WordIsMalformed", Reader::integer, "abc", std::nullopt},
    {"TrailingGarbageIsMalformed", Reader::integer, "12abc", std::nullopt},
    {"EmptyIsMalformed", Reader::integer, "", std::nullopt},
    {"HugeIsClamped", Reader::twips, "99999999999999", 2147483647},
    {"TwipsInPoints", Reader::twips, "12pt", 240},
    {"TwipsInInches", Reader::twips, "1in", 1440},
    {"TwipsInCentimetres", Reader::twips, "2.54cm", 1440},
    {"TwipsInMillimetres", Reader::twips, "25.4mm", 1440},
    {"TwipsInPicas", Reader::twips, "1pc", 240},
    {"TwipsUnknownUnit", Reader::twips, "3furlongs", std::nullopt},
    {"HalfPointsPlain", Reader::halfPoints, "22", 22},
    {"HalfPointsStrict", Reader::halfPoints, "10.5pt", 21},
    {"EmuPlain", Reader::emu, "914400", 914400},
    {"EmuInInches", Reader::emu, "2in", 1828800},
    {"FiftiethsPlain", Reader::fiftieths, "5000", 5000},
    {"FiftiethsPercentSign", Reader::fiftieths, "100%", 5000},
    {"HexColourValue", Reader::hex, "FF8000", 0xFF8000},
    {"HexSymbol", Reader::hex, "F02A", 0xF02A},
    {"HexNotHex", Reader::hex, "auto", std::nullopt},
};

class XmlValues : public testing::TestWithParam<ValueCase> {};

TEST_P(XmlValues, ReadsAsWordReads) {
  const ValueCase& c = GetParam();
  ValueFixture f(c.written);
  Warnings w;
  EXPECT_EQ(readWith(c.reader, f.attr(), w), c.expected);
  EXPECT_EQ(w.count(WarningKind::malformedNumber), c.expected ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Values, XmlValues, testing::ValuesIn(kValueCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(XmlValuesAbsent, AnAbsentAttributeIsAbsentWithoutWarning) {
  pugi::xml_document doc;
  pugi::xml_node e = doc.append_child("e");
  Warnings w;
  EXPECT_EQ(readInt(e.attribute("w:val"), w), std::nullopt);
  EXPECT_EQ(readTwips(e.attribute("w:w"), w), std::nullopt);
  EXPECT_TRUE(w.empty());
}

struct OnOffCase {
  const char* written;  // nullptr: no w:val
  bool expected;
};

TEST(XmlValuesOnOff, ReadsEveryWriting) {
  const OnOffCase cases[] = {{nullptr, true}, {"1", true},    {"on", true},  {"true", true}, {"0", false},
                             {"off", false},  {"false", false}, {"none", false}, {" 0 ", false}};
  for (const OnOffCase& c : cases) {
    pugi::xml_document doc;
    pugi::xml_node e = doc.append_child("w:b");
    if (c.written) e.append_attribute("w:val") = c.written;
    EXPECT_EQ(readOnOff(e), c.expected) << (c.written ? c.written : "(no value)");
  }
  EXPECT_EQ(readOnOff(pugi::xml_node()), std::nullopt);
}

enum class Colour { red, green };
constexpr EnumName<Colour> kColours[] = {{"red", Colour::red}, {"green", Colour::green}};

TEST(XmlValuesEnum, KnownWordsByTableUnknownAbsent) {
  ValueFixture green("green"), other("Green");
  EXPECT_EQ(readEnum<Colour>(green.attr(), kColours), Colour::green);
  EXPECT_EQ(readEnum<Colour>(other.attr(), kColours), std::nullopt);
  EXPECT_EQ(readEnum<Colour>(pugi::xml_attribute(), kColours), std::nullopt);
}

}  // namespace
}  // namespace vellumine::docx
