// xmlPartToUtf8: how a part's encoding is found (byte order mark, the way "<?" is written, the
// declaration), what each encoding is read as, what the declaration says afterwards, and the
// parts that are read as UTF-8 whatever their label says.
#include "text/xml_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace vellumine {
namespace {

using namespace std::string_literals;

// A text of ASCII and BMP characters in UTF-16 or UTF-32, with or without a byte order mark.
std::string wide(std::u32string_view text, int unitBytes, bool bigEndian, bool mark) {
  std::string out;
  auto put = [&](char32_t c) {
    for (int i = 0; i < unitBytes; ++i) {
      const int shift = 8 * (bigEndian ? unitBytes - 1 - i : i);
      out += static_cast<char>((c >> shift) & 0xFF);
    }
  };
  if (mark) put(0xFEFF);
  for (char32_t c : text) put(c);
  return out;
}

constexpr std::u32string_view kUtf16Part = U"<?xml version=\"1.0\" encoding=\"UTF-16\"?><w:t>\u660E</w:t>";
constexpr std::string_view kDeclaredUtf8Part = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:t>\xE6\x98\x8E</w:t>";

std::string declared(std::string_view encoding, std::string_view content) {
  return "<?xml version=\"1.0\" encoding=\"" + std::string(encoding) + "\" standalone=\"yes\"?><w:t>" +
         std::string(content) + "</w:t>";
}

struct PartCase {
  std::string name, input, expected;
};

const PartCase kPartCases[] = {
    // UTF-8, said or not
    {"Utf8DeclarationComesBackAsItIs", declared("UTF-8", "\xE6\x98\x8E"), declared("UTF-8", "\xE6\x98\x8E")},
    {"NoDeclarationIsUtf8", "<w:t>\xE3\x81\x81\\</w:t>", "<w:t>\xE3\x81\x81\\</w:t>"},
    {"DeclarationWithoutEncodingIsUtf8", "<?xml version=\"1.0\"?><w:t>\xE3\x81\x81</w:t>",
     "<?xml version=\"1.0\"?><w:t>\xE3\x81\x81</w:t>"},
    {"Utf8ByteOrderMarkStays", "\xEF\xBB\xBF" + declared("UTF-8", "x"), "\xEF\xBB\xBF" + declared("UTF-8", "x")},
    {"InvalidUtf8BecomesReplacement", declared("UTF-8", "\x81x"), declared("UTF-8", "\xEF\xBF\xBDx")},
    // Legacy encodings named by the declaration
    {"ShiftJisIsConvertedAndSaysUtf8", declared("Shift_JIS", "\x83\x5C\x82\xA0"),
     declared("UTF-8", "\xE3\x82\xBD\xE3\x81\x82")},
    {"ShiftJisBackslashAndTildeStayAscii", declared("Shift_JIS", "C:\\dir~"), declared("UTF-8", "C:\\dir~")},
    {"MsKanjiInCapitalsIsShiftJis", declared("MS_KANJI", "\x83\x5C"), declared("UTF-8", "\xE3\x82\xBD")},
    {"Big5LabelReadsHkscsCharacters", declared("Big5", "\xA5\x5C\x88\x40"), declared("UTF-8", "\xE5\x8A\x9F\xE3\x87\x80")},
    {"GbkIsConverted", declared("GBK", "\x81\x5C"), declared("UTF-8", "\xE4\xB9\x97")},
    {"Gb2312LabelReadsGbkCharacters", declared("GB2312", "\x81\x40"), declared("UTF-8", "\xE4\xB8\x82")},
    {"Gb18030FourByteSequence", declared("GB18030", "\x81\x30\x81\x30"), declared("UTF-8", "\xC2\x80")},
    {"EucKrLabelReadsWindows949Characters", declared("EUC-KR", "\x81\x41"), declared("UTF-8", "\xEA\xB0\x82")},
    {"Windows1252", declared("windows-1252", "\x80"), declared("UTF-8", "\xE2\x82\xAC")},
    {"Latin1LabelReadsWindows1252Characters", declared("ISO-8859-1", "\x80\xE9"), declared("UTF-8", "\xE2\x82\xAC\xC3\xA9")},
    {"Iso2022JpShiftsAreRead", declared("ISO-2022-JP", "\x1b$B$\"\x1b(B"), declared("UTF-8", "\xE3\x81\x82")},
    {"UndecodableBytesBecomeReplacements", declared("Shift_JIS", "\xFD\x81'"), declared("UTF-8", "\xEF\xBF\xBD\xEF\xBF\xBD'")},
    {"SingleQuotedNameAndSpacesAroundTheEquals",
     "<?xml version='1.0' encoding = 'Shift_JIS'?>\x83\x5C", "<?xml version='1.0' encoding = 'UTF-8'?>\xE3\x82\xBD"},
    // UTF-16 and UTF-32
    {"Utf16LittleEndianWithMark", wide(kUtf16Part, 2, false, true), std::string(kDeclaredUtf8Part)},
    {"Utf16BigEndianWithMark", wide(kUtf16Part, 2, true, true), std::string(kDeclaredUtf8Part)},
    {"Utf16LittleEndianWithoutMark", wide(kUtf16Part, 2, false, false), std::string(kDeclaredUtf8Part)},
    {"Utf32LittleEndianWithMark", wide(kUtf16Part, 4, false, true), std::string(kDeclaredUtf8Part)},
    {"Utf32BigEndianWithoutMark", wide(kUtf16Part, 4, true, false), std::string(kDeclaredUtf8Part)},
    {"Utf16WithoutEncodingNameStaysWithout", wide(U"<?xml version=\"1.0\"?><a/>", 2, false, true),
     "<?xml version=\"1.0\"?><a/>"},
    {"Utf16LoneSurrogateBecomesReplacement", wide(U"<a>", 2, false, true) + "\x00\xD8"s + wide(U"</a>", 2, false, false),
     "<a>\xEF\xBF\xBD</a>"},
    // The byte order mark outweighs the declaration.
    {"Utf8MarkOutweighsAShiftJisLabel", "\xEF\xBB\xBF" + declared("Shift_JIS", "\xE6\x98\x8E"),
     "\xEF\xBB\xBF" + declared("UTF-8", "\xE6\x98\x8E")},
    {"Utf16MarkOutweighsAShiftJisLabel", wide(U"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><w:t>\u660E</w:t>", 2, false, true),
     std::string(kDeclaredUtf8Part)},
    // Labels that cannot be the part's encoding: read as UTF-8, and the declaration says so.
    {"UnknownLabelIsReadAsUtf8", declared("x-no-such-encoding", "\xE3\x81\x81"), declared("UTF-8", "\xE3\x81\x81")},
    {"LabelThatIsMarkupIsReadAsUtf8", declared("<img src=x onerror=alert(1)>", "x"), declared("UTF-8", "x")},
    {"LabelWithAConverterSuffixIsReadAsUtf8", declared("SJIS//IGNORE", "\x83\x5C"), declared("UTF-8", "\xEF\xBF\xBD\\")},
    {"Utf16LabelOnSingleBytesIsReadAsUtf8", declared("UTF-16", "x"), declared("UTF-8", "x")},
    // Only a whole declaration at the very start declares anything.
    {"DeclarationAfterSpaceIsNoDeclaration", " " + declared("Shift_JIS", "\x83\x5C"),
     " " + declared("Shift_JIS", "\xEF\xBF\xBD\\")},
    {"UnclosedDeclarationIsNoDeclaration", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"\x83\x5C",
     "<?xml version=\"1.0\" encoding=\"Shift_JIS\"\xEF\xBF\xBD\\"},
};

class XmlEncoding : public testing::TestWithParam<PartCase> {};

TEST_P(XmlEncoding, PartComesOutAsUtf8) { EXPECT_SAME_TEXT(xmlPartToUtf8(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, XmlEncoding, testing::ValuesIn(kPartCases), test::caseName);

TEST(XmlEncodingRefusal, EbcdicPartIsRefusedWithItsMessage) {
  const std::string ebcdic = "\x4C\x6F\xA7\x94\x93\x40\xA5\x85\x99\xA2\x89\x96\x95";  // "<?xml versio"
  try {
    xmlPartToUtf8(ebcdic);
    FAIL() << "no exception";
  } catch (const EEncodingError& e) {
    EXPECT_STREQ(e.what(), "A part of the document is written in EBCDIC, which this program cannot read.");
  }
}

// The common case costs one scan and no copy: the very buffer comes back.
TEST(XmlEncodingCopies, ValidUtf8PartComesBackInItsOwnBuffer) {
  std::string part = declared("UTF-8", std::string(4096, 'x'));
  const char* buffer = part.data();
  const std::string result = xmlPartToUtf8(std::move(part));
  EXPECT_EQ(result.data(), buffer);
}

}  // namespace
}  // namespace vellumine
