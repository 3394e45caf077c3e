// Names by namespace: prefixes renamed to ours whatever the part declared (on any element, default
// namespaces, Strict URIs), unknown namespaces told apart, and mc:AlternateContent replaced by the
// branch it chooses.  Also when the renaming walk may be left out.
#include "docx/xml_names.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::docx {
namespace {

constexpr const char* kW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kMc = "http://schemas.openxmlformats.org/markup-compatibility/2006";
constexpr const char* kWps = "http://schemas.microsoft.com/office/word/2010/wordprocessingShape";

// "{w}" in a row stands for the main namespace's URI, "{mc}" and "{wps}" for theirs.
std::string expand(std::string text) {
  for (const auto& [key, uri] : {std::pair{"{w}", kW}, std::pair{"{mc}", kMc}, std::pair{"{wps}", kWps}}) {
    for (std::size_t at; (at = text.find(key)) != std::string::npos;) text.replace(at, std::string_view(key).size(), uri);
  }
  return text;
}

std::string canonicalised(const std::string& xml) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata));
  canonicaliseNames(document);
  std::ostringstream out;
  document.save(out, "", pugi::format_raw | pugi::format_no_declaration);
  return out.str();
}

struct NameCase {
  std::string name;
  std::string input;
  std::string expected;
};

void PrintTo(const NameCase& row, std::ostream* out) { *out << row.name; }

const NameCase kNameCases[] = {
    {"OurPrefixStays", R"(<w:p xmlns:w="{w}"><w:r w:val="1"/></w:p>)", R"(<w:p xmlns:w="{w}"><w:r w:val="1"/></w:p>)"},
    {"OtherPrefixRenamed", R"(<ns0:p xmlns:ns0="{w}"><ns0:r ns0:val="1"/></ns0:p>)",
     R"(<w:p xmlns:ns0="{w}"><w:r w:val="1"/></w:p>)"},
    {"DefaultNamespaceRenamesElementsOnly", R"(<p xmlns="{w}"><r val="1"/></p>)",
     R"(<w:p xmlns="{w}"><w:r val="1"/></w:p>)"},
    {"StrictUrisAreOurs",
     R"(<w:p xmlns:w="http://purl.oclc.org/ooxml/wordprocessingml/main" xmlns:q="http://purl.oclc.org/ooxml/officeDocument/relationships"><w:r q:id="r1"/></w:p>)",
     R"(<w:p xmlns:w="http://purl.oclc.org/ooxml/wordprocessingml/main" xmlns:q="http://purl.oclc.org/ooxml/officeDocument/relationships"><w:r r:id="r1"/></w:p>)"},
    {"DeclarationOnAnInnerElement", R"(<root><x:p xmlns:x="{w}"><x:r/></x:p><x:q/></root>)",
     R"(<root><w:p xmlns:x="{w}"><w:r/></w:p><x:q/></root>)"},
    {"InnerDeclarationHidesOuterUntilLeft",
     R"(<q:p xmlns:q="{w}"><q:r xmlns:q="urn:other"><q:t/></q:r><q:s/></q:p>)",
     R"(<w:p xmlns:q="{w}"><q:r xmlns:q="urn:other"><q:t/></q:r><w:s/></w:p>)"},
    {"UnknownNamespaceUnderOurPrefixIsSetApart", R"(<w:p xmlns:w="urn:other" xmlns:v="{w}"><w:r v:x="1"/></w:p>)",
     R"(<x:p xmlns:w="urn:other" xmlns:v="{w}"><x:r w:x="1"/></x:p>)"},
    {"UndeclaredPrefixesStay", R"(<w:p><foo:r w:val="1"/></w:p>)", R"(<w:p><foo:r w:val="1"/></w:p>)"},
    {"XmlPrefixStays", R"(<w:t xmlns:w="{w}" xml:space="preserve"> </w:t>)",
     R"(<w:t xmlns:w="{w}" xml:space="preserve"> </w:t>)"},
};

class XmlNames : public testing::TestWithParam<NameCase> {};

TEST_P(XmlNames, AreCanonicalised) {
  EXPECT_EQ(canonicalised(expand(GetParam().input)), expand(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, XmlNames, testing::ValuesIn(kNameCases), test::caseName);

// ---- Alternate content -----------------------------------------------------------------------

// Each row's input stands inside <w:r> declaring w, mc and wps; the output is the run's content.
const NameCase kAlternateCases[] = {
    {"UnderstoodChoiceIsTaken",
     "<mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing/></mc:Choice><mc:Fallback><w:pict/></mc:Fallback>"
     "</mc:AlternateContent>",
     "<w:drawing/>"},
    {"ChoiceNeedingAnUnknownNamespaceFallsBack",
     "<mc:AlternateContent xmlns:w16=\"urn:later\"><mc:Choice Requires=\"w16\"><w:drawing/></mc:Choice><mc:Fallback>"
     "<w:pict/></mc:Fallback></mc:AlternateContent>",
     "<w:pict/>"},
    {"ChoiceNeedingAnUndeclaredPrefixFallsBack",
     "<mc:AlternateContent><mc:Choice Requires=\"zz\"><w:drawing/></mc:Choice><mc:Fallback><w:pict/></mc:Fallback>"
     "</mc:AlternateContent>",
     "<w:pict/>"},
    {"EveryRequiredPrefixMustBeUnderstood",
     "<mc:AlternateContent xmlns:w16=\"urn:later\"><mc:Choice Requires=\"wps w16\"><w:a/></mc:Choice>"
     "<mc:Fallback><w:b/></mc:Fallback></mc:AlternateContent>",
     "<w:b/>"},
    {"FirstUnderstoodChoiceWins",
     "<mc:AlternateContent xmlns:w16=\"urn:later\"><mc:Choice Requires=\"w16\"><w:a/></mc:Choice><mc:Choice "
     "Requires=\"wps\"><w:b/></mc:Choice><mc:Choice Requires=\"w\"><w:c/></mc:Choice></mc:AlternateContent>",
     "<w:b/>"},
    {"NothingUnderstoodAndNoFallbackLeavesNothing",
     "<w:t>a</w:t><mc:AlternateContent><mc:Choice Requires=\"zz\"><w:drawing/></mc:Choice></mc:AlternateContent>"
     "<w:t>b</w:t>",
     "<w:t>a</w:t><w:t>b</w:t>"},
    {"BranchChildrenTakeItsPlaceInOrder",
     "<w:t>a</w:t><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:b/><w:c/></mc:Choice></mc:AlternateContent>"
     "<w:t>d</w:t>",
     "<w:t>a</w:t><w:b/><w:c/><w:t>d</w:t>"},
    {"ChoiceDeclaringItsOwnPrefix",
     "<mc:AlternateContent><mc:Choice xmlns:s=\"{wps}\" Requires=\"s\"><s:wsp/></mc:Choice><mc:Fallback/>"
     "</mc:AlternateContent>",
     "<wps:wsp/>"},
    {"NestedAlternateContent",
     "<mc:AlternateContent><mc:Choice Requires=\"wps\"><w:a><mc:AlternateContent><mc:Choice Requires=\"zz\"><w:x/>"
     "</mc:Choice><mc:Fallback><w:y/></mc:Fallback></mc:AlternateContent></w:a></mc:Choice></mc:AlternateContent>",
     "<w:a><w:y/></w:a>"},
    {"OtherPrefixForMarkupCompatibility",
     "<ve:AlternateContent xmlns:ve=\"{mc}\"><ve:Choice Requires=\"wps\"><w:a/></ve:Choice><ve:Fallback><w:b/>"
     "</ve:Fallback></ve:AlternateContent>",
     "<w:a/>"},
};

class XmlNamesAlternateContent : public testing::TestWithParam<NameCase> {};

TEST_P(XmlNamesAlternateContent, IsReplacedByTheChosenBranch) {
  const std::string head = R"(<w:r xmlns:w="{w}" xmlns:mc="{mc}" xmlns:wps="{wps}">)";
  EXPECT_EQ(canonicalised(expand(head + GetParam().input + "</w:r>")),
            expand(head + GetParam().expected + "</w:r>"));
}

INSTANTIATE_TEST_SUITE_P(Cases, XmlNamesAlternateContent, testing::ValuesIn(kAlternateCases), test::caseName);

// ---- Hostile depth ---------------------------------------------------------------------------

std::string nested(const std::string& open, const std::string& close, int depth, const std::string& inner) {
  std::string out;
  out.reserve((open.size() + close.size()) * static_cast<std::size_t>(depth) + inner.size());
  for (int i = 0; i < depth; ++i) out += open;
  out += inner;
  for (int i = 0; i < depth; ++i) out += close;
  return out;
}

TEST(XmlNamesDepth, DeepNestingIsWalkedAndDiscardedWithoutRecursion) {
  constexpr int kDepth = 100000;
  // A deep branch not taken (discarded) and a deep branch taken, each under renamed prefixes.
  const std::string discarded = nested("<q:x>", "</q:x>", kDepth, "");
  const std::string taken = nested("<q:y>", "</q:y>", kDepth, "<q:t>deep</q:t>");
  const std::string xml = expand("<q:r xmlns:q=\"{w}\" xmlns:mc=\"{mc}\"><mc:AlternateContent><mc:Choice Requires=\"zz\">" +
                                 discarded + "</mc:Choice><mc:Fallback>" + taken +
                                 "</mc:Fallback></mc:AlternateContent></q:r>");
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(xml.c_str()));
  canonicaliseNames(document);
  pugi::xml_node node = document.first_child().first_child();
  int depth = 0;
  while (node && std::string_view(node.name()) == "w:y") {
    ++depth;
    node = node.first_child();
  }
  EXPECT_EQ(depth, kDepth);
  EXPECT_STREQ(node.name(), "w:t");
  EXPECT_STREQ(node.child_value(), "deep");
}

// ---- When the walk may be left out -----------------------------------------------------------

struct SkipCase {
  std::string name;
  std::string root;   // the root's start tag
  std::string after;  // the part after it
  bool canonical;
};

void PrintTo(const SkipCase& row, std::ostream* out) { *out << row.name; }

const SkipCase kSkipCases[] = {
    {"OurPrefixesAndUnknownOnes", R"(<w:document xmlns:w="{w}" xmlns:w16cid="urn:later">)", "<w:body/></w:document>",
     true},
    {"NoDeclarationsAtAll", "<w:document>", "<w:body/></w:document>", true},
    {"OtherPrefixForOurNamespace", R"(<ns0:document xmlns:ns0="{w}">)", "<ns0:body/></ns0:document>", false},
    {"DefaultNamespaceOfOurs", R"(<document xmlns="{w}">)", "<body/></document>", false},
    {"UnknownNamespaceUnderOurPrefix", R"(<w:document xmlns:w="urn:other">)", "<w:body/></w:document>", false},
    {"DeclarationFurtherIn", R"(<w:document xmlns:w="{w}">)", R"(<w:body xmlns:a="urn:a"/></w:document>)", false},
    {"AlternateContentFurtherIn", R"(<w:document xmlns:w="{w}" xmlns:mc="{mc}">)",
     "<w:body><mc:AlternateContent/></w:body></w:document>", false},
};

class XmlNamesSkip : public testing::TestWithParam<SkipCase> {};

TEST_P(XmlNamesSkip, IsAllowedOnlyWhenNothingWouldChange) {
  const std::string root = expand(GetParam().root);
  const std::string xml = root + expand(GetParam().after);
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(xml.c_str()));
  EXPECT_EQ(hasCanonicalNames(document, std::string_view(xml).substr(root.size())), GetParam().canonical);
  if (GetParam().canonical) {
    // What the walk would have made of it is the part as it is.
    std::ostringstream before, after;
    document.save(before, "", pugi::format_raw | pugi::format_no_declaration);
    canonicaliseNames(document);
    document.save(after, "", pugi::format_raw | pugi::format_no_declaration);
    EXPECT_EQ(after.str(), before.str());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, XmlNamesSkip, testing::ValuesIn(kSkipCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
